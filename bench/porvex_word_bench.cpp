// The Word conversion of the add-in on the synthetic databases: a 200-page document with
// 2,000 formulas of the synthetic glyph table turned into its glyph copy and its picture
// copy, from the click to the saved copy and source.

#include "comAddIn/porvex/glyphrenderer.h"
#include "comAddIn/porvex/lookuprules.h"
#include "comAddIn/porvex/word/conversiondriver.h"
#include "largedocx.h"
#include "platform/office/word/docx/wordapplication.h"
#include "synthetic/syntheticdatabases.h"

#include <QTemporaryDir>

namespace
{

// Answers the chooser as a user who takes the first candidate.
class FirstCandidatePicker : public porvex::CandidatePicker
{
public:
    int choose(const QString &, const QList<porvex::Candidate> &) override { return 0; }
};

bool isExtensionA(const QString &glyph)
{
    return glyph.size() == 1 && glyph[0].unicode() >= 0x3400 && glyph[0].unicode() <= 0x4DBF;
}

// Formulas of composed glyphs of the synthetic table as a user types them: a third whose
// glyph is a Big5 character (text in both copies), a third in CJK Extension A that the
// document's typeface draws (a picture in the picture copy) and a third without a
// character (an end-user-defined code, which no font of the folder draws: text).
QStringList SyntheticFormulas(QString *problem)
{
    porvex::GlyphRenderer renderer(SyntheticFolder());
    const porvex::LogicalFont kai = porvex::LogicalFontFor({QStringLiteral("標楷體"), 12}, 600);
    auto drawn = [&](const QString &glyph) {
        return renderer.render(kai, glyph[0].unicode()).has_value();
    };
    jet::Result<jet::Database> database =
        jet::Database::open(QDir(SyntheticFolder()).filePath(QStringLiteral("murvel.mdb")));
    if (!database) {
        *problem = database.errorString();
        return {};
    }
    jet::Result<jet::Snapshot> records = database->openSnapshot(QStringLiteral(
        "SELECT 字形, 連接符號, 部件序 FROM 檢字表 WHERE 連接符號 >= 1 AND 連接符號 <= 4"));
    if (!records) {
        *problem = records.errorString();
        return {};
    }
    QStringList big5, extensionA, missing;
    constexpr int each = 20;
    for (records->moveFirst(); !records->eof(); records->moveNext()) {
        const QString glyph = records->value(QStringLiteral("字形")).toString();
        QStringList &group = glyph.isEmpty() ? missing : isExtensionA(glyph) ? extensionA : big5;
        if (group.size() < each && (&group != &extensionA || drawn(glyph)))
            group << porvex::ComposeResultText(QString(),
                                               records->value(QStringLiteral("連接符號")).toInt(),
                                               records->value(QStringLiteral("部件序")).toString());
        if (big5.size() + extensionA.size() + missing.size() == 3 * each)
            break;
    }
    if (big5.size() + extensionA.size() + missing.size() < 3 * each)
        *problem = QStringLiteral("the synthetic glyph table lacks composed glyphs");
    return big5 + extensionA + missing;
}

void convertLargeDocument(benchmark::State &state, bool pictures)
{
    QString problem = SyntheticDatabasesMissing();
    const QStringList formulas = problem.isEmpty() ? SyntheticFormulas(&problem) : QStringList();
    if (!problem.isEmpty()) {
        state.SkipWithError(problem.toUtf8().constData());
        return;
    }
    QTemporaryDir windows;
    porvex::LookupEngine engine;
    FirstCandidatePicker picker;
    const porvex::WordRunContext context{SyntheticFolder() + u'/', windows.path(), engine, picker,
                                         [](const QString &, const QString &) {}};
    int converted = 0;
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir folder;
        const QString source = folder.filePath(QStringLiteral("large.docx"));
        WriteLargeDocument(source, formulas);
        word::docx::WordApplication word;
        word.documents().open(source);
        state.ResumeTiming();

        if (pictures)
            porvex::ConvertDocumentToPictures(word, context);
        else
            porvex::ConvertDocumentToGlyphs(word, context);

        state.PauseTiming();
        if (word.statusBar() != QStringLiteral("構字式轉換完畢")) {
            state.SkipWithError(word.statusBar().toUtf8().constData());
            return;
        }
        word::Document *copy = word.activeDocument();
        const QString text = copy->content()->text();
        converted = LargeDocumentParagraphs - int(text.count(QChar(0xF6A3))) -
                    int(text.count(QChar(0xF6A4))) - int(text.count(QChar(0xF6A5))) -
                    int(text.count(QChar(0xF6AE)));
        state.counters["pictures"] = copy->inlineShapes().count();
        state.ResumeTiming();
    }
    state.counters["formulas"] = LargeDocumentParagraphs;
    state.counters["converted"] = converted;
}

void BM_WordConvertToGlyphs(benchmark::State &state)
{
    convertLargeDocument(state, false);
}

void BM_WordConvertToPictures(benchmark::State &state)
{
    convertLargeDocument(state, true);
}

BENCHMARK(BM_WordConvertToGlyphs)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_WordConvertToPictures)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
