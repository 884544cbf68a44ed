#include "platform/registry/registrystore.h"
#include "tests/platform/system/filesizelimit.h"
#include "tests/support/printqstring.h"
#include "tests/support/scopedenvironment.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <thread>
#include <vector>

using registry::RegistryStore;
using registry::Root;

namespace
{

const QString kAppPaths = u"software\\microsoft\\windows\\currentversion\\app paths\\murvel.exe"_qs;

QByteArray contentsOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

TEST(RegistryStore, ValuesPersistAcrossStores)
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("registry"));
    RegistryStore writer(folder);
    ASSERT_TRUE(writer.setValue(Root::LocalMachine, kAppPaths, QString(), u"/opt/m/murvel"_qs));
    ASSERT_TRUE(writer.setValue(Root::CurrentUser, u"EUDC\\950", u"SystemDefaultEUDCFont"_qs,
                                u"/opt/m/qeleudc.tte"_qs));

    const RegistryStore reader(folder);
    EXPECT_EQ(reader.value(Root::LocalMachine,
                           u"Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Murvel.exe",
                           u""),
              u"/opt/m/murvel"_qs);
    EXPECT_EQ(reader.value(Root::CurrentUser, u"eudc\\950", u"systemdefaulteudcfont"),
              u"/opt/m/qeleudc.tte"_qs);
    // The roots are separate.
    EXPECT_EQ(reader.value(Root::CurrentUser, kAppPaths, u""), std::nullopt);
    EXPECT_FALSE(reader.keyExists(Root::LocalMachine, u"EUDC"));

    // A store made earlier sees later changes too.
    ASSERT_TRUE(writer.setValue(Root::LocalMachine, kAppPaths, QString(), u"/new/murvel"_qs));
    EXPECT_EQ(reader.value(Root::LocalMachine, kAppPaths, u""), u"/new/murvel"_qs);
    EXPECT_EQ(reader.values(Root::LocalMachine, kAppPaths).size(), 1);
}

TEST(RegistryStore, MissingStoreReadsAsEmpty)
{
    QTemporaryDir dir;
    const RegistryStore store(dir.filePath(QStringLiteral("none")));
    EXPECT_EQ(store.value(Root::LocalMachine, kAppPaths, u""), std::nullopt);
    EXPECT_FALSE(store.keyExists(Root::LocalMachine, kAppPaths));
    EXPECT_TRUE(store.values(Root::CurrentUser, u"EUDC\\950").isEmpty());
    EXPECT_FALSE(QDir(store.folder()).exists());
}

TEST(RegistryStore, RewriteKeepsOtherKeysAndRoots)
{
    QTemporaryDir dir;
    RegistryStore store(dir.path());
    ASSERT_TRUE(store.setValue(Root::CurrentUser, u"EUDC\\950", u"細明體"_qs, u"a.tte"_qs));
    ASSERT_TRUE(
        store.setValue(Root::CurrentUser, u"Keyboard Layout\\Preload", u"1"_qs, u"00000404"_qs));
    ASSERT_TRUE(store.setValue(Root::LocalMachine, kAppPaths, QString(), u"/m"_qs));
    const QByteArray machineBefore =
        contentsOf(dir.filePath(QStringLiteral("HKEY_LOCAL_MACHINE.txt")));
    ASSERT_FALSE(machineBefore.isEmpty());

    ASSERT_TRUE(store.setValue(Root::CurrentUser, u"EUDC\\950", u"標楷體"_qs, u"b.tte"_qs));
    ASSERT_TRUE(store.deleteValue(Root::CurrentUser, u"eudc\\950", u"細明體"));
    EXPECT_FALSE(store.deleteValue(Root::CurrentUser, u"eudc\\950", u"細明體"));
    EXPECT_FALSE(store.errorString().isEmpty());

    EXPECT_EQ(store.value(Root::CurrentUser, u"Keyboard Layout\\Preload", u"1"), u"00000404"_qs);
    EXPECT_EQ(store.value(Root::CurrentUser, u"EUDC\\950", u"標楷體"), u"b.tte"_qs);
    EXPECT_TRUE(store.keyExists(Root::CurrentUser, u"EUDC\\950"));
    EXPECT_EQ(contentsOf(dir.filePath(QStringLiteral("HKEY_LOCAL_MACHINE.txt"))), machineBefore);
    // No temporary file is left beside the stores.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 2);
}

