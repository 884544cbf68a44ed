#include "vbprog/relmend/relmendwindow.h"

#include "platform/profile/privateprofile.h"
#include "platform/system/waitcursor.h"
#include "vbprog/relmend/repairbatch.h"
#include "vbprog/toolkit/centerform.h"
#include "vbprog/toolkit/frmselectdir.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

namespace relmend
{

namespace
{

const QString Section = QStringLiteral("Convert");
const QString Key = QStringLiteral("FixPath");

QLabel *label(QWidget *parent, const char *name, const QString &text)
{
    auto *made = new QLabel(text, parent);
    made->setObjectName(QLatin1String(name));
    return made;
}

QPushButton *button(QWidget *parent, const char *name, const QString &text)
{
    auto *made = new QPushButton(text, parent);
    made->setObjectName(QLatin1String(name));
    return made;
}

} // namespace

RelmendWindow::RelmendWindow(const QString &settingsPath, QWidget *parent)
    : QWidget(parent), m_settingsPath(settingsPath)
{
    setObjectName(QStringLiteral("relmend"));
    setWindowTitle(QStringLiteral("Selmira"));

    m_txtSrcFileOrDir = new QLineEdit(this);
    m_txtSrcFileOrDir->setObjectName(QStringLiteral("txtSrcFileOrDir"));
    m_txtSrcFileOrDir->setMinimumWidth(360);
    m_cmdSrcFile = button(this, "cmdSrcFile", QStringLiteral("檔案..."));
    m_cmdSrcDir = button(this, "cmdSrcDir", QStringLiteral("目錄..."));
    m_cmdFix = button(this, "cmdFix", QStringLiteral("修復"));
    m_cmdClose = button(this, "cmdClose", QStringLiteral("關閉"));
    m_lblFixCount = label(this, "lblFixCount", QString());
    m_lblMessage = label(this, "lblMessage", QString());

    auto *comment = label(this, "lblComment",
                          QStringLiteral("問題描述：開啟不同版本的Word文件，當看到的構字符號及部件"
                                         "外字都變成方框時，可利用本程式修復。"));
    comment->setWordWrap(true);

    auto *grid = new QGridLayout(this);
    int row = 0;
    grid->addWidget(comment, row++, 0, 1, 4);
    grid->addWidget(label(this, "lblSrcFileOrDir", QStringLiteral("來源檔案或目錄：")), row, 0);
    grid->addWidget(m_txtSrcFileOrDir, row, 1);
    grid->addWidget(m_cmdSrcFile, row, 2);
    grid->addWidget(m_cmdSrcDir, row++, 3);
    grid->addWidget(label(this, "lblFormat", QStringLiteral("支援檔案格式\u3000： Word")), row++, 0,
                    1, 2);
    grid->addWidget(label(this, "lblExtension", QStringLiteral("副檔名命名原則： docx")), row++, 0,
                    1, 2);
    grid->addWidget(label(this, "lblFix", QStringLiteral("已修復檔案數\u3000：")), row, 0);
    grid->addWidget(m_lblFixCount, row++, 1);
    grid->addWidget(label(this, "lblProgres", QStringLiteral("修復進度\u3000\u3000\u3000：")), row,
                    0);
    grid->addWidget(m_lblMessage, row++, 1, 1, 3);
    grid->addWidget(label(this, "lblOp", QStringLiteral("操作指引\u3000\u3000\u3000：")), row++, 0);
    grid->addWidget(label(this, "lblOp1",
                          QStringLiteral(" 1. 按下「檔案」或「目錄」按鈕以選取修復的檔案或檔案"
                                         "所在的目錄")),
                    row++, 0, 1, 4);
    grid->addWidget(label(this, "lblOp2",
                          QStringLiteral(" 2. 按下「修復」按鈕開始修復，欲中斷修復，請按Pause/"
                                         "Break鍵。")),
                    row++, 0, 1, 4);
    grid->addWidget(label(this, "lblOp3", QStringLiteral(" 3. 按下「關閉」按鈕來結束修復程式")),
                    row++, 0, 1, 4);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_cmdFix);
    buttons->addWidget(m_cmdClose);
    grid->addLayout(buttons, row, 0, 1, 4);

