#include "vbprog/tallyq/texteditor.h"

#include "platform/system/process.h"

#include <QProcess>
#include <QProcessEnvironment>

namespace tallyq
{

std::optional<EditorCommand> GetTxtOpenCommand(const QString &filePath)
{
    const QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *variable : {"VISUAL", "EDITOR"}) {
        QStringList words = QProcess::splitCommand(environment.value(QLatin1String(variable)));
        if (words.isEmpty())
            continue;
        EditorCommand command{words.takeFirst(), words};
        command.arguments << filePath;
        return command;
    }
    return std::nullopt;
}

bool openInTextEditor(const QString &filePath)
{
    if (const std::optional<EditorCommand> command = GetTxtOpenCommand(filePath))
        return sys::startProcess(command->program, command->arguments);
    return sys::openHelpFile(filePath);
}

} // namespace tallyq
