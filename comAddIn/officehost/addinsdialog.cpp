#include "comAddIn/officehost/addinsdialog.h"

#include "comAddIn/officehost/addinconnections.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

namespace officehost
{

AddInsDialog::AddInsDialog(AddInConnections &connections, QWidget *parent)
    : QDialog(parent), m_connections(connections)
{
    setObjectName(u"addInsDialog"_qs);
    setWindowTitle(u"COM 增益集"_qs);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(u"可用的增益集："_qs, this));
    m_list = new QListWidget(this);
    m_list->setObjectName(u"addInList"_qs);
    layout->addWidget(m_list);
    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(u"關閉"_qs, QDialogButtonBox::RejectRole);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::accept);
    connect(m_list, &QListWidget::itemChanged, this, &AddInsDialog::toggled);
    fill();
}

void AddInsDialog::fill()
{
    m_filling = true;
    m_list->clear();
    for (const AddInConnections::AddIn &addIn : m_connections.addIns()) {
        QString text =
            u"%1 (%2)"_qs.arg(addIn.registration.friendlyName, addIn.registration.progId);
        if (!addIn.error.isEmpty())
            text += u"：%1"_qs.arg(addIn.error);
        auto *item = new QListWidgetItem(text, m_list);
        item->setData(Qt::UserRole, addIn.registration.progId);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(addIn.connected ? Qt::Checked : Qt::Unchecked);
    }
    m_filling = false;
}

void AddInsDialog::toggled(QListWidgetItem *item)
{
    if (m_filling)
        return;
    const QString progId = item->data(Qt::UserRole).toString();
    if (item->checkState() == Qt::Checked)
        m_connections.connect(progId);
    else
        m_connections.disconnect(progId, office::RemoveMode::UserClosed);
    // The list shows what happened, with the reason of a failure.
    QMetaObject::invokeMethod(this, &AddInsDialog::fill, Qt::QueuedConnection);
}

} // namespace officehost
