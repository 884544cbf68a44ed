#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace tallyq
{

// A program with its arguments, started without a shell.
struct EditorCommand {
    QString program;
    QStringList arguments;
    friend bool operator==(const EditorCommand &, const EditorCommand &) = default;
};

// The user's own text editor for the file: $VISUAL, else $EDITOR, split into words the way
// a command line is (quotes group words; nothing is expanded), with the file as the last
// argument. Nothing when neither is set to a command: the desktop's handler for text
// files opens it then.
std::optional<EditorCommand> GetTxtOpenCommand(const QString &filePath);

// Starts the user's editor, or the desktop's handler for the file's type, and does not
// wait for it. False when nothing could be started.
bool openInTextEditor(const QString &filePath);

} // namespace tallyq
