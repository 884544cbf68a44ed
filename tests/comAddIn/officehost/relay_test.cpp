// The relay as the office program where the user writes speaks to it: over a real local
// socket, with porvex and trivane registered, the command bars of each host, clicks that
// type, convert the stored document or refuse it, and the end of the relay.
#include "comAddIn/officehost/relayserver.h"
#include "comAddIn/relaysocket/privatesocket.h"
#include "platform/fonts/programfonts.h"
#include "platform/office/host/commandbars.h"
#include "tests/comAddIn/officehost/conversionclicks.h"
#include "tests/comAddIn/officehost/relayclient.h"
#include "tests/platform/office/word/sampledocx.h"
#include "tests/support/childprocess.h"
#include "tests/support/inkprofile.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QEventLoop>
#include <QJsonArray>
#include <QMessageBox>
#include <QPainter>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <sys/socket.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace
{

using namespace std::chrono_literals;

const QString kWord = u"Microsoft Word"_qs;
const QString kToGlyphs = u"qelToolExpToGlyph"_qs;

QJsonObject barNamed(const QJsonObject &reply, const QString &name)
{
    for (const QJsonValue &bar : reply.value(u"bars").toArray()) {
        if (bar[u"name"].toString() == name)
            return bar.toObject();
    }
    return QJsonObject();
}

QJsonObject controlTagged(const QJsonObject &bar, const QString &tag)
{
    for (const QJsonValue &control : bar.value(u"controls").toArray()) {
        if (control[u"tag"].toString() == tag)
            return control.toObject();
    }
    return QJsonObject();
}

QStringList captionsOf(const QJsonObject &bar)
{
    QStringList captions;
    for (const QJsonValue &control : bar.value(u"controls").toArray())
        captions.append(control[u"caption"].toString());
    return captions;
}

// The actions of a click's answer, each as its name and its text or path.
QStringList actionsOf(const QList<QJsonObject> &lines)
{
    QStringList actions;
    for (const QJsonObject &line : lines) {
        if (line.contains(u"action"))
            actions.append(line[u"action"].toString() + u' ' + line[u"text"].toString() +
                           line[u"path"].toString());
    }
    return actions;
}

QJsonObject doneOf(const QList<QJsonObject> &lines)
{
    return lines.isEmpty() ? QJsonObject() : lines.last();
}

// The relay on a socket of the test's folder, with porvex and trivane registered and the
// lookup fixture as the installed program. The messages our process shows are recorded and
// closed, as every chooser is.
class RelayTest : public ConversionClickTest
{
protected:
    void SetUp() override
    {
        ConversionClickTest::SetUp();
        office::AddInLibrary trivane;
        ASSERT_TRUE(trivane.load(QStringLiteral(TRIVANE_LIBRARY)))
            << trivane.errorString().toStdString();
        ASSERT_EQ(trivane.registerServer(), 0);
        m_onQuestion = [this](QWidget *question) {
            if (auto *box = qobject_cast<QMessageBox *>(question))
                m_messages.append(box->text());
        };
        m_socketPath = path(u"relay.socket"_qs);
        const auto listening = m_server.listen(m_socketPath);
        ASSERT_TRUE(listening.ok()) << listening.errorString().toStdString();
    }

    // Runs the conversation with the relay in a thread of its own while this thread serves
    // it, and gives what the conversation gives.
    template<class Conversation> auto converse(Conversation conversation)
    {
        std::invoke_result_t<Conversation, RelayClient &> result{};
        QEventLoop serving;
        std::thread client([&] {
            {
                RelayClient relay(m_socketPath);
                if (relay.connected())
                    result = conversation(relay);
            }
            QMetaObject::invokeMethod(&serving, &QEventLoop::quit, Qt::QueuedConnection);
        });
        serving.exec();
        client.join();
        return result;
    }

    QList<QJsonObject> click(const QString &host, const QString &tag, const QString &document,
                             bool modified, const std::function<QJsonObject()> &store = {})
    {
        return converse(
            [&](RelayClient &relay) { return relay.click(host, tag, document, modified, store); });
    }

    // The files of the test's folder.
    QStringList files() const
    {
        return QDir(m_dir.path()).entryList(QDir::Files | QDir::System, QDir::Name);
    }

    officehost::RelayServer m_server{1s};
    QString m_socketPath;
    QStringList m_messages;
};

TEST_F(RelayTest, EachHostsBarsCarryTheAddInsCaptionsAndKinds)
{
    const QStringList hosts = {kWord, u"Microsoft Excel"_qs, u"Microsoft PowerPoint"_qs,
                               u"Microsoft FrontPage"_qs};
    const auto replies = converse([&](RelayClient &relay) {
        QList<QJsonObject> bars;
        for (const QString &host : hosts) {
            bars.append(
                relay.ask({{u"op"_qs, u"bars"_qs}, {u"host"_qs, host}}).value_or(QJsonObject()));
        }
        return bars;
    });
    ASSERT_EQ(replies.size(), hosts.size());
    for (const QJsonObject &reply : replies) {
        const QJsonObject tools = barNamed(reply, u"Tools"_qs);
        EXPECT_EQ(tools[u"kind"], u"menu"_qs);
        // The host's own items stay with the host.
        EXPECT_FALSE(captionsOf(tools).contains(u"增益集..."_qs));
        EXPECT_TRUE(captionsOf(tools).contains(u"Tesvani..."_qs));
        EXPECT_TRUE(controlTagged(tools, kToGlyphs)[u"beginGroup"].toBool());

        const QJsonObject operators = barNamed(reply, u"構字符號"_qs);
        EXPECT_EQ(operators[u"kind"], u"toolbar"_qs);
        EXPECT_EQ(operators[u"visible"], false); // shown from the toolbar list
        EXPECT_EQ(controlTagged(operators, u"qelOperatorH"_qs)[u"caption"], Beside);

        const QJsonObject trigrams = barNamed(reply, u"八卦符號"_qs);
        EXPECT_EQ(trigrams[u"kind"], u"toolbar"_qs);
        EXPECT_EQ(controlTagged(trigrams, u"乾"_qs)[u"caption"], QString(QChar(0xEDC7)));
    }
    const QJsonObject wordTools = barNamed(replies[0], u"Tools"_qs);
    EXPECT_EQ(controlTagged(wordTools, kToGlyphs)[u"caption"], u"構字式轉成字形☆(預覽)"_qs);
    EXPECT_EQ(controlTagged(wordTools, u"qelToolExpToImg"_qs)[u"visible"], true);
    // Each host hides the items it has no conversion for.
    EXPECT_EQ(controlTagged(barNamed(replies[1], u"Tools"_qs), u"qelToolExpToImg"_qs)[u"visible"],
              false);
    const QJsonObject pageTools = barNamed(replies[3], u"Tools"_qs);
    EXPECT_EQ(controlTagged(pageTools, kToGlyphs)[u"visible"], false);
    EXPECT_EQ(controlTagged(pageTools, u"qelToolExpToImg"_qs)[u"caption"], u"構字式轉成圖片"_qs);
}

// A caption picture as the office shows it on a light toolbar.
QImage onWhite(const QString &path)
{
    QImage shown(QImage(path).size(), QImage::Format_RGB32);
    shown.fill(Qt::white);
    QPainter painter(&shown);
    painter.drawImage(0, 0, QImage(path));
    return shown;
}

// The office has no font for the operators and trigrams: their buttons carry pictures of
// the captions in the operator font, at the office's small and large button sizes, each
// glyph its own; plain captions carry none.
TEST_F(RelayTest, OperatorAndTrigramCaptionsComeWithPicturesOfTheirGlyphs)
{
    ASSERT_EQ(fonts::registerProgramFonts(MURVEL_PROGRAM_DIR), QStringList());
    const QJsonObject reply = converse([](RelayClient &relay) {
        return relay.ask({{u"op"_qs, u"bars"_qs}, {u"host"_qs, kWord}}).value_or(QJsonObject());
    });
    for (const QJsonValue &control : barNamed(reply, u"Tools"_qs)[u"controls"].toArray()) {
        const std::string tag = control[u"tag"].toString().toStdString();
        EXPECT_FALSE(control.toObject().contains(u"image")) << tag;
        EXPECT_FALSE(control.toObject().contains(u"largeImage")) << tag;
    }
    QList<QImage> smallPictures;
    QList<QImage> largePictures;
    for (const QString &bar : {u"構字符號"_qs, u"八卦符號"_qs}) {
        const QJsonArray controls = barNamed(reply, bar)[u"controls"].toArray();
        EXPECT_GE(controls.size(), 8) << bar.toStdString();
        for (const QJsonValue &control : controls) {
            const std::string tag = control[u"tag"].toString().toStdString();
            const QString small = control[u"image"].toString();
            const QString large = control[u"largeImage"].toString();
            ASSERT_TRUE(QFileInfo(small).isAbsolute()) << tag;
            EXPECT_TRUE(small.startsWith(m_socketPath + u".icons-"_qs)) << tag;
            const QImage picture(small);
            ASSERT_EQ(picture.size(), QSize(16, 16)) << tag;
            ASSERT_EQ(QImage(large).size(), QSize(24, 24)) << tag;
            EXPECT_TRUE(picture.hasAlphaChannel()) << tag;
            EXPECT_EQ(qAlpha(picture.pixel(0, 0)), 0) << tag;
            const int ink =
                testsupport::inkIn(testsupport::inkProfile(onWhite(large), Qt::Vertical), 0, 24);
            EXPECT_GT(ink, 20) << tag;
            smallPictures.append(onWhite(small));
            largePictures.append(onWhite(large));
        }
    }
    // A fallback would draw one box for all, or some other characters.
    for (qsizetype i = 0; i < largePictures.size(); ++i) {
        for (qsizetype j = i + 1; j < largePictures.size(); ++j) {
            EXPECT_NE(smallPictures[i], smallPictures[j]) << i << ' ' << j;
            EXPECT_NE(largePictures[i], largePictures[j]) << i << ' ' << j;
        }
    }
    // The trigrams are three bars, one above the other, with blank bands between them.
    for (qsizetype i = largePictures.size() - 8; i < largePictures.size(); ++i) {
        const QList<int> rows = testsupport::inkProfile(largePictures[i], Qt::Vertical);
        EXPECT_TRUE(testsupport::splitByBlankBand(rows)) << i;
    }
}

TEST_F(RelayTest, ASocketOthersCouldTakeOrAnswerOnIsRefused)
{
    struct Case {
        const char *name;
        // Makes what stands at the socket's folder or name; the socket's path.
        std::function<QString()> make;
    };
    const QString privateFolder = path(u"private"_qs);
    ASSERT_TRUE(QDir().mkdir(privateFolder));
    ::chmod(QFile::encodeName(privateFolder).constData(), 0700);
    const std::vector<Case> cases{
        {"a folder open to all",
         [&] {
             QDir().mkdir(path(u"open"_qs));
             ::chmod(QFile::encodeName(path(u"open"_qs)).constData(), 0777);
             return path(u"open/relay.socket"_qs);
         }},
        {"a folder others may enter",
         [&] {
             QDir().mkdir(path(u"readable"_qs));
             ::chmod(QFile::encodeName(path(u"readable"_qs)).constData(), 0750);
             return path(u"readable/relay.socket"_qs);
         }},
        {"a folder of another user's",
         [&] {
             QDir().mkdir(path(u"others"_qs));
             ::chmod(QFile::encodeName(path(u"others"_qs)).constData(), 0700);
             // Tests run as root, which may give the folder away.
             EXPECT_EQ(::chown(QFile::encodeName(path(u"others"_qs)).constData(), ::getuid() + 1,
                               ::getgid()),
                       0);
             return path(u"others/relay.socket"_qs);
         }},
        {"a link to a private folder",
         [&] {
             QFile::link(privateFolder, path(u"link"_qs));
             return path(u"link/relay.socket"_qs);
         }},
        {"a file at the folder's name",
         [&] {
             QFile file(path(u"file"_qs));
             EXPECT_TRUE(file.open(QIODevice::WriteOnly));
             return path(u"file/relay.socket"_qs);
         }},
        {"a file at the socket's name",
         [&] {
             QFile file(path(u"private/file.socket"_qs));
             EXPECT_TRUE(file.open(QIODevice::WriteOnly));
             return path(u"private/file.socket"_qs);
         }},
        {"a FIFO at the socket's name",
         [&] {
             ::mkfifo(QFile::encodeName(path(u"private/fifo.socket"_qs)).constData(), 0600);
             return path(u"private/fifo.socket"_qs);
         }},
    };
    for (const Case &refused : cases) {
        const QString socketPath = refused.make();
        const QFileInfo before(socketPath);
        officehost::RelayServer server;
        const auto listening = server.listen(socketPath);
        EXPECT_FALSE(listening.ok()) << refused.name;
        EXPECT_FALSE(listening.errorString().isEmpty()) << refused.name;
        // Nothing is made or taken over there.
        EXPECT_EQ(QFileInfo(socketPath).exists(), before.exists()) << refused.name;
        EXPECT_FALSE(QFileInfo(socketPath).isSymbolicLink()) << refused.name;
    }
    EXPECT_EQ(QDir(privateFolder).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot),
              (QStringList{u"fifo.socket"_qs, u"file.socket"_qs}));

    // A missing folder is made, for this user alone.
    officehost::RelayServer server;
    ASSERT_TRUE(server.listen(path(u"made/relay.socket"_qs)).ok());
    struct stat made {
    };
    ASSERT_EQ(::lstat(QFile::encodeName(path(u"made"_qs)).constData(), &made), 0);
    EXPECT_EQ(made.st_mode & 07777, 0700u);
}

