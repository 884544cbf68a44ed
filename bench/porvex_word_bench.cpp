// The Word conversion of the add-in on the synthetic databases: a 200-page document with
// 2,000 formulas of the synthetic glyph table turned into its glyph copy and its picture
// copy, from the click to the saved copy and source; documents of 250 to 2,000 pictures, and
// one paragraph of 2,000 and 8,000 formulas, to show how the time grows.

#include "comAddIn/porvex/glyphrenderer.h"
#include "comAddIn/porvex/lookuprules.h"
#include "comAddIn/porvex/word/conversiondriver.h"
#include "largedocx.h"
#include "platform/office/word/docx/wordapplication.h"
#include "synthetic/syntheticdatabases.h"

#include <QFile>
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

// Formulas of composed glyphs of the synthetic table as a user types them, up to each of
// every kind: glyphs that are Big5 characters (text in both copies), glyphs in CJK Extension
// A that the document's typeface draws (a picture in the picture copy) and glyphs without a
// character (an end-user-defined code, which no font of the folder draws: text).
struct SyntheticFormulaKinds {
    QStringList big5, extensionA, missing;
};

SyntheticFormulaKinds SyntheticFormulas(int each, QString *problem)
{
    porvex::GlyphRenderer renderer(SyntheticFolder());
    const porvex::LogicalFont kai = porvex::LogicalFontFor({QStringLiteral("標楷體"), 12}, 600);
    auto drawn = [&](const QString &glyph) {
        return renderer.render(kai, glyph[0].unicode()).has_value();
    };
    SyntheticFormulaKinds kinds;
    jet::Result<jet::Database> database =
        jet::Database::open(QDir(SyntheticFolder()).filePath(QStringLiteral("murvel.mdb")));
    if (!database) {
        *problem = database.errorString();
        return kinds;
    }
    jet::Result<jet::Snapshot> records = database->openSnapshot(QStringLiteral(
        "SELECT 字形, 連接符號, 部件序 FROM 檢字表 WHERE 連接符號 >= 1 AND 連接符號 <= 4"));
    if (!records) {
        *problem = records.errorString();
        return kinds;
    }
    for (records->moveFirst(); !records->eof(); records->moveNext()) {
        const QString glyph = records->value(QStringLiteral("字形")).toString();
        QStringList &group = glyph.isEmpty()       ? kinds.missing
                             : isExtensionA(glyph) ? kinds.extensionA
                                                   : kinds.big5;
        if (group.size() < each && (&group != &kinds.extensionA || drawn(glyph)))
            group << porvex::ComposeResultText(QString(),
                                               records->value(QStringLiteral("連接符號")).toInt(),
                                               records->value(QStringLiteral("部件序")).toString());
        if (kinds.big5.size() + kinds.extensionA.size() + kinds.missing.size() == 3 * each)
            break;
    }
    if (kinds.big5.size() + kinds.extensionA.size() + kinds.missing.size() < 3 * each)
        *problem = QStringLiteral("the synthetic glyph table lacks composed glyphs");
    return kinds;
}

// How the benchmark's document holds its formulas.
enum class Layout {
    Mixed,        // 2,000 paragraphs, a formula each, of the three kinds in turn
    Pictures,     // state.range(0) paragraphs, each formula a picture in the picture copy
    OneParagraph, // state.range(0) formulas of the three kinds in one paragraph
};

void convertDocument(benchmark::State &state, bool pictures, Layout layout)
{
    QString problem = SyntheticDatabasesMissing();
    const SyntheticFormulaKinds kinds =
        problem.isEmpty() ? SyntheticFormulas(layout == Layout::Pictures ? 200 : 20, &problem)
                          : SyntheticFormulaKinds();
    if (!problem.isEmpty()) {
        state.SkipWithError(problem.toUtf8().constData());
        return;
    }
    const QStringList formulas = layout == Layout::Pictures
                                     ? kinds.extensionA
                                     : kinds.big5 + kinds.extensionA + kinds.missing;
    const int count = layout == Layout::Mixed ? LargeDocumentParagraphs : int(state.range(0));
    QTemporaryDir windows;
    FirstCandidatePicker picker;
    const porvex::ConversionContext context{SyntheticFolder() + u'/', windows.path(), &picker,
                                            [](const porvex::Message &) {}};
    int converted = 0;
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir folder;
        const QString source = folder.filePath(QStringLiteral("large.docx"));
        if (layout == Layout::OneParagraph)
            WriteOneParagraphDocument(source, formulas, count);
        else
            WriteLargeDocument(source, formulas, count);
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
        // MURVEL_BENCH_OUTPUT=<folder> keeps the copies, to open them in another program.
        if (const QString kept = qEnvironmentVariable("MURVEL_BENCH_OUTPUT"); !kept.isEmpty()) {
            const QString name =
                QStringLiteral("%1-%2-%3").arg(int(layout)).arg(count).arg(copy->name());
            QFile::copy(copy->fullName(), QDir(kept).filePath(name));
        }
        const QString text = copy->content()->text();
        converted = count - int(text.count(QChar(0xF6A3))) - int(text.count(QChar(0xF6A4))) -
                    int(text.count(QChar(0xF6A5))) - int(text.count(QChar(0xF6AE)));
        state.counters["pictures"] = copy->inlineShapes().count();
        if (layout == Layout::Pictures && copy->inlineShapes().count() != count) {
            state.SkipWithError("a formula of the picture document did not become a picture");
            return;
        }
        state.ResumeTiming();
    }
    state.counters["formulas"] = count;
    state.counters["converted"] = converted;
}

void BM_WordConvertToGlyphs(benchmark::State &state)
{
    convertDocument(state, false, Layout::Mixed);
}

void BM_WordConvertToPictures(benchmark::State &state)
{
    convertDocument(state, true, Layout::Mixed);
}

// Every formula a picture: the time per picture stays the same as their number grows.
void BM_WordConvertEveryFormulaToAPicture(benchmark::State &state)
{
    convertDocument(state, true, Layout::Pictures);
}

// All formulas in one paragraph: the time per formula stays the same as the paragraph grows.
void BM_WordConvertOneLongParagraphToGlyphs(benchmark::State &state)
{
    convertDocument(state, false, Layout::OneParagraph);
}

BENCHMARK(BM_WordConvertToGlyphs)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_WordConvertToPictures)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_WordConvertEveryFormulaToAPicture)
    ->ArgName("pictures")
    ->Arg(250)
    ->Arg(1000)
    ->Arg(2000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK(BM_WordConvertOneLongParagraphToGlyphs)
    ->ArgName("formulas")
    ->Arg(2000)
    ->Arg(8000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

} // namespace
