#pragma once

#include <QString>

class QWidget;

// The host program's message boxes, with their buttons in the interface's language.
namespace officehost
{

enum class SaveAnswer { Save, Discard, Cancel };

// "儲存", "不儲存", "取消"; closing the box is Cancel.
SaveAnswer askToSave(QWidget *parent, const QString &title, const QString &text);
// A warning with the one button "確定".
void showWarning(QWidget *parent, const QString &title, const QString &text);

} // namespace officehost