TEST(RegistryStore, UnreadableStoreIsNotOverwritten)
{
    // What stands at the store's place, made by the test, and how it is told apart.
    struct Unreadable {
        const char *what;
        std::function<bool(const QString &)> make;
        std::function<bool(const QFileInfo &)> kept;
    };
    const QList<Unreadable> cases{
        {"a folder", [](const QString &path) { return QDir().mkdir(path); },
         [](const QFileInfo &at) { return at.isDir(); }},
        {"a link to a file gone",
         [](const QString &path) { return QFile::link(path + u".gone"_qs, path); },
         [](const QFileInfo &at) { return at.isSymLink() && !at.exists(); }},
        {"a FIFO", [](const QString &path) { return mkfifo(QFile::encodeName(path), 0600) == 0; },
         [](const QFileInfo &at) { return at.exists() && !at.isFile() && !at.isDir(); }},
    };
    for (const Unreadable &unreadable : cases) {
        SCOPED_TRACE(unreadable.what);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("HKEY_CURRENT_USER.txt"));
        ASSERT_TRUE(unreadable.make(path));
        RegistryStore store(dir.path());
        EXPECT_FALSE(store.setValue(Root::CurrentUser, u"EUDC\\950", u"x"_qs, u"y"_qs));
        EXPECT_TRUE(store.errorString().contains(u"HKEY_CURRENT_USER"))
            << store.errorString().toStdString();
        EXPECT_EQ(store.value(Root::CurrentUser, u"EUDC\\950", u"x"), std::nullopt);
        EXPECT_TRUE(unreadable.kept(QFileInfo(path))) << "it was written over";
        EXPECT_FALSE(QFile::exists(path + u".gone"_qs)) << "nothing made where a link points";
    }
}

TEST(RegistryStore, EnvironmentRedirectsTheDefaultFolder)
{
    QTemporaryDir dir;
    {
        const ScopedEnvironment redirect("MURVEL_REGISTRY_DIR", dir.path().toUtf8());
        EXPECT_EQ(RegistryStore::defaultFolder(), dir.path());
        RegistryStore store;
        ASSERT_TRUE(store.setValue(Root::LocalMachine, kAppPaths, QString(), u"/m"_qs));
        EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("HKEY_LOCAL_MACHINE.txt"))));
    }
    {
        const ScopedEnvironment noRedirect("MURVEL_REGISTRY_DIR", QByteArray());
        const ScopedEnvironment dataHome("XDG_DATA_HOME",
                                         dir.filePath(QStringLiteral("data")).toUtf8());
        EXPECT_EQ(RegistryStore::defaultFolder(),
                  dir.filePath(QStringLiteral("data/murvel/registry")));
    }
}

TEST(RegistryStore, FailedWriteKeepsTheOldStoreAndSaysSo)
{
    QTemporaryDir dir;
    RegistryStore store(dir.path());
    ASSERT_TRUE(store.setValue(Root::CurrentUser, u"EUDC\\950", u"SystemDefaultEUDCFont"_qs,
                               u"EUDC.TTE"_qs));
    const QString path = dir.filePath(QStringLiteral("HKEY_CURRENT_USER.txt"));
    const QByteArray before = contentsOf(path);
    {
        const FileSizeLimit full(16);
        EXPECT_FALSE(store.setValue(Root::CurrentUser, u"EUDC\\950", u"x"_qs, QString(300, u'y')));
    }
    EXPECT_TRUE(store.errorString().contains(u"HKEY_CURRENT_USER"));
    EXPECT_EQ(contentsOf(path), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1);
}

// Writers at the same time, each with a store of its own as separate programs have: every
// value each of them wrote is there afterwards.
TEST(RegistryStore, WritersAtTheSameTimeLoseNothing)
{
    QTemporaryDir dir;
    constexpr int kWriters = 8;
    constexpr int kValuesEach = 25;
    std::vector<std::thread> writers;
    for (int w = 0; w < kWriters; ++w) {
        writers.emplace_back([&, w] {
            RegistryStore store(dir.path());
            for (int v = 0; v < kValuesEach; ++v)
                EXPECT_TRUE(store.setValue(Root::CurrentUser, u"Software\\Test"_qs,
                                           u"w%1-v%2"_qs.arg(w).arg(v), u"x"_qs));
        });
    }
    for (std::thread &writer : writers)
        writer.join();

    const RegistryStore reader(dir.path());
    EXPECT_EQ(reader.values(Root::CurrentUser, u"Software\\Test"_qs).size(),
              kWriters * kValuesEach);
}

// The build registers its add-ins with several programs at once.
TEST(RegistryStore, ProgramsWritingAtTheSameTimeLoseNothing)
{
    QTemporaryDir dir;
    constexpr int kPrograms = 8;
    constexpr int kRoundsEach = 4;
    for (int round = 0; round < kRoundsEach; ++round) {
        std::vector<std::unique_ptr<QProcess>> programs;
        for (int p = 0; p < kPrograms; ++p) {
            auto program = std::make_unique<QProcess>();
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert(u"MURVEL_REGISTRY_DIR"_qs, dir.path());
            program->setProcessEnvironment(environment);
            program->start(QStringLiteral(REGSET_PATH), {u"HKCU"_qs, u"Software\\Test"_qs,
                                                         u"p%1-r%2"_qs.arg(p).arg(round), u"x"_qs});
            programs.push_back(std::move(program));
        }
        for (const std::unique_ptr<QProcess> &program : programs) {
            ASSERT_TRUE(program->waitForFinished(60000));
            EXPECT_EQ(program->exitCode(), 0) << program->readAllStandardError().toStdString();
        }
    }
    const RegistryStore reader(dir.path());
    EXPECT_EQ(reader.values(Root::CurrentUser, u"Software\\Test"_qs).size(),
              kPrograms * kRoundsEach);
}
