#pragma once

#include <QDialog>

class QListWidget;
class QListWidgetItem;

namespace officehost
{

class AddInConnections;

// The host's list of add-ins: a ticked add-in is connected. Unticking one disconnects it
// as the user's removal (RemoveMode 1), which takes its controls away; ticking it again
// connects it anew.
class AddInsDialog : public QDialog
{
    Q_OBJECT

public:
    // The connections outlive the dialog.
    AddInsDialog(AddInConnections &connections, QWidget *parent = nullptr);

private:
    void fill();
    void toggled(QListWidgetItem *item);

    AddInConnections &m_connections;
    QListWidget *m_list = nullptr;
    bool m_filling = false;
};

} // namespace officehost
