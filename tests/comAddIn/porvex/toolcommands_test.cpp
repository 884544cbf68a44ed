// The help command of the Tools menu: the help file's path reaches the desktop's viewer
// as one argument, whatever the folder's name holds, and no shell ever reads it.
#include "comAddIn/porvex/toolcommands.h"
#include "platform/registry/registrystore.h"
#include "tests/support/scopedenvironment.h"
#include "vbprog/murvel/core/mainprogrampath.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
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
        // Each start also adds a line to HELP_RUNS.
        viewer.write("#!/bin/sh\necho run >> \"$HELP_RUNS\"\n"
                     "printf '%s\\n' \"$#\" \"$@\" > \"$HELP_ARGUMENTS.tmp\"\n"
                     "mv \"$HELP_ARGUMENTS.tmp\" \"$HELP_ARGUMENTS\"\n");
        viewer.close();
        viewer.setPermissions(viewer.permissions() | QFile::ExeOwner);
        m_environment.set("PATH", bin.toUtf8() + ':' + qgetenv("PATH"));
        m_environment.set("HELP_ARGUMENTS", m_dir.filePath(u"arguments"_qs).toUtf8());
        m_environment.set("HELP_RUNS", m_dir.filePath(u"runs"_qs).toUtf8());
        m_environment.set("MURVEL_REGISTRY_DIR", m_dir.filePath(u"registry"_qs).toUtf8());
    }

    // The arguments the viewer got; empty when it was not started within a while.
    QStringList viewerArguments() const
    {
        QFile file(m_dir.filePath(u"arguments"_qs));
        if (!QTest::qWaitFor([&] { return file.exists(); }, 10'000) ||
            !file.open(QIODevice::ReadOnly))
            return {};
        QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
        lines.removeLast();
        return lines;
    }

    // How many times the viewer was started.
    int viewerRuns() const
    {
        QFile file(m_dir.filePath(u"runs"_qs));
        return file.open(QIODevice::ReadOnly) ? int(file.readAll().count('\n')) : 0;
    }

    QTemporaryDir m_dir;
    ScopedEnvironment m_environment;
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
    // With the help file there, the viewer starts: once, for this call alone.
    QFile helpFile(m_dir.filePath(u"murvel.html"_qs));
    ASSERT_TRUE(helpFile.open(QIODevice::WriteOnly));
    helpFile.close();
    ASSERT_TRUE(porvex::OpenMainProgramHelp().ok());
    EXPECT_EQ(viewerArguments().value(1), QFileInfo(helpFile).absoluteFilePath());
    EXPECT_EQ(viewerRuns(), 1);
}

} // namespace
