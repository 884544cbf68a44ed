#include "platform/system/folders.h"
#include "tests/support/scopedenvironment.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace
{

QString testBinaryDir()
{
    return QDir(QStringLiteral(TEST_BINARY_DIR)).canonicalPath();
}

} // namespace

TEST(ProgramFolder, IsTheExecutablesFolderBeforeAndWithAnApplication)
{
    ASSERT_EQ(QCoreApplication::instance(), nullptr);
    EXPECT_EQ(QDir(sys::programFolder()).canonicalPath(), testBinaryDir());

    int argc = 1;
    char name[] = "system_test";
    char *argv[] = {name, nullptr};
    const QCoreApplication app(argc, argv);
    EXPECT_EQ(QDir(sys::programFolder()).canonicalPath(), testBinaryDir());
}

TEST(WindowsFolder, EnvironmentRedirectsItAndItIsCreated)
{
    QTemporaryDir dir;
    const QString redirected = dir.filePath(QStringLiteral("win/dows"));
    const ScopedEnvironment environment("MURVEL_WINDOWS_DIR", redirected.toUtf8());
    EXPECT_EQ(sys::windowsFolder(), redirected);
    EXPECT_TRUE(QDir(redirected).exists());
}

TEST(WindowsFolder, DefaultIsUnderTheUsersDataFolder)
{
    QTemporaryDir dir;
    ScopedEnvironment environment;
    environment.unset("MURVEL_WINDOWS_DIR");
    environment.set("XDG_DATA_HOME", dir.path().toUtf8());
    const QString expected = dir.filePath(QStringLiteral("murvel/windows"));
    EXPECT_EQ(sys::windowsFolder(), expected);
    EXPECT_TRUE(QDir(expected).exists());
}
