#include "vbprog/tallyq/frmpelqua.h"

#include "platform/system/waitcursor.h"
#include "vbprog/murvel/schema/schemanames.h"
#include "vbprog/tallyq/logupdate.h"
#include "vbprog/tallyq/logview.h"
#include "vbprog/tallyq/texteditor.h"
#include "vbprog/toolkit/centerform.h"
#include "vbprog/toolkit/controls.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tallyq
{

using toolkit::makeButton;
using toolkit::makeLabel;

frmPelqua::frmPelqua(const QString &windowsFolder, const QString &mainProgramDir,
                     const QString &viewFolder, QWidget *parent)
    : QWidget(parent), m_mainProgramDir(mainProgramDir), m_viewFolder(viewFolder)
{
    setObjectName(QStringLiteral("frmPelqua"));
    setWindowTitle(QStringLiteral("Pelqua"));
    m_log.startRun(windowsFolder);

    m_txtFile = toolkit::named(new QLineEdit(this), "txtFile");
    m_txtFile->setReadOnly(true);
    m_txtFile->setMinimumWidth(360);
    m_lblCount = makeLabel(this, "lblCount", QStringLiteral(" "));
    m_lblMessage = makeLabel(this, "lblMessage", QStringLiteral(" "));
    m_cmdOpen = makeButton(this, "cmdOpen", QStringLiteral("開啟"));
    m_cmdUpdate = makeButton(this, "cmdUpdate", QStringLiteral("更新"));
    auto *cmdClose = makeButton(this, "cmdClose", QStringLiteral("關閉"));
    auto *comment =
        makeLabel(this, "lblComment",
                  QStringLiteral("備註：使用Microsoft Office轉換缺字時，將會自動記錄Tesvani"
                                 "尚未收錄的缺字。Pelqua程式除了可開啟缺字記錄檔外，同時可"
                                 "在Tesvani版本更新後，同步更新缺字記錄檔。"));
    comment->setWordWrap(true);

    auto *grid = new QGridLayout(this);
    int row = 0;
    grid->addWidget(makeLabel(this, "lblFile", QStringLiteral("缺字記錄檔：")), row, 0);
    grid->addWidget(m_txtFile, row++, 1);
    grid->addWidget(makeLabel(this, "lbl缺字個數", QStringLiteral("缺字個數\u3000：")), row, 0);
    grid->addWidget(m_lblCount, row++, 1);
    grid->addWidget(makeLabel(this, "lblProgres", QStringLiteral("更新進度\u3000：")), row, 0);
    grid->addWidget(m_lblMessage, row++, 1);
    grid->addWidget(comment, row++, 0, 1, 2);
    grid->addWidget(makeLabel(this, "lblOp", QStringLiteral("操作指引\u3000：")), row++, 0);
    grid->addWidget(
        makeLabel(this, "lblOp1", QStringLiteral(" 1. 按下「開啟」按鈕來開啟缺字記錄檔")), row++, 0,
        1, 2);
    grid->addWidget(
        makeLabel(this, "lblOp2", QStringLiteral(" 2. 按下「更新」按鈕來更新缺字記錄檔")), row++, 0,
        1, 2);
    grid->addWidget(
        makeLabel(this, "Label1", QStringLiteral(" 3. 按下「關閉」按鈕來結束Pelqua程式")), row++, 0,
        1, 2);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_cmdOpen);
    buttons->addWidget(m_cmdUpdate);
    buttons->addWidget(cmdClose);
    grid->addLayout(buttons, row, 0, 1, 2);

    openLog = [](const QString &viewPath) { return openInTextEditor(viewPath); };
    connect(m_cmdOpen, &QPushButton::clicked, this, [this] { cmdOpenClick(); });
    connect(m_cmdUpdate, &QPushButton::clicked, this, [this] { cmdUpdateClick(); });
    connect(cmdClose, &QPushButton::clicked, this, &QWidget::close);

    const bool found = QFileInfo::exists(m_log.path());
    m_txtFile->setText(found ? m_log.path() : QStringLiteral("尚未發現新的缺字！"));
    m_cmdOpen->setEnabled(found);
    m_cmdUpdate->setEnabled(found);
    if (!found) {
        m_lblCount->setText(QStringLiteral("0"));
    } else if (const std::optional<int> count = CountLogEntries(m_log)) {
        showCount(*count);
    } else {
        m_lblMessage->setText(m_log.errorString());
    }
    adjustSize();
    toolkit::CenterForm(this);
}

void frmPelqua::showCount(int count)
{
    m_lblCount->setText(QString::number(count));
}

void frmPelqua::cmdOpenClick()
{
    const platform::Result<QString> view = writeLogView(m_log.path(), m_viewFolder);
    if (!view)
        m_lblMessage->setText(view.errorString());
    else if (!openLog(view.value()))
        m_lblMessage->setText(QStringLiteral("無法開啟缺字記錄檔"));
}

void frmPelqua::cmdUpdateClick()
{
    sys::WaitCursor hourglass;
    m_lblMessage->setText(QStringLiteral("開始更新..."));
    if (m_mainProgramDir.isEmpty()) {
        m_lblMessage->setText(QStringLiteral("找不到主程式，無法更新"));
        return;
    }
    GlyphFormulas glyphs;
    if (!glyphs.open(DatabasePath(m_mainProgramDir, DatabaseNames::Regular))) {
        m_lblMessage->setText(glyphs.errorString());
        return;
    }
    const std::optional<int> kept = PruneLog(
        m_log, [&glyphs](const QString &entry) { return glyphs.FormulaInDatabase(entry); });
    if (!kept) {
        m_lblMessage->setText(m_log.errorString());
        return;
    }
    showCount(*kept);
    m_lblMessage->setText(QStringLiteral("更新完畢"));
}

} // namespace tallyq