TEST(RelayPeer, OnlyAPeerOfTheSameUserIsTalkedTo)
{
    int pair[2];
    ASSERT_EQ(::socketpair(AF_UNIX, SOCK_STREAM, 0, pair), 0);
    EXPECT_TRUE(relaysocket::peerRunsAs(pair[0], ::getuid()));
    EXPECT_FALSE(relaysocket::peerRunsAs(pair[0], ::getuid() + 1));
    // Anything that is not a connected local socket has no peer to trust.
    int pipe[2];
    ASSERT_EQ(::pipe(pipe), 0);
    EXPECT_FALSE(relaysocket::peerRunsAs(pipe[0], ::getuid()));
    for (const int fd : {pair[0], pair[1], pipe[0], pipe[1]})
        ::close(fd);
}

TEST_F(RelayTest, RequestsItCannotServeAreAnsweredAndTheConnectionGoesOn)
{
    const auto replies = converse([](RelayClient &relay) {
        QList<QJsonObject> answers;
        relay.sendLine("{not json");
        answers.append(relay.next().value_or(QJsonObject()));
        answers.append(relay.ask({{u"op"_qs, u"bars"_qs}, {u"host"_qs, u"Outlook"_qs}})
                           .value_or(QJsonObject()));
        answers.append(
            relay.ask({{u"op"_qs, u"paint"_qs}, {u"host"_qs, kWord}}).value_or(QJsonObject()));
        answers.append(relay.click(kWord, u"noSuchTag"_qs, QString(), false).value(0));
        answers.append(
            relay.ask({{u"op"_qs, u"bars"_qs}, {u"host"_qs, kWord}}).value_or(QJsonObject()));
        return answers;
    });
    ASSERT_EQ(replies.size(), 5);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(replies[i][u"done"], true) << i;
        EXPECT_EQ(replies[i][u"ok"], false) << i;
        EXPECT_FALSE(replies[i][u"message"].toString().isEmpty()) << i;
    }
    EXPECT_TRUE(replies[3][u"message"].toString().contains(u"noSuchTag"_qs));
    EXPECT_FALSE(barNamed(replies[4], u"構字符號"_qs).isEmpty());
}

