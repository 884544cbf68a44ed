#include "vbprog/relmend/relmendwindow.h"

#include "platform/profile/privateprofile.h"
#include "vbprog/relmend/repairbatch.h"
#include "vbprog/toolkit/centerform.h"
#include "vbprog/toolkit/controls.h"
#include "vbprog/toolkit/frmselectdir.h"
#include "vbprog/toolkit/messageboxes.h"

#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace relmend
{

namespace
{

const QString Section = QStringLiteral("Convert");
const QString Key = QStringLiteral("FixPath");

} // namespace

RelmendWindow::RelmendWindow(const QString &settingsPath, QWidget *parent)
    : BatchWindow(QStringLiteral("停止修復"), QStringLiteral("確定要停止修復？"), parent),
      m_settingsPath(settingsPath)
{
    using toolkit::makeButton;
    using toolkit::makeLabel;
    setObjectName(QStringLiteral("relmend"));
    setWindowTitle(QStringLiteral("Selmira"));

    m_txtSrcFileOrDir = toolkit::named(new QLineEdit(this), "txtSrcFileOrDir");
    m_txtSrcFileOrDir->setMinimumWidth(360);
    QPushButton *cmdSrcFile = makeButton(this, "cmdSrcFile", QStringLiteral("檔案..."));
    QPushButton *cmdSrcDir = makeButton(this, "cmdSrcDir", QStringLiteral("目錄..."));
    QPushButton *cmdFix = makeButton(this, "cmdFix", QStringLiteral("修復"));
    QPushButton *cmdClose = makeButton(this, "cmdClose", QStringLiteral("關閉"));
    QLabel *lblFixCount = makeLabel(this, "lblFixCount", QString());
    QLabel *lblMessage = makeLabel(this, "lblMessage", QString());
    showProgressIn(lblMessage, lblFixCount);
    restDuringBatch({m_txtSrcFileOrDir, cmdSrcFile, cmdSrcDir, cmdFix, cmdClose});

    QLabel *comment =
        makeLabel(this, "lblComment",
                  QStringLiteral("問題描述：開啟不同版本的Word文件，當看到的構字符號及"
                                 "部件外字都變成方框時，可利用本程式修復。"));
    comment->setWordWrap(true);

    auto *grid = new QGridLayout(this);
    int row = 0;
    grid->addWidget(comment, row++, 0, 1, 4);
    grid->addWidget(makeLabel(this, "lblSrcFileOrDir", QStringLiteral("來源檔案或目錄：")), row, 0);
    grid->addWidget(m_txtSrcFileOrDir, row, 1);
    grid->addWidget(cmdSrcFile, row, 2);
    grid->addWidget(cmdSrcDir, row++, 3);
    grid->addWidget(makeLabel(this, "lblFormat", QStringLiteral("支援檔案格式\u3000： Word")),
                    row++, 0, 1, 2);
    grid->addWidget(makeLabel(this, "lblExtension", QStringLiteral("副檔名命名原則： docx")), row++,
                    0, 1, 2);
    grid->addWidget(makeLabel(this, "lblFix", QStringLiteral("已修復檔案數\u3000：")), row, 0);
    grid->addWidget(lblFixCount, row++, 1);
    grid->addWidget(makeLabel(this, "lblProgres", QStringLiteral("修復進度\u3000\u3000\u3000：")),
                    row, 0);
    grid->addWidget(lblMessage, row++, 1, 1, 3);
    grid->addWidget(makeLabel(this, "lblOp", QStringLiteral("操作指引\u3000\u3000\u3000：")), row++,
                    0);
    grid->addWidget(makeLabel(this, "lblOp1",
                              QStringLiteral(" 1. 按下「檔案」或「目錄」按鈕以選取修復的檔案或"
                                             "檔案所在的目錄")),
                    row++, 0, 1, 4);
    grid->addWidget(makeLabel(this, "lblOp2",
                              QStringLiteral(" 2. 按下「修復」按鈕開始修復，欲中斷修復，請按"
                                             "Pause/Break鍵。")),
                    row++, 0, 1, 4);
    grid->addWidget(makeLabel(this, "lblOp3", QStringLiteral(" 3. 按下「關閉」按鈕來結束修復程式")),
                    row++, 0, 1, 4);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdFix);
    buttons->addWidget(cmdClose);
    grid->addLayout(buttons, row, 0, 1, 4);

    chooseFile = [this](const QString &startFolder) -> std::optional<QString> {
        const QString chosen = QFileDialog::getOpenFileName(this, QString(), startFolder,
                                                            QStringLiteral("Word文件(*.docx)"));
        return chosen.isEmpty() ? std::nullopt : std::optional(chosen);
    };
    chooseFolder = [this](const QString &startFolder) {
        return toolkit::frmSelectDir::pick(this, startFolder);
    };

    connect(cmdSrcFile, &QPushButton::clicked, this, [this] { cmdSrcFileClick(); });
    connect(cmdSrcDir, &QPushButton::clicked, this, [this] { cmdSrcDirClick(); });
    connect(cmdFix, &QPushButton::clicked, this, [this] { cmdFixClick(); });
    connect(cmdClose, &QPushButton::clicked, this, &QWidget::close);
    // Typed into the box, the path is the choice as well.
    connect(m_txtSrcFileOrDir, &QLineEdit::textEdited, this,
            [this](const QString &text) { m_choice = SourceChoice::of(text); });

    if (m_settingsPath.isEmpty()) {
        setMessage(QStringLiteral(" 找不到主程式，無法讀寫設定"));
    } else {
        choose(SourceChoice::restore(
            profile::GetPrivateProfileString(Section, Key, QString(), m_settingsPath, 32768)));
    }
    adjustSize();
    toolkit::CenterForm(this);
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
    run([this] { RepairBatch(*this).run(m_txtSrcFileOrDir->text()); });
}

void RelmendWindow::keepSettings()
{
    if (m_settingsPath.isEmpty())
        return;
    QString error;
    if (!profile::WritePrivateProfileString(Section, Key, m_choice.path(), m_settingsPath, &error))
        toolkit::showMessage(this, QMessageBox::Warning, windowTitle(), error);
}

} // namespace relmend
