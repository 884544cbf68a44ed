#include "vbprog/tallyq/texteditor.h"

#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>
#include <vector>

using namespace tallyq;

namespace
{

// Sets the editor variables for one test and restores them afterwards.
class EditorVariables
{
public:
    EditorVariables(const char *visual, const char *editor)
    {
        set("VISUAL", visual);
        set("EDITOR", editor);
    }
    ~EditorVariables()
    {
        qunsetenv("VISUAL");
        qunsetenv("EDITOR");
        for (const auto &[name, value] : m_saved)
            qputenv(name, value);
    }

private:
    void set(const char *name, const char *value)
    {
        if (qEnvironmentVariableIsSet(name))
            m_saved.emplace_back(name, qgetenv(name));
        if (value != nullptr)
            qputenv(name, value);
        else
            qunsetenv(name);
    }
    std::vector<std::pair<const char *, QByteArray>> m_saved;
};

const QString LogPath = QStringLiteral("/tmp/a folder/usrhanzi.txt");

TEST(TallyqEditor, VisualComesBeforeEditorAndTheFileIsOneArgument)
{
    EditorVariables variables("gvim -f", "nano");
    EXPECT_EQ(GetTxtOpenCommand(LogPath), (EditorCommand{"gvim", {"-f", LogPath}}));
}

TEST(TallyqEditor, EditorIsSplitIntoWordsWithoutAShell)
{
    EditorVariables variables("  ", "\"/opt/my editor/edit\" --wait $HOME;rm");
    EXPECT_EQ(GetTxtOpenCommand(LogPath),
              (EditorCommand{"/opt/my editor/edit", {"--wait", "$HOME;rm", LogPath}}));
}

TEST(TallyqEditor, WithoutEitherTheDesktopHandlerOpensTheFile)
{
    EditorVariables variables(nullptr, "");
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
    EditorVariables variables(visual.constData(), nullptr);
    ASSERT_TRUE(openInTextEditor(log));
    for (int i = 0; i < 200 && !QFile::exists(marker); ++i)
        QThread::msleep(50);
    QFile written(marker);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(written.readAll()), log);
}

} // namespace