TEST_F(RelayTest, SymbolButtonsTypeAtTheOfficeProgramsCaretWithoutTheFile)
{
    int stores = 0;
    const auto store = [&] {
        ++stores;
        return QJsonObject{{u"stored"_qs, true}};
    };
    const auto beside = click(kWord, u"qelOperatorH"_qs, QString(), true, store);
    EXPECT_EQ(actionsOf(beside), QStringList{u"type "_qs + Beside});
    EXPECT_EQ(doneOf(beside)[u"ok"], true);
    const auto qian = click(u"Microsoft PowerPoint"_qs, u"乾"_qs, QString(), true, store);
    EXPECT_EQ(actionsOf(qian), QStringList{u"type "_qs + QChar(0xEDC7)});
    EXPECT_EQ(doneOf(qian)[u"ok"], true);
    EXPECT_EQ(stores, 0);
    EXPECT_TRUE(m_messages.isEmpty()) << m_messages.join(u'\n').toStdString();
}

TEST_F(RelayTest, AConversionStoresTheChangedDocumentThenReloadsItAndOpensTheCopy)
{
    const QString source = path(u"report.docx"_qs);
    const QString copy = path(u"report☆.docx"_qs);
    ASSERT_TRUE(wordtest::writeDocx(source, u"<w:p><w:r><w:t>甲</w:t></w:r></w:p>"_qs));
    // What the user wrote since the last save reaches the file when the relay asks for it.
    int stores = 0;
    const auto lines = converse([&](RelayClient &relay) {
        // The office program mirrors the bars before the user clicks one, those of the
        // spreadsheet open beside too: the add-ins follow the host of the request.
        relay.ask({{u"op"_qs, u"bars"_qs}, {u"host"_qs, kWord}});
        relay.ask({{u"op"_qs, u"bars"_qs}, {u"host"_qs, u"Microsoft Excel"_qs}});
        return relay.click(kWord, kToGlyphs, source, true, [&] {
            ++stores;
            const bool written =
                wordtest::writeDocx(source, "<w:p><w:r><w:t>甲" + Bright + "乙</w:t></w:r></w:p>");
            return QJsonObject{{u"stored"_qs, written}};
        });
    });
    EXPECT_EQ(stores, 1);
    const QStringList actions = actionsOf(lines);
    ASSERT_GE(actions.size(), 4) << actions.join(u" | "_qs).toStdString();
    // The document is locked in the office program before it is stored and read.
    EXPECT_EQ(actions.mid(0, 2), (QStringList{u"lock "_qs, u"store "_qs}));
    EXPECT_TRUE(actions.contains(u"status 構字式轉換完畢"_qs));
    // The source, which the conversion changed, comes back before the copy opens in front.
    EXPECT_EQ(actions.mid(actions.size() - 2), (QStringList{u"reload "_qs, u"open "_qs + copy}));
    // The copy is protected: the office program opens it read-only.
    EXPECT_EQ(lines[lines.size() - 2][u"readOnly"], true);
    EXPECT_EQ(doneOf(lines)[u"ok"], true);
    EXPECT_EQ(doneOf(lines)[u"barsChanged"], false);
    EXPECT_TRUE(wordtest::mainText(copy).startsWith(u"甲明乙"_qs))
        << wordtest::mainText(copy).toStdString();
    EXPECT_TRUE(m_messages.isEmpty()) << m_messages.join(u'\n').toStdString();

    // The relay let go of both documents: a second click reads the file afresh, and an
    // unchanged document is not stored.
    const auto again = click(kWord, kToGlyphs, source, false);
    EXPECT_FALSE(actionsOf(again).contains(u"store "_qs));
    EXPECT_TRUE(actionsOf(again).contains(u"open "_qs + copy));
    EXPECT_EQ(doneOf(again)[u"ok"], true);
}

