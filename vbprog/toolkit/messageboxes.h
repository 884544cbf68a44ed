#pragma once

#include <QMessageBox>
#include <QString>

class QWidget;

// The tools' message boxes, with their buttons in the interface's language.
namespace toolkit
{

// A message with the one button "確定" (objectName "toolMessage"); waits for it.
void showMessage(QWidget *parent, QMessageBox::Icon icon, const QString &title,
                 const QString &text);

// A question with the buttons "是" and "否" (objectName "toolQuestion"); true for "是".
// Closing the box answers "否".
bool askYesNo(QWidget *parent, const QString &title, const QString &text);

} // namespace toolkit
