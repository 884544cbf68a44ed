#include "comAddIn/officehost/hostprogram.h"
#include "comAddIn/officehost/hostwindow.h"
#include "largedocx.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

// officehost opening a document whose one paragraph is a single "word" of a million letters,
// with no line-break opportunity in it, as a .docx and as a web page: from the open to the
// window shown with its text laid out. No add-in is registered.
namespace
{

constexpr int kLetters = 1'000'000;

QString oneLongWord()
{
    return QString(kLetters, QChar(u'a'));
}

bool writeDocx(const QString &path)
{
    return WriteWordDocument(
        path,
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>"
        "<w:document xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\">"
        "<w:body><w:p><w:r><w:t>" +
            oneLongWord().toUtf8() + "</w:t></w:r></w:p></w:body></w:document>");
}

bool writePage(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) &&
           file.write("<html><head><meta charset=\"utf-8\"></head><body><p>" +
                      oneLongWord().toUtf8() + "</p></body></html>") > 0;
}

void openAndShow(benchmark::State &state, const QString &name, bool (*write)(const QString &))
{
    QTemporaryDir dir;
    qputenv("MURVEL_REGISTRY_DIR", dir.filePath(u"registry"_qs).toUtf8());
    qputenv("MURVEL_OFFICE_CONFIG_DIR", dir.filePath(u"office"_qs).toUtf8());
    const QString path = dir.filePath(name);
    if (!write(path)) {
        state.SkipWithError("the document could not be written");
        return;
    }
    for (auto _ : state) {
        officehost::HostProgram program;
        if (!program.openDocument(path).ok()) {
            state.SkipWithError("officehost did not open the document");
            return;
        }
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(program.windows().first()->isVisible());
    }
    qunsetenv("MURVEL_REGISTRY_DIR");
    qunsetenv("MURVEL_OFFICE_CONFIG_DIR");
}

void BM_OneLongWordDocx(benchmark::State &state)
{
    openAndShow(state, u"word.docx"_qs, writeDocx);
}
BENCHMARK(BM_OneLongWordDocx)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_OneLongWordPage(benchmark::State &state)
{
    openAndShow(state, u"word.html"_qs, writePage);
}
BENCHMARK(BM_OneLongWordPage)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