TEST_F(RelayTest, ASourceTheUserSavedWhileTheChooserAskedIsNeverWrittenOver)
{
    const QString source = path(u"report.docx"_qs);
    const QString copy = path(u"report☆.docx"_qs);
    ASSERT_TRUE(
        wordtest::writeDocx(source, "<w:p><w:r><w:t>甲" + GoodOrLong + "</w:t></w:r></w:p>"));
    // While the chooser is open, the user saves the document in the office program; then
    // picks a candidate, which changes the source.
    const QString saved = "<w:p><w:r><w:t>甲" + GoodOrLong +
                          "</w:t></w:r></w:p>"
                          "<w:p><w:r><w:t>使用者加的一行</w:t></w:r></w:p>";
    bool savedByUser = false;
    m_onQuestion = [&](QWidget *question) {
        if (!std::exchange(savedByUser, true)) {
            ASSERT_TRUE(wordtest::writeDocx(source, saved));
        }
        if (auto *first = question->findChild<QPushButton *>(u"cmb1"_qs))
            first->click();
    };
    const auto lines = click(kWord, kToGlyphs, source, false);
    ASSERT_TRUE(savedByUser) << "the chooser did not ask";
    const QStringList actions = actionsOf(lines);
    EXPECT_TRUE(wordtest::mainText(source).contains(u"使用者加的一行"_qs))
        << wordtest::mainText(source).toStdString();
    EXPECT_TRUE(actions.contains(u"status 文件在轉換時已被更改，原始文件沒有寫回"_qs))
        << actions.join(u" | "_qs).toStdString();
    // The office program keeps the document as the user saved it; the copy still opens.
    EXPECT_FALSE(actions.contains(u"reload "_qs));
    EXPECT_TRUE(actions.contains(u"open "_qs + copy));
}

