#include "platform/office/page/htmlpage.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <functional>

// Opening a web page: a page whose one paragraph holds a megabyte of text, and an old page
// that opens a <font> on each of its lines and never closes one. Converting the formulas of
// one long text to pictures, as the add-in's conversion edits the page, at three lengths.
namespace
{

// Writes the page, then in each iteration opens it and hands it to work, which says what
// went wrong, if anything. The page's bytes count as processed.
void timePage(benchmark::State &state, const QByteArray &page,
              const std::function<QString(office::page::HtmlPage &, const QTemporaryDir &)> &work)
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
        const QString problem = opened.ok() ? work(*opened.value(), folder) : opened.errorString();
        if (!problem.isEmpty()) {
            state.SkipWithError(problem.toStdString().c_str());
            return;
        }
    }
    state.SetBytesProcessed(state.iterations() * page.size());
}

void openPage(benchmark::State &state, const QByteArray &page)
{
    timePage(state, page, [](office::page::HtmlPage &opened, const QTemporaryDir &) {
        benchmark::DoNotOptimize(opened.body()->createTextRange()->text());
        return QString();
    });
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

// One paragraph of state.range(0) KB of text in one text node, a formula in every 500 bytes
// or so among varied sentences. Each formula becomes a picture as the conversion makes it:
// the body's text read for the next formula, its font asked, its markup taken and a picture
// pasted over it; then the page is saved. The time per kilobyte stays the same as it grows.
void LongTextToPictures(benchmark::State &state)
{
    const QStringList sentences = {
        QStringLiteral("說文解字注曰：字者，言孳乳而浸多也。"),
        QStringLiteral("凡文字之形，有象形、指事、會意、形聲，各得其一端。"),
        QStringLiteral("部首五百四十，始一終亥，以形相從，據形系聯。"),
        QStringLiteral("古文籀文或異，小篆因之而省改，隸書又變其體。"),
        QStringLiteral("Text in Latin letters, 1234567890, mixed with 漢字 as pages have it. ")};
    const QString formula = QStringLiteral("木\uF6A4目");
    QByteArray text;
    int formulas = 0;
    for (int i = 0; text.size() < state.range(0) * 1024; ++i) {
        text += sentences[i % sentences.size()].toUtf8();
        if (i % 3 == 2) {
            text += formula.toUtf8();
            ++formulas;
        }
    }
    const QByteArray page =
        "<html><head><meta charset=\"utf-8\"></head><body><p>" + text + "</p></body></html>\n";
    const QString picture = QStringLiteral("<img src=\"glyph.bmp\" alt=\"●＝木\uF6A4目\">");
    timePage(state, page, [&](office::page::HtmlPage &html, const QTemporaryDir &folder) {
        int converted = 0;
        for (int from = 0;;) {
            const qsizetype found = html.body()->createTextRange()->text().indexOf(formula, from);
            if (found < 0)
                break;
            std::unique_ptr<office::page::TextRange> range = html.body()->createTextRange();
            range->collapse(true);
            range->move(int(found));
            range->moveEnd(int(formula.size()));
            benchmark::DoNotOptimize(range->queryCommandValue(QStringLiteral("FontName")));
            const QString markup = range->htmlText();
            range->pasteHTML(markup.left(markup.indexOf(formula.front())) + picture);
            from = int(found) + 1;
            ++converted;
        }
        if (converted != formulas)
            return QStringLiteral("a formula was not converted");
        const auto saved = html.saveAs(folder.filePath(QStringLiteral("out.html")));
        return saved.ok() ? QString() : saved.errorString();
    });
    state.counters["formulas"] = formulas;
}
BENCHMARK(LongTextToPictures)
    ->ArgName("KB")
    ->Arg(256)
    ->Arg(512)
    ->Arg(1024)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2);

} // namespace
