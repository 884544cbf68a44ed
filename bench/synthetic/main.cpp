#include "bench/synthetic/syntheticset.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstdio>

// murvel-synthetic [options] <sample-sources-dir> <output-dir>: writes the sources of a large
// synthetic glyph database set, which murvel-datagen then builds.
int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription("Writes the sources of a synthetic glyph database set.");
    parser.addHelpOption();
    const SyntheticShape defaults;
    const QCommandLineOption seed("seed", "Seed of the random choices.", "n",
                                  QString::number(defaults.seed));
    const QCommandLineOption glyphs("glyphs", "Regular-script roots and glyphs.", "n",
                                    QString::number(defaults.regularGlyphs));
    const QCommandLineOption roots("roots", "Roots among them.", "n",
                                   QString::number(defaults.roots));
    const QCommandLineOption ancient("ancient", "Records of each ancient script.", "n",
                                     QString::number(defaults.ancientGlyphs));
    parser.addOptions({seed, glyphs, roots, ancient});
    parser.addPositionalArgument("sample-sources", "The sample sources (data/sources).");
    parser.addPositionalArgument("output", "The folder the sources are written to.");
    parser.process(app);

    const QStringList folders = parser.positionalArguments();
    SyntheticShape shape;
    bool ok[4] = {};
    shape.seed = parser.value(seed).toULongLong(&ok[0]);
    shape.regularGlyphs = parser.value(glyphs).toInt(&ok[1]);
    shape.roots = parser.value(roots).toInt(&ok[2]);
    shape.ancientGlyphs = parser.value(ancient).toInt(&ok[3]);
    const bool sizesValid = shape.roots > 0 && shape.regularGlyphs > shape.roots;
    if (folders.size() != 2 || !ok[0] || !ok[1] || !ok[2] || !ok[3] || !sizesValid) {
        std::fputs(qPrintable(parser.helpText()), stderr);
        return 2;
    }
    const QString error = WriteSyntheticSet(shape, folders[0], folders[1]);
    if (!error.isEmpty()) {
        std::fprintf(stderr, "murvel-synthetic: %s\n", qPrintable(error));
        return 1;
    }
    return 0;
}