TEST_F(RelayTest, AConversionWhoseCopyCannotBeWrittenFailsTheRequest)
{
    // The document's name fits; the preview copy's, three bytes longer ("☆"), does not.
    const QString written = path(u"short.docx"_qs);
    ASSERT_TRUE(wordtest::writeDocx(written, "<w:p><w:r><w:t>" + Bright + "</w:t></w:r></w:p>"));
    const QString docx = path(QString(249, u'p') + u".docx"_qs);
    ASSERT_TRUE(QFile::rename(written, docx));
    const auto lines = click(kWord, kToGlyphs, docx, false);
    EXPECT_EQ(doneOf(lines)[u"ok"], false);
    EXPECT_TRUE(doneOf(lines)[u"message"].toString().contains(u"預覽文件無法寫入"_qs))
        << doneOf(lines)[u"message"].toString().toStdString();
}

TEST_F(RelayTest, ADocumentTheEnginesCannotReadIsRefusedAndNothingChanges)
{
    const QString odt = path(u"notes.odt"_qs);
    {
        QFile file(odt);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("an OpenDocument text");
    }
    const QString docx = path(u"report.docx"_qs);
    ASSERT_TRUE(wordtest::writeDocx(docx, "<w:p><w:r><w:t>" + Bright + "</w:t></w:r></w:p>"));
    const QByteArray docxBefore = wordtest::fileBytes(docx);
    const QStringList filesBefore = files();

    struct Refusal {
        QString host;
        QString tag;
        QString path;
        QString says;
    };
    const Refusal refusals[] = {
        {kWord, kToGlyphs, QString(), u".docx"_qs},
        {kWord, u"qelToolExpToImg"_qs, odt, u".docx"_qs},
        {u"Microsoft Excel"_qs, kToGlyphs, docx, u".xlsx"_qs},
        {u"Microsoft FrontPage"_qs, u"qelToolExpToImg"_qs, QString(), u".html"_qs},
    };
    for (const Refusal &refusal : refusals) {
        SCOPED_TRACE((refusal.host + u' ' + refusal.path).toStdString());
        m_messages.clear();
        int stores = 0;
        const auto lines = click(refusal.host, refusal.tag, refusal.path, true, [&] {
            ++stores;
            return QJsonObject{{u"stored"_qs, true}};
        });
        EXPECT_EQ(stores, 0) << "nothing is stored";
        EXPECT_EQ(actionsOf(lines), QStringList());
        const QJsonObject done = doneOf(lines);
        EXPECT_EQ(done[u"ok"], false);
        EXPECT_TRUE(done[u"message"].toString().contains(refusal.says));
        EXPECT_EQ(m_messages, QStringList{done[u"message"].toString()}) << "shown by our process";
    }

    // The office program could not store the document: the click stops there.
    m_messages.clear();
    const auto unstored = click(kWord, kToGlyphs, docx, true, [] {
        return QJsonObject{{u"stored"_qs, false}, {u"message"_qs, u"磁碟已滿"_qs}};
    });
    EXPECT_EQ(actionsOf(unstored), (QStringList{u"lock "_qs, u"store "_qs}));
    EXPECT_EQ(doneOf(unstored)[u"ok"], false);
    EXPECT_TRUE(doneOf(unstored)[u"message"].toString().contains(u"磁碟已滿"_qs));
    EXPECT_EQ(m_messages.size(), 1);

    EXPECT_EQ(wordtest::fileBytes(docx), docxBefore);
    EXPECT_EQ(files(), filesBefore) << "no copy is written";
}

