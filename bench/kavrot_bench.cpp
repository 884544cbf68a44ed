#include "bench/largedocx.h"
#include "platform/registry/registrystore.h"
#include "vbprog/kavrot/batch.h"
#include "vbprog/kavrot/kavrotwindow.h"
#include "vbprog/murvel/core/mainprogrampath.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

// The transcoder's batch over a folder of Word documents of 20 pages each: every document
// copied, opened, searched for the old private-use characters, converted and saved; the
// batch alone, and run from its window as the user runs it, with the progress shown.
namespace
{

constexpr int paragraphsPerDocument = 200; // about 20 pages of 50 words
constexpr int wordsPerParagraph = 40;

// Ignores the progress; the user never stops.
class QuietObserver : public toolkit::BatchObserver
{
public:
    void letEventsRun() override {}
    bool stopRequested() const override { return false; }
    QString message() const override { return m_message; }
    void setMessage(const QString &text) override { m_message = text; }
    void setCount(std::optional<int>) override {}
    void refuse(const QString &, const QString &) override {}

private:
    QString m_message;
};

// Each paragraph: varied Latin text, two old characters among Chinese text, one the
// reference table lacks.
QByteArray documentXml(VariedText &varied)
{
    QString xml = QStringLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n<w:document "
        "xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\"><w:body>");
    for (int p = 0; p < paragraphsPerDocument; ++p)
        xml += QStringLiteral("<w:p><w:r><w:t xml:space=\"preserve\">%1 </w:t></w:r>"
                              "<w:r><w:rPr><w:rFonts w:eastAsia=\"標楷體\"/></w:rPr>"
                              "<w:t>%2\uE000%3\uE001%4\uE0FF%5</w:t></w:r></w:p>")
                   .arg(varied.latinWords(wordsPerParagraph), varied.chineseCharacters(2),
                        varied.chineseCharacters(2), varied.chineseCharacters(2),
                        varied.chineseCharacters(2));
    xml += QStringLiteral("<w:sectPr/></w:body></w:document>");
    return xml.toUtf8();
}

// A folder src of documents and an empty folder dst; false when they cannot be written.
bool writeDocuments(const QTemporaryDir &folder, int documents)
{
    QDir(folder.path()).mkpath(QStringLiteral("src"));
    QDir(folder.path()).mkpath(QStringLiteral("dst"));
    VariedText varied;
    for (int d = 0; d < documents; ++d) {
        if (!WriteWordDocument(
                folder.filePath(QStringLiteral("src/doc%1.docx").arg(d, 3, 10, QChar(u'0'))),
                documentXml(varied)))
            return false;
    }
    return true;
}

void BM_TranscodeFolderOfWordDocuments(benchmark::State &state)
{
    const int documents = int(state.range(0));
    QTemporaryDir folder;
    if (!writeDocuments(folder, documents)) {
        state.SkipWithError("the documents cannot be written");
        return;
    }
    const kavrot::BatchRequest request{folder.filePath(QStringLiteral("src")),
                                       folder.filePath(QStringLiteral("dst")),
                                       QStringLiteral(MURVEL_PROGRAM_DIR "/kavrot01.mdb")};
    for (auto _ : state) {
        QuietObserver observer;
        const kavrot::BatchResult result = kavrot::runBatch(request, observer);
        if (result.count != documents || !result.failures.isEmpty()) {
            state.SkipWithError(observer.message().toUtf8().constData());
            return;
        }
    }
    state.counters["characters"] = double(documents) * paragraphsPerDocument * 2;
}

// The same batch started with 轉換 in the transcoder's window (offscreen unless a display
// is named), which shows the progress as the user sees it. The window reads its settings
// from a program folder of its own, recorded in a registry of its own.
void BM_TranscodeFolderInTheWindow(benchmark::State &state)
{
    const int documents = int(state.range(0));
    QTemporaryDir folder;
    const QString program = folder.filePath(QStringLiteral("bin"));
    if (!writeDocuments(folder, documents) || !QDir().mkpath(program) ||
        !QFile::copy(QStringLiteral(MURVEL_PROGRAM_DIR "/kavrot01.mdb"),
                     program + QStringLiteral("/kavrot01.mdb"))) {
        state.SkipWithError("the documents cannot be written");
        return;
    }
    qputenv("MURVEL_REGISTRY_DIR", folder.filePath(QStringLiteral("registry")).toUtf8());
    registry::RegistryStore().setValue(registry::Root::LocalMachine, mainprogram::kAppPathsKey,
                                       QString(), program + QStringLiteral("/murvel"));
    const QString done = QStringLiteral(" 轉碼結束，總共轉換了%1個檔案。").arg(documents);
    for (auto _ : state) {
        kavrot::KavrotWindow window;
        window.show();
        window.findChild<QLineEdit *>(QStringLiteral("txtSrcFileOrDir"))
            ->setText(folder.filePath(QStringLiteral("src")));
        window.findChild<QLineEdit *>(QStringLiteral("txtDstDir"))
            ->setText(folder.filePath(QStringLiteral("dst")));
        window.findChild<QComboBox *>(QStringLiteral("cboRefFile"))->setCurrentIndex(0);
        window.findChild<QPushButton *>(QStringLiteral("cmdCvt"))->click();
        const QString message = window.findChild<QLabel *>(QStringLiteral("lblMessage"))->text();
        if (message != done) {
            state.SkipWithError(message.toUtf8().constData());
            break;
        }
    }
    qunsetenv("MURVEL_REGISTRY_DIR");
    state.counters["characters"] = double(documents) * paragraphsPerDocument * 2;
}

BENCHMARK(BM_TranscodeFolderOfWordDocuments)
    ->Arg(25)
    ->Arg(50)
    ->Arg(100)
    ->Unit(benchmark::kSecond)
    ->Iterations(1);
BENCHMARK(BM_TranscodeFolderInTheWindow)->Arg(100)->Unit(benchmark::kSecond)->Iterations(1);

} // namespace
