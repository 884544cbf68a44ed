#include "vbprog/toolkit/messageboxes.h"

#include <QPushButton>

namespace toolkit
{

void showMessage(QWidget *parent, QMessageBox::Icon icon, const QString &title, const QString &text)
{
    QMessageBox box(icon, title, text, QMessageBox::NoButton, parent);
    box.setObjectName(QStringLiteral("toolMessage"));
    box.setDefaultButton(box.addButton(QStringLiteral("確定"), QMessageBox::AcceptRole));
    box.exec();
}

bool askYesNo(QWidget *parent, const QString &title, const QString &text)
{
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No, parent);
    box.setObjectName(QStringLiteral("toolQuestion"));
    box.button(QMessageBox::Yes)->setText(QStringLiteral("是"));
    box.button(QMessageBox::No)->setText(QStringLiteral("否"));
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

} // namespace toolkit
