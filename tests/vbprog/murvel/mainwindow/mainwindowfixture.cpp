#include "tests/vbprog/murvel/mainwindow/mainwindowfixture.h"

#include "platform/jet/database.h"
#include "platform/jet/quoting.h"
#include "platform/profile/profilefile.h"
#include "vbprog/murvel/core/databases.h"
#include "vbprog/murvel/core/公用變數.h"
#include "vbprog/murvel/mainwindow/windowkinds.h"

#include <QAction>
#include <QDir>
#include <QFile>

void DamageIndex(const QString &databasePath, const QString &index)
{
    int rootPage = 0;
    int pageSize = 0;
    {
        jet::Result<jet::Database> db = jet::Database::open(databasePath);
        ASSERT_TRUE(db.ok());
        jet::Snapshot root = db->openSnapshot("SELECT rootpage FROM sqlite_schema WHERE name = " +
                                              jet::quoteText(index))
                                 .value();
        rootPage = root.value(0).toInt();
        pageSize = db->openSnapshot("PRAGMA page_size").value().value(0).toInt();
    }
    ASSERT_GT(rootPage, 1);
    ASSERT_GT(pageSize, 0);
    QFile file(databasePath);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.seek(qint64(rootPage - 1) * pageSize));
    ASSERT_EQ(file.write("\x77\x77\x77\x77", 4), 4);
}

void MainWindowTest::SetUp()
{
    ASSERT_TRUE(folder.isValid());
    const QDir fixtures(QStringLiteral(MURVEL_FIXTURE_DIR "/basic"));
    for (const QString &file : ScriptDatabaseFiles)
        ASSERT_TRUE(QFile::copy(fixtures.filePath(file), QDir(folder.path()).filePath(file)));
    gSessionRestored = 0;
    gCurrentWindowKind = 0;
    gFocusedBox = 0;
    gPresetDialogOk = false;
    for (int kind = WindowKinds::Derivation; kind <= WindowKinds::Last; ++kind)
        *WindowKindInfoOf(kind).openFlag = false;
}

void MainWindowTest::TearDown()
{
    if (window)
        window->close();
    window.reset();
    CloseDatabases();
}

QString MainWindowTest::iniPath() const
{
    return QDir(folder.path()).filePath("murvel.ini");
}

void MainWindowTest::writeIni(const QString &text)
{
    QFile file(iniPath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text.toUtf8());
}

QString MainWindowTest::readIni() const
{
    QFile file(iniPath());
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

bool MainWindowTest::start()
{
    window = std::make_unique<mdi漢字字形>(folder.path());
    window->setProblemReporter([this](const QString &problem) { problems << problem; });
    for (int kind = WindowKinds::Derivation; kind <= WindowKinds::Last; ++kind)
        window->childWindows().setFactory(kind, kind, [this, kind] {
            return new FakeView(log, WindowKindInfoOf(kind).openFlag);
        });
    window->childWindows().setFactory(WindowKinds::FirstComponentList,
                                      WindowKinds::LastComponentList,
                                      [this] { return new FakeComponentList(log); });
    return window->startUp();
}

QAction *MainWindowTest::item(const QString &name) const
{
    return window->findChild<QAction *>(name);
}

bool MainWindowTest::checked(const QString &name) const
{
    return item(name)->isChecked();
}

void MainWindowTest::click(const QString &itemName) const
{
    item(itemName)->trigger();
}

ChildWindow *MainWindowTest::child(int kind) const
{
    return window->childWindows().find(kind);
}

QList<int> MainWindowTest::loadedKinds() const
{
    QList<int> kinds;
    for (const ChildWindow *window : window->childWindows().loaded())
        kinds << window->windowKind();
    return kinds;
}

QString RestoredIni(const QString &extra)
{
    return QStringLiteral("[Start]\nfirst=2\n"
                          "[Window]\nleft=1500\ntop=750\nwidth=9000\nheight=6000\n"
                          "[Font]\nfontname=細明體\nfontsize=24\n") +
           extra;
}

ProfileCheck::ProfileCheck(const QString &path) : m_path(path)
{
}

QString ProfileCheck::operator()(const QString &section, const QString &key) const
{
    profile::ProfileFile file(m_path);
    if (!file.load())
        return QStringLiteral("(unreadable)");
    return file.value(section, key).value_or(QStringLiteral("(missing)")).trimmed();
}

int ProfileCheck::keyCount() const
{
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    int count = 0;
    for (const QString &line : QString::fromUtf8(file.readAll()).split('\n')) {
        if (line.contains('=') && !line.startsWith('['))
            ++count;
    }
    return count;
}
