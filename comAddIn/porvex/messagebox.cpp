#include "comAddIn/porvex/messagebox.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace porvex
{

void showMessageBox(const Message &message)
{
    QMessageBox box(QMessageBox::NoIcon, message.title, message.text, QMessageBox::NoButton,
                    QApplication::activeWindow());
    box.setObjectName(u"addInMessage"_qs);
    box.setDefaultButton(box.addButton(u"確定"_qs, QMessageBox::AcceptRole));
    box.exec();
}

} // namespace porvex
