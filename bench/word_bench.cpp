#include "largedocx.h"
#include "platform/office/word/docx/docxdocument.h"

#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

// A 200-page Word document (about 100,000 words of varied text, 2,000 formulas) opened and
// saved, with python-docx's open and save of the same file beside it where it is installed;
// opened, searched for every formula as the Word conversion searches, and saved.
// MURVEL_BENCH_DOCX=<file> times the open and save of that document instead (one made by
// LibreOffice, say).
namespace
{

bool isInfix(QChar c)
{
    return c >= QChar(0xF6A3) && c <= QChar(0xF6A5);
}

bool isOperator(QChar c)
{
    return c >= QChar(0xF6A3) && c <= QChar(0xF6AD);
}

// The formulas of the main text, found and grown one character at a time as the Word
// conversion does: a class search for the next operator, the left operand of an infix
// operator, then as long as an operator or an infix operator after the next character
// continues the formula; a bracketed formula up to its closing bracket. convert replaces
// each by a glyph in its own typeface.
int findFormulas(word::Document &document, bool convert)
{
    auto range = document.content();
    word::FindOptions options;
    options.text = QStringLiteral("[\uF6A3-\uF6AE]");
    options.matchWildcards = true;
    int found = 0;
    while (range->find(options)) {
        const QString hit = range->text();
        if (hit.at(0) == QChar(0xF6AE)) {
            range->moveEndUntil(QString(QChar(0xF6AF)), 50);
            range->moveEnd(1);
        } else {
            if (isInfix(hit.at(0)))
                range->setStart(range->start() - 1);
            auto next = document.content();
            for (;;) {
                next->setRange(range->end() - 1, range->end() + 1);
                const QString pair = next->text();
                if (pair.size() < 2 || !(isOperator(pair.at(0)) || isInfix(pair.at(1))))
                    break;
                range->moveEnd(1);
            }
        }
        ++found;
        if (convert) {
            range->setText(QString(QChar(0xE000 + found % 100)));
            word::Font eudc;
            eudc.name = QStringLiteral("標楷體外字集一");
            range->setFont(eudc);
        }
        range->collapse(word::CollapseDirection::End);
    }
    return found;
}

void openFindAndSave(benchmark::State &state, bool convert)
{
    QTemporaryDir folder;
    const QString source = folder.filePath(QStringLiteral("large.docx"));
    const QString target = folder.filePath(QStringLiteral("large☆.docx"));
    if (!WriteLargeDocument(source,
                            {QStringLiteral("口\uF6A4木"), QStringLiteral("\uF6AE日月\uF6AF"),
                             QStringLiteral("\uF6A7又\uF6A3土"), QStringLiteral("氵\uF6A4可")})) {
        state.SkipWithError("the large document cannot be written");
        return;
    }
    for (auto _ : state) {
        auto opened = word::docx::DocxDocument::open(source);
        if (!opened) {
            state.SkipWithError(opened.errorString().toUtf8().constData());
            return;
        }
        const int found = findFormulas(*opened.value(), convert);
        if (found != LargeDocumentParagraphs) {
            state.SkipWithError("not every formula was found");
            return;
        }
        if (!opened.value()->saveAs(target)) {
            state.SkipWithError("the document cannot be saved");
            return;
        }
    }
}

// python-docx's median open and save of source in milliseconds; negative when it is not
// installed or fails.
double pythonDocxOpenSave(const QString &source, const QString &target)
{
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"),
                 {QStringLiteral(MURVEL_BENCH_SOURCE_DIR "/python_docx_open_save.py"), source,
                  target, QStringLiteral("5")});
    if (!python.waitForFinished(120000) || python.exitStatus() != QProcess::NormalExit ||
        python.exitCode() != 0)
        return -1;
    bool ok = false;
    const double seconds = python.readAllStandardOutput().trimmed().toDouble(&ok);
    return ok ? seconds * 1000 : -1;
}

void BM_OpenAndSave(benchmark::State &state)
{
    QTemporaryDir folder;
    QString source = qEnvironmentVariable("MURVEL_BENCH_DOCX");
    if (source.isEmpty()) {
        source = folder.filePath(QStringLiteral("large.docx"));
        if (!WriteLargeDocument(source, {QStringLiteral("口\uF6A4木")})) {
            state.SkipWithError("the large document cannot be written");
            return;
        }
    }
    const QString target = folder.filePath(QStringLiteral("saved.docx"));
    for (auto _ : state) {
        auto opened = word::docx::DocxDocument::open(source);
        if (!opened || !opened.value()->saveAs(target)) {
            state.SkipWithError("the document cannot be opened and saved");
            return;
        }
    }
    if (const double peer = pythonDocxOpenSave(source, target); peer > 0)
        state.counters["python_docx_ms"] = peer;
}

void BM_OpenFindEveryFormulaAndSave(benchmark::State &state)
{
    openFindAndSave(state, false);
}

void BM_OpenConvertEveryFormulaAndSave(benchmark::State &state)
{
    openFindAndSave(state, true);
}

BENCHMARK(BM_OpenAndSave)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenFindEveryFormulaAndSave)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenConvertEveryFormulaAndSave)->Unit(benchmark::kMillisecond);

} // namespace