TEST_F(RelayTest, DisconnectingTheAddInsRemovesTheirBarsUntilTheyConnectAgain)
{
    const auto replies = converse([](RelayClient &relay) {
        QList<QJsonObject> answers;
        answers.append(
            relay.ask({{u"op"_qs, u"bars"_qs}, {u"host"_qs, kWord}}).value_or(QJsonObject()));
        answers.append(
            relay.ask({{u"op"_qs, u"disconnect"_qs}, {u"host"_qs, kWord}, {u"mode"_qs, 1}})
                .value_or(QJsonObject()));
        return answers;
    });
    ASSERT_EQ(replies.size(), 2);
    EXPECT_EQ(replies[1][u"ok"], true);
    EXPECT_EQ(replies[1][u"barsChanged"], true);
    const auto kept = office::CommandBars::open(kWord);
    EXPECT_FALSE(kept->findControl(kToGlyphs));
    EXPECT_FALSE(kept->item(u"構字符號"_qs));

    const auto reconnected = converse([](RelayClient &relay) {
        return relay.ask({{u"op"_qs, u"bars"_qs}, {u"host"_qs, kWord}}).value_or(QJsonObject());
    });
    EXPECT_FALSE(controlTagged(barNamed(reconnected, u"Tools"_qs), kToGlyphs).isEmpty());
}

