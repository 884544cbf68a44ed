#include "bench/largedocx.h"
#include "vbprog/kavrot/batch.h"

#include <QDir>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

// The transcoder's batch over a folder of Word documents of 20 pages each: every document
// copied, opened, searched for the old private-use characters, converted and saved.
namespace
{

constexpr int paragraphsPerDocument = 200; // about 20 pages of 50 words
constexpr int wordsPerParagraph = 40;

// Ignores the progress; the user never stops.
class QuietObserver : public kavrot::BatchObserver
{
public:
    void letEventsRun() override {}
    bool stopRequested() const override { return false; }
    QString message() const override { return m_message; }
    void setMessage(const QString &text) override { m_message = text; }
    void setCount(int) override {}
    void refuse(const QString &, const QString &) override {}

private:
    QString m_message;
};

QByteArray documentXml()
{
    QString words;
    for (int w = 0; w < wordsPerParagraph; ++w)
        words += QStringLiteral("word%1 ").arg(w);
    QString xml = QStringLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n<w:document "
        "xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\"><w:body>");
    // Each paragraph: Latin text, two old characters among Chinese text, one the reference
    // table lacks.
    for (int p = 0; p < paragraphsPerDocument; ++p)
        xml += QStringLiteral("<w:p><w:r><w:t xml:space=\"preserve\">%1</w:t></w:r>"
                              "<w:r><w:rPr><w:rFonts w:eastAsia=\"標楷體\"/></w:rPr>"
                              "<w:t>說文\uE000解字\uE001注曰\uE0FF之字</w:t></w:r></w:p>")
                   .arg(words);
    xml += QStringLiteral("<w:sectPr/></w:body></w:document>");
    return xml.toUtf8();
}

void BM_TranscodeFolderOfWordDocuments(benchmark::State &state)
{
    const int documents = int(state.range(0));
    QTemporaryDir folder;
    QDir(folder.path()).mkpath(QStringLiteral("src"));
    QDir(folder.path()).mkpath(QStringLiteral("dst"));
    const QByteArray xml = documentXml();
    for (int d = 0; d < documents; ++d) {
        if (!WriteWordDocument(
                folder.filePath(QStringLiteral("src/doc%1.docx").arg(d, 3, 10, QChar(u'0'))),
                xml)) {
            state.SkipWithError("the documents cannot be written");
            return;
        }
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

BENCHMARK(BM_TranscodeFolderOfWordDocuments)
    ->Arg(25)
    ->Arg(50)
    ->Arg(100)
    ->Unit(benchmark::kSecond)
    ->Iterations(1);

} // namespace
