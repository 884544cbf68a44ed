// The help command of the Tools menu: the help file's path reaches the desktop's viewer
// as one argument, whatever the folder's name holds, and no shell ever reads it.
#include "comAddIn/frame/hostoperations.h"
#include "comAddIn/frame/mainprogrampath.h"
#include "platform/registry/registrystore.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

namespace
{

class HelpCommandTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        // A viewer in place of the desktop's that writes down the arguments it was given.
        const QString bin = m_dir.filePath(u"bin"_qs);
        ASSERT_TRUE(QDir().mkpath(bin));
        QFile viewer(bin + u"/xdg-open"_qs);
        ASSERT_TRUE(viewer.open(QIODevice::WriteOnly));
        viewer.write("#!/bin/sh\nprintf '%s\\n' \"$#\" \"$@\" > \"$HELP_ARGUMENTS.tmp\"\n"
                     "mv \"$HELP_ARGUMENTS.tmp\" \"$HELP_ARGUMENTS\"\n");
        viewer.close();
        viewer.setPermissions(viewer.permissions() | QFile::ExeOwner);
        m_oldPath = qgetenv("PATH");
        qputenv("PATH", bin.toUtf8() + ':' + m_oldPath);
        qputenv("HELP_ARGUMENTS", m_dir.filePath(u"arguments"_qs).toUtf8());
        qputenv("MURVEL_REGISTRY_DIR", m_dir.filePath(u"registry"_qs).toUtf8());
    }
    void TearDown() override
    {
        qputenv("PATH", m_oldPath);
        qunsetenv("HELP_ARGUMENTS");
        qunsetenv("MURVEL_REGISTRY_DIR");
    }

    // The arguments the viewer got; empty when it was not started within a while.
    QStringList viewerArguments() const
    {
        QFile file(m_dir.filePath(u"arguments"_qs));
        QDeadlineTimer deadline(10'000);
        while (!file.exists() && !deadline.hasExpired())
            QThread::msleep(20);
        if (!file.open(QIODevice::ReadOnly))
            return {};
        QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
        lines.removeLast();
        return lines;
    }

    QTemporaryDir m_dir;
    QByteArray m_oldPath;
};

TEST_F(HelpCommandTest, HelpPathWithBlanksAndShellMarksIsOneArgument)
{
    const QString folder = m_dir.filePath(u"Program Files/a b; touch pwned $(id) '說明'"_qs);
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString help = folder + u"/murvel.html"_qs;
    QFile helpFile(help);
    ASSERT_TRUE(helpFile.open(QIODevice::WriteOnly));
    helpFile.close();
    registry::RegistryStore store;
    ASSERT_TRUE(store.setValue(registry::Root::LocalMachine, mainprogram::kAppPathsKey, QString(),
                               folder + u"/murvel.exe"_qs));

    ASSERT_TRUE(porvex::OpenMainProgramHelp().ok());
    const QStringList arguments = viewerArguments();
    ASSERT_EQ(arguments.size(), 2);
    EXPECT_EQ(arguments[0], u"1"_qs);
    EXPECT_EQ(arguments[1], QFileInfo(help).absoluteFilePath());
    EXPECT_FALSE(QFile::exists(m_dir.filePath(u"pwned"_qs)));
    EXPECT_FALSE(QFile::exists(u"pwned"_qs));
}

TEST_F(HelpCommandTest, NoEntryOrNoHelpFileStartsNothing)
{
    ASSERT_TRUE(porvex::OpenMainProgramHelp().ok()); // no App Paths entry: nothing visible
    registry::RegistryStore store;
    ASSERT_TRUE(store.setValue(registry::Root::LocalMachine, mainprogram::kAppPathsKey, QString(),
                               m_dir.filePath(u"murvel.exe"_qs)));
    EXPECT_FALSE(porvex::OpenMainProgramHelp().ok()); // the help file is missing
    QThread::msleep(200);
    EXPECT_FALSE(QFile::exists(m_dir.filePath(u"arguments"_qs)));
}

} // namespace
