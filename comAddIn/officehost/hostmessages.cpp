#include "comAddIn/officehost/hostmessages.h"

#include <QMessageBox>
#include <QPushButton>

namespace officehost
{

SaveAnswer askToSave(QWidget *parent, const QString &title, const QString &text)
{
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::NoButton, parent);
    box.setObjectName(u"saveQuestion"_qs);
    QPushButton *save = box.addButton(u"儲存"_qs, QMessageBox::AcceptRole);
    QPushButton *discard = box.addButton(u"不儲存"_qs, QMessageBox::DestructiveRole);
    QPushButton *cancel = box.addButton(u"取消"_qs, QMessageBox::RejectRole);
    box.setDefaultButton(save);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == save)
        return SaveAnswer::Save;
    if (box.clickedButton() == discard)
        return SaveAnswer::Discard;
    return SaveAnswer::Cancel;
}

void showWarning(QWidget *parent, const QString &title, const QString &text)
{
    QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::NoButton, parent);
    box.setObjectName(u"hostWarning"_qs);
    box.setDefaultButton(box.addButton(u"確定"_qs, QMessageBox::AcceptRole));
    box.exec();
}

} // namespace officehost
