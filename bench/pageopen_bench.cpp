#include "platform/office/page/htmlpage.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

// Opening a web page: a page whose one paragraph holds a megabyte of text, and an old page
// that opens a <font> on each of its lines and never closes one.
namespace
{

void openPage(benchmark::State &state, const QByteArray &page)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("page.html"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(page) != page.size()) {
        state.SkipWithError("cannot write the page");
        return;
    }
    file.close();
    for (auto _ : state) {
        auto opened = office::page::HtmlPage::open(path);
        if (!opened.ok()) {
            state.SkipWithError(opened.errorString().toStdString().c_str());
            return;
        }
        benchmark::DoNotOptimize(opened.value()->body()->createTextRange()->text());
    }
    state.SetBytesProcessed(state.iterations() * page.size());
}

void LongParagraph(benchmark::State &state)
{
    // 木⿰目 three bytes a character in UTF-8: a megabyte of formulas and text.
    const QByteArray text = QStringLiteral("木\uF6A4目，").repeated(90000).toUtf8();
    openPage(state, "<html><head><meta charset=\"utf-8\"></head><body><p>" + text +
                        "</p></body></html>\n");
}
BENCHMARK(LongParagraph)->Unit(benchmark::kMillisecond);

void UnclosedFonts(benchmark::State &state)
{
    QByteArray page = "<html><body>\n";
    for (int line = 0; line < 5000; ++line)
        page += "<font size=\"2\">line " + QByteArray::number(line) + "<br>\n";
    openPage(state, page);
}
BENCHMARK(UnclosedFonts)->Unit(benchmark::kMillisecond);

} // namespace