TEST_F(RelayTest, TheRelayGoesIdleOnlyOnceItsLastClientHasGone)
{
    QSignalSpy idle(&m_server, &officehost::RelayServer::idle);
    const bool answered = converse([](RelayClient &relay) {
        const bool bars = relay.ask({{u"op"_qs, u"bars"_qs}, {u"host"_qs, kWord}}).has_value();
        // Longer than the idle time, with the client still there.
        std::this_thread::sleep_for(2500ms);
        return bars;
    });
    EXPECT_TRUE(answered);
    EXPECT_EQ(idle.count(), 0);
    EXPECT_TRUE(idle.wait(10'000));
}

// Waits until a relay answers on the socket; the connection stays open.
bool connectWithin(QLocalSocket &client, const QString &socketPath, std::chrono::seconds time)
{
    const QDeadlineTimer deadline(time);
    while (!deadline.hasExpired()) {
        client.connectToServer(socketPath);
        if (client.waitForConnected(1000))
            return true;
        std::this_thread::sleep_for(100ms);
    }
    return false;
}

TEST_F(RelayTest, TheProgramServesUntilItsLastClientHasGoneOrItIsTerminated)
{
    const QString socketPath = path(u"program.socket"_qs);
    // The user's folder at the name the pictures' folder once had, and later a link there
    // to another of the user's folders: neither is touched.
    const QString usersFolder = path(u"users"_qs);
    for (const QString &folder : {socketPath + u".icons"_qs, usersFolder}) {
        ASSERT_TRUE(QDir().mkdir(folder));
        QFile kept(folder + u"/kept.txt"_qs);
        ASSERT_TRUE(kept.open(QIODevice::WriteOnly));
    }
    QProcess relay;
    testsupport::endWithTest(relay);
    relay.start(QStringLiteral(OFFICEHOST_PROGRAM), {u"--serve"_qs, socketPath});
    QLocalSocket client;
    ASSERT_TRUE(connectWithin(client, socketPath, 60s));

    // A second relay on the same socket leaves it to the first.
    QProcess second;
    testsupport::endWithTest(second);
    second.start(QStringLiteral(OFFICEHOST_PROGRAM), {u"--serve"_qs, socketPath});
    ASSERT_TRUE(second.waitForFinished(60'000));
    EXPECT_EQ(second.exitCode(), 1);
    EXPECT_TRUE(QString::fromLocal8Bit(second.readAllStandardError()).contains(socketPath));

    client.write(R"({"op":"bars","host":"Microsoft Word"})"
                 "\n");
    while (!client.canReadLine() && client.waitForReadyRead(60'000)) {
    }
    EXPECT_TRUE(client.readLine().contains("構字符號"));
    client.disconnectFromServer();
    // Ten seconds after the client has gone.
    ASSERT_TRUE(relay.waitForFinished(60'000));
    EXPECT_EQ(relay.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(relay.exitCode(), 0);
    EXPECT_FALSE(QFileInfo::exists(socketPath));
    EXPECT_TRUE(QFileInfo::exists(socketPath + u".icons/kept.txt"_qs));
    ASSERT_TRUE(QDir(socketPath + u".icons"_qs).removeRecursively());
    ASSERT_TRUE(QFile::link(usersFolder, socketPath + u".icons"_qs));

    relay.start(QStringLiteral(OFFICEHOST_PROGRAM), {u"--serve"_qs, socketPath});
    QLocalSocket another;
    ASSERT_TRUE(connectWithin(another, socketPath, 60s));
    another.write(R"({"op":"bars","host":"Microsoft Word"})"
                  "\n");
    while (!another.canReadLine() && another.waitForReadyRead(60'000)) {
    }
    EXPECT_TRUE(another.readLine().contains("構字符號"));
    relay.terminate();
    ASSERT_TRUE(relay.waitForFinished(60'000));
    EXPECT_EQ(relay.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(relay.exitCode(), 0);
    EXPECT_FALSE(QFileInfo::exists(socketPath));
    EXPECT_EQ(QDir(usersFolder).entryList(QDir::Files), QStringList{u"kept.txt"_qs});
    // Only what the program made has gone.
    EXPECT_EQ(
        QDir(m_dir.path()).entryList({u"program.socket*"_qs}, QDir::AllEntries | QDir::System),
        QStringList{u"program.socket.icons"_qs});
}

} // namespace
