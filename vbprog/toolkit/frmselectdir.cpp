#include "vbprog/toolkit/frmselectdir.h"

#include "vbprog/toolkit/centerform.h"
#include "vbprog/toolkit/controls.h"

#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>

namespace toolkit
{

namespace
{

constexpr int kFolderRole = Qt::UserRole;

} // namespace

frmSelectDir::frmSelectDir(const QString &startDir, QWidget *parent, const QStringList &drives)
    : QDialog(parent), m_drives(drives)
{
    setObjectName(QStringLiteral("frmSelectDir"));
    setWindowTitle(QStringLiteral("選取目錄"));

    m_drvList = named(new QComboBox(this), "drvList");
    m_drvList->addItems(m_drives);
    m_dirList = named(new QListWidget(this), "dirList");
    m_dirList->installEventFilter(this);
    m_lblCurDir = makeLabel(this, "lblCurDir", QString());
    m_lblCurDir->setWordWrap(true);
    m_cmdOK = makeButton(this, "cmdOK", QStringLiteral("確定"));
    m_cmdOK->setDefault(true);
    m_cmdCancel = makeButton(this, "cmdCancel", QStringLiteral("取消"));

    // The folder list takes the width; the buttons and the drive list stand to its right.
    auto *layout = new QGridLayout(this);
    layout->addWidget(makeLabel(this, "lblDir", QStringLiteral("資料夾")), 0, 0);
    layout->addWidget(m_lblCurDir, 1, 0);
    layout->addWidget(m_dirList, 2, 0, 4, 1);
    layout->addWidget(m_cmdOK, 0, 1);
    layout->addWidget(m_cmdCancel, 1, 1);
    layout->addWidget(makeLabel(this, "lblDrv", QStringLiteral("磁碟機")), 3, 1);
    layout->addWidget(m_drvList, 4, 1);
    layout->setColumnStretch(0, 1);
    m_cmdOK->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    m_cmdCancel->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    m_drvList->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    m_dirList->setMinimumWidth(260);
    layout->setRowStretch(5, 1);
    resize(480, 320);

    connect(m_dirList, &QListWidget::itemActivated, this,
            [this](QListWidgetItem *item) { setPath(item->data(kFolderRole).toString()); });
    connect(m_drvList, &QComboBox::currentIndexChanged, this, [this] { changeDrive(); });
    connect(m_cmdOK, &QPushButton::clicked, this, [this] {
        openHighlightedFolder();
        m_picked = m_lblCurDir->text();
        m_confirmed = true;
        accept();
    });
    connect(m_cmdCancel, &QPushButton::clicked, this, [this] {
        m_confirmed = false;
        reject();
    });

    CenterForm(this);
    // A start folder that cannot be opened leaves the list on the current folder.
    if (startDir.isEmpty() || !setPath(startDir))
        setPath(QDir::currentPath());
    QDir::setCurrent(m_path);
}

std::optional<QString> frmSelectDir::pick(QWidget *parent, const QString &startDir)
{
    frmSelectDir picker(startDir, parent);
    picker.exec();
    if (!picker.pickConfirmed())
        return std::nullopt;
    return picker.pickedDir();
}

bool frmSelectDir::setPath(const QString &folder)
{
    const QFileInfo info(folder);
    if (folder.isEmpty() || !info.isDir() || !QDir(folder).isReadable())
        return false;
    m_path = QDir::cleanPath(info.absoluteFilePath());
    fillFolderList();
    m_lblCurDir->setText(QDir::toNativeSeparators(m_path));
    showDriveOf(m_path);
    return true;
}

void frmSelectDir::fillFolderList()
{
    m_dirList->clear();
    // The opened folders from the root down, each indented one step further.
    QStringList chain;
    for (QDir dir(m_path);;) {
        chain.prepend(dir.absolutePath());
        if (dir.isRoot() || !dir.cdUp())
            break;
    }
    int depth = 0;
    auto addEntry = [this](const QString &folder, const QString &name, int indent) {
        auto *item = new QListWidgetItem(QString(indent * 2, u' ') + name, m_dirList);
        item->setData(kFolderRole, folder);
        return item;
    };
    for (const QString &folder : chain) {
        const QString name = QFileInfo(folder).fileName();
        addEntry(folder, name.isEmpty() ? folder : name, depth++);
    }
    m_dirList->setCurrentRow(m_dirList->count() - 1);
    const QDir current(m_path);
    for (const QString &name :
         current.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase))
        addEntry(current.filePath(name), name, depth);
}

void frmSelectDir::openHighlightedFolder()
{
    const QListWidgetItem *item = m_dirList->currentItem();
    if (!item)
        return;
    const QString folder = item->data(kFolderRole).toString();
    if (folder != m_path)
        setPath(folder);
}

void frmSelectDir::changeDrive()
{
    // A drive that cannot be opened (a medium missing, no permission) is undone silently.
    if (!setPath(m_drvList->currentText()))
        showDriveOf(m_path);
}

void frmSelectDir::showDriveOf(const QString &folder)
{
    const int index = m_drives.indexOf(driveOf(folder, m_drives));
    if (index < 0)
        return;
    const QSignalBlocker blocker(m_drvList);
    m_drvList->setCurrentIndex(index);
}

bool frmSelectDir::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_dirList && event->type() == QEvent::FocusOut)
        openHighlightedFolder();
    return QDialog::eventFilter(watched, event);
}

} // namespace toolkit
