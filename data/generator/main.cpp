#include "data/generator/datagenerator.h"

#include <QCoreApplication>
#include <QStringList>
#include <cstdio>

// murvel-datagen <sources-dir> <output-dir>: builds the glyph databases from their sources.
int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 3) {
        std::fputs("usage: murvel-datagen <sources-dir> <output-dir>\n", stderr);
        return 2;
    }
    const QList<SourceError> errors = GenerateDatabases(arguments[1], arguments[2]);
    for (const SourceError &error : errors)
        std::fprintf(stderr, "murvel-datagen: %s\n", error.text().toUtf8().constData());
    return errors.isEmpty() ? 0 : 1;
}
