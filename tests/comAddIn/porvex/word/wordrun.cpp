#include "tests/comAddIn/porvex/word/wordrun.h"

#include "tests/platform/office/word/sampledocx.h"

#include <QFile>

namespace wordrun
{

QString paragraphXml(const QString &text)
{
    const QString lineBreak = QStringLiteral("</w:t><w:br/><w:t xml:space=\"preserve\">");
    return QStringLiteral("<w:p><w:r><w:t xml:space=\"preserve\">%1</w:t></w:r></w:p>")
        .arg(text.toHtmlEscaped().replace(u'\v', lineBreak));
}

QString bodyOfParagraphs(const QStringList &texts)
{
    QString body;
    for (const QString &text : texts)
        body += paragraphXml(text);
    return body + QStringLiteral("<w:sectPr/>");
}

bool writeParagraphs(const QString &path, const QStringList &texts)
{
    return wordtest::writeDocx(path, bodyOfParagraphs(texts));
}

void WordRunTest::SetUp()
{
    ASSERT_TRUE(QFile::copy(QStringLiteral(MURVEL_FIXTURE_DIR "/wordconversion/murvel.mdb"),
                            m_program.filePath(QStringLiteral("murvel.mdb"))));
    ASSERT_TRUE(QFile::copy(QStringLiteral(MURVEL_PROGRAM_DIR "/murvel-operators.ttf"),
                            m_program.filePath(QStringLiteral("murvel-operators.ttf"))));
}

porvex::ConversionContext WordRunTest::context()
{
    return {m_program.path() + u'/', m_windows.path(), &m_dialog,
            [this](const porvex::Message &message) {
                m_messages << message.title + QStringLiteral(": ") + message.text;
            }};
}

word::Document *WordRunTest::openParagraphs(const QStringList &texts, const QString &name)
{
    return openBody(bodyOfParagraphs(texts), name);
}

word::Document *WordRunTest::openBody(const QString &bodyXml, const QString &name)
{
    const QString path = pathOf(name);
    if (!wordtest::writeDocx(path, bodyXml)) {
        ADD_FAILURE() << "cannot write " << path.toStdString();
        return nullptr;
    }
    return open(path);
}

word::Document *WordRunTest::open(const QString &path)
{
    platform::Result<word::Document *> opened = m_word.documents().open(path);
    if (!opened) {
        ADD_FAILURE() << opened.errorString().toStdString();
        return nullptr;
    }
    return opened.value();
}

word::Document *WordRunTest::document(const QString &name)
{
    return m_word.documents().item(pathOf(name));
}

} // namespace wordrun
