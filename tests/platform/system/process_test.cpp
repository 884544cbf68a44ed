#include "platform/system/process.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace
{

// The started process is detached: wait for it to finish writing the file.
QByteArray waitForContents(const QString &path, const QString &doneMarker)
{
    if (!QTest::qWaitFor([&] { return QFile::exists(doneMarker); }, 10'000))
        return "<not finished>";
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

} // namespace

TEST(StartProcess, StartsAProgramAndReportsAMissingOne)
{
    EXPECT_TRUE(sys::startProcess(QStringLiteral("/bin/true"), {}));
    EXPECT_FALSE(sys::startProcess(QStringLiteral("/no/such/program"), {}));
    EXPECT_FALSE(sys::startProcess(QString(), {}));
}

TEST(StartProcess, ArgumentsArriveIntactWithoutAShell)
{
    QTemporaryDir dir;
    const QString output = dir.filePath(QStringLiteral("out.txt"));
    const QString done = dir.filePath(QStringLiteral("done"));
    const QString argument =
        u"C:\\Program Files\\X\\murvel.hlp \"quoted\" 'single' $HOME; `id` 標楷體"_qs;
    ASSERT_TRUE(sys::startProcess(QStringLiteral("/bin/sh"),
                                  {QStringLiteral("-c"),
                                   QStringLiteral("printf %s \"$1\" > \"$2\"; : > \"$3\""),
                                   QStringLiteral("sh"), argument, output, done}));
    EXPECT_EQ(QString::fromUtf8(waitForContents(output, done)).toStdString(),
              argument.toStdString());
}

TEST(OpenHelpFile, MissingFileDoesNothing)
{
    QTemporaryDir dir;
    EXPECT_FALSE(sys::openHelpFile(dir.filePath(QStringLiteral("murvel.hlp"))));
    EXPECT_FALSE(sys::openHelpFile(dir.path())); // a folder is not a help file
}

TEST(RunProcess, ReportsExitCodeMissingProgramAndTimeout)
{
    QString error;
    EXPECT_TRUE(sys::runProcess(QStringLiteral("/bin/true"), {}, 10'000, &error));
    EXPECT_TRUE(error.isEmpty());

    EXPECT_FALSE(sys::runProcess(QStringLiteral("/bin/sh"),
                                 {QStringLiteral("-c"), QStringLiteral("echo broken; exit 3")},
                                 10'000, &error));
    EXPECT_TRUE(error.contains(u"broken"_qs)) << error.toStdString();

    EXPECT_FALSE(sys::runProcess(QStringLiteral("/no/such/program"), {}, 10'000, &error));
    EXPECT_FALSE(error.isEmpty());

    EXPECT_FALSE(sys::runProcess(QStringLiteral("/bin/sleep"), {QStringLiteral("5")}, 200, &error));
    EXPECT_TRUE(error.contains(u"逾時"_qs)) << error.toStdString();
}