    chooseFile = [this](const QString &startFolder) -> std::optional<QString> {
        const QString chosen = QFileDialog::getOpenFileName(this, QString(), startFolder,
                                                            QStringLiteral("Word文件(*.docx)"));
        return chosen.isEmpty() ? std::nullopt : std::optional(chosen);
    };
    chooseFolder = [this](const QString &startFolder) {
        return toolkit::frmSelectDir::pick(this, startFolder);
    };
    confirmStop = [this]() {
        return QMessageBox::question(this, QStringLiteral("停止修復"),
                                     QStringLiteral("確定要停止修復？"),
                                     QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
    };

    connect(m_cmdSrcFile, &QPushButton::clicked, this, [this] { cmdSrcFileClick(); });
    connect(m_cmdSrcDir, &QPushButton::clicked, this, [this] { cmdSrcDirClick(); });
    connect(m_cmdFix, &QPushButton::clicked, this, [this] { cmdFixClick(); });
    connect(m_cmdClose, &QPushButton::clicked, this, &QWidget::close);
    // Typed into the box, the path is the choice as well.
    connect(m_txtSrcFileOrDir, &QLineEdit::textEdited, this,
            [this](const QString &text) { m_choice = SourceChoice::of(text); });
    qApp->installEventFilter(this);

    if (m_settingsPath.isEmpty()) {
        setMessage(QStringLiteral(" 找不到主程式，無法讀寫設定"));
    } else {
        choose(SourceChoice::restore(
            profile::GetPrivateProfileString(Section, Key, QString(), m_settingsPath, 32768)));
    }
    adjustSize();
    toolkit::CenterForm(this);
}

RelmendWindow::~RelmendWindow()
{
    qApp->removeEventFilter(this);
}

void RelmendWindow::choose(const SourceChoice &choice)
{
    m_choice = choice;
    m_txtSrcFileOrDir->setText(choice.path());
}

void RelmendWindow::cmdSrcFileClick()
{
    if (const std::optional<QString> chosen = chooseFile(m_choice.SourceFolder))
        choose(SourceChoice::of(*chosen));
}

void RelmendWindow::cmdSrcDirClick()
{
    if (const std::optional<QString> chosen = chooseFolder(m_choice.SourceFolder))
        choose(SourceChoice::of(*chosen));
}

void RelmendWindow::cmdFixClick()
{
    Busy = true;
    StopRequested = false;
    setControlsEnabled(false);
    {
        sys::WaitCursor hourglass;
        RepairBatch(*this).run(m_txtSrcFileOrDir->text());
    }
    setControlsEnabled(true);
    Busy = false;
}

void RelmendWindow::setControlsEnabled(bool enabled)
{
    for (QWidget *control : std::initializer_list<QWidget *>{m_txtSrcFileOrDir, m_cmdSrcFile,
                                                             m_cmdSrcDir, m_cmdFix, m_cmdClose})
        control->setEnabled(enabled);
}

QString RelmendWindow::message() const
{
    return m_lblMessage->text();
}

void RelmendWindow::setMessage(const QString &text)
{
    m_lblMessage->setText(text);
}

void RelmendWindow::setFixCount(const QString &text)
{
    m_lblFixCount->setText(text);
}

void RelmendWindow::letEventsRun(word::StoryType)
{
    m_eventPace.letEventsRun();
}

bool RelmendWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent *>(event)->key() == Qt::Key_Pause) {
        if (Busy && !StopRequested)
            StopRequested = confirmStop();
        return Busy;
    }
    return QWidget::eventFilter(watched, event);
}

// A batch in progress keeps the window; Pause/Break stops it.
void RelmendWindow::closeEvent(QCloseEvent *event)
{
    if (Busy) {
        event->ignore();
        return;
    }
    saveChoice();
    event->accept();
}

void RelmendWindow::saveChoice()
{
    if (m_settingsPath.isEmpty())
        return;
    QString error;
    if (!profile::WritePrivateProfileString(Section, Key, m_choice.path(), m_settingsPath, &error))
        QMessageBox::warning(this, windowTitle(), error);
}

} // namespace relmend
