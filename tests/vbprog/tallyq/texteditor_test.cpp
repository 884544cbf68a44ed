#include "tests/support/scopedenvironment.h"
#include "vbprog/tallyq/texteditor.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace tallyq;

namespace
{

const QString LogPath = QStringLiteral("/tmp/a folder/usrhanzi.txt");

TEST(TallyqEditor, VisualComesBeforeEditorAndTheFileIsOneArgument)
{
    ScopedEnvironment variables("VISUAL", "gvim -f");
    variables.set("EDITOR", "nano");
    EXPECT_EQ(GetTxtOpenCommand(LogPath), (EditorCommand{"gvim", {"-f", LogPath}}));
}

TEST(TallyqEditor, EditorIsSplitIntoWordsWithoutAShell)
{
    ScopedEnvironment variables("VISUAL", "  ");
    variables.set("EDITOR", "\"/opt/my editor/edit\" --wait $HOME;rm");
    EXPECT_EQ(GetTxtOpenCommand(LogPath),
              (EditorCommand{"/opt/my editor/edit", {"--wait", "$HOME;rm", LogPath}}));
}

TEST(TallyqEditor, WithoutEitherTheDesktopHandlerOpensTheFile)
{
    ScopedEnvironment variables("EDITOR", "");
    variables.unset("VISUAL");
    EXPECT_FALSE(GetTxtOpenCommand(LogPath));
}

TEST(TallyqEditor, TheEditorIsStartedWithTheFileAsItsArgument)
{
    QTemporaryDir folder;
    const QString log = folder.filePath(QStringLiteral("usrhanzi; echo $HOME.txt"));
    const QString marker = folder.filePath(QStringLiteral("arguments"));
    // A script standing in for the editor records the argument it was given.
    const QString editor = folder.filePath(QStringLiteral("editor"));
    QFile script(editor);
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write(
        QStringLiteral("#!/bin/sh\nprintf %s \"$1\" > \"%1.tmp\" && mv \"%1.tmp\" \"%1\"\n")
            .arg(marker)
            .toUtf8());
    script.close();
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QByteArray visual = ("\"" + editor + "\"").toUtf8();
    ScopedEnvironment variables("VISUAL", visual);
    variables.unset("EDITOR");
    ASSERT_TRUE(openInTextEditor(log));
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(marker); }, 10'000));
    QFile written(marker);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(written.readAll()), log);
}

} // namespace
