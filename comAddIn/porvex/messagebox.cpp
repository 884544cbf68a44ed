#include "comAddIn/porvex/messagebox.h"

#include <QApplication>
#include <QPushButton>

namespace porvex
{

void showMessageBox(QMessageBox::Icon icon, const QString &title, const QString &text)
{
    QMessageBox box(icon, title, text, QMessageBox::NoButton, QApplication::activeWindow());
    box.setObjectName(u"addInMessage"_qs);
    box.setDefaultButton(box.addButton(u"確定"_qs, QMessageBox::AcceptRole));
    box.exec();
}

} // namespace porvex
