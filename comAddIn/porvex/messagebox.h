#pragma once

#include <QMessageBox>
#include <QString>

namespace porvex
{

// The add-in's message box over the host's active window, with the one button "確定" in
// the interface's language; waits until it is closed.
void showMessageBox(QMessageBox::Icon icon, const QString &title, const QString &text);

} // namespace porvex
