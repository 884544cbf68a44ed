#include "vbprog/Fonsetta/frmOstinel.h"

#include "platform/registry/registrystore.h"
#include "vbprog/Fonsetta/applyinstall.h"
#include "vbprog/Fonsetta/installregistry.h"
#include "vbprog/murvel/core/mainprogrampath.h"
#include "vbprog/toolkit/centerform.h"
#include "vbprog/toolkit/controls.h"
#include "vbprog/toolkit/messageboxes.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using fonsetta::CheckValue;
using toolkit::makeButton;
using toolkit::makeLabel;

namespace
{

const QString kTitle = QStringLiteral("Ostinel");
// The installer centres in the top 85 % of the screen, a little higher than the tools.
constexpr double kCentreFactor = 0.85;
const QString kNotInstalled = QStringLiteral("<未安裝>");
const QString kDoneMessage = QStringLiteral(
    "部件外字及輸入法已安裝完成，新設定的外字及輸入法若未生效，請重新啟動電腦(Win95/98/Me)"
    "或重新登入(Win2000/XP)後再使用！");

// The guide beside the rows; the continuation lines begin with five blanks, the gaps of
// the second line's continuation are ideographic spaces.
const QList<std::pair<const char *, QString>> kGuideLabels = {
    {"lblOp", QStringLiteral("操作指引：")},
    {"lblOp1", QStringLiteral(" 1. 文字方塊記錄著目前已安裝的部件外字或輸入法")},
    {"lblOp2", QStringLiteral(" 2. 在核取方塊設定或取消外字或外字輸入法")},
    {"lblOp2_2", QStringLiteral("     核取：設定\u3000不核取：取消\u3000灰色：暫不更動")},
    {"lblOp3", QStringLiteral(" 3. 按下「檔案」按鈕來選取外字或外字輸入法或")},
    {"lblOp3_2", QStringLiteral("     按下「預設」按鈕來設定Tesvani的預設外字或輸入法")},
    {"lblOp4", QStringLiteral(" 4. 按下「安裝」按鈕執行設定或取消")},
    {"lblOp5", QStringLiteral(" 5. 按下「關閉」按鈕來結束安裝程式")},
};

CheckValue checkValue(const QCheckBox *box)
{
    switch (box->checkState()) {
    case Qt::Checked:
        return CheckValue::Checked;
    case Qt::Unchecked:
        return CheckValue::Unchecked;
    case Qt::PartiallyChecked:
        break;
    }
    return CheckValue::Grey;
}

} // namespace

frmOstinel::frmOstinel(registry::RegistryStore &store, fonsetta::EudcFontLink fontLink,
                       QWidget *parent)
    : QWidget(parent), m_store(store), m_fontLink(std::move(fontLink))
{
    setObjectName(QStringLiteral("frmOstinel"));
    setWindowTitle(kTitle);
    m_chooseFile = [this](const QString &filter, const QString &pattern) {
        const QString file = QFileDialog::getOpenFileName(this, QString(), QString(),
                                                          filter + u" ("_qs + pattern + u')');
        return file.isEmpty() ? std::nullopt : std::optional<QString>(file);
    };
    m_showMessage = [this](const QString &text, bool problem) {
        toolkit::showMessage(this, problem ? QMessageBox::Warning : QMessageBox::Information,
                             kTitle, text);
    };
    buildControls();
    adjustSize();
    setFixedSize(size());
    toolkit::CenterForm(this, kCentreFactor);
    loadSettings();
}

void frmOstinel::buildControls()
{
    auto *layout = new QVBoxLayout(this);
    auto *grid = new QGridLayout;
    const QList<fonsetta::InstallRow> &rows = fonsetta::installRows();
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const fonsetta::InstallRow &row = rows[i];
        RowControls controls;
        controls.check = new QCheckBox(row.caption, this);
        controls.check->setObjectName(u"chk"_qs + row.name);
        controls.check->setTristate(true);
        controls.check->setCheckState(Qt::PartiallyChecked);
        controls.text = new QLineEdit(this);
        controls.text->setObjectName(u"txt"_qs + row.name);
        controls.text->setMinimumWidth(360);
        controls.fileButton = makeButton(this, u"cmd"_qs + row.name, QStringLiteral("檔案..."));
        controls.fileButton->setEnabled(false);
        grid->addWidget(controls.check, int(i), 0);
        grid->addWidget(controls.text, int(i), 1);
        grid->addWidget(controls.fileButton, int(i), 2);

        const int index = int(i);
        connect(controls.check, &QCheckBox::clicked, this, [this, index] {
            const RowControls &clicked = m_rows[index];
            clicked.fileButton->setEnabled(checkValue(clicked.check) == CheckValue::Checked);
            設定按鈕狀態();
        });
        connect(controls.fileButton, &QPushButton::clicked, this,
                [this, index] { chooseFile(index); });
        m_rows.append(controls);
    }
    layout->addLayout(grid);

    for (const auto &[name, text] : kGuideLabels) {
        QLabel *label = makeLabel(this, name, text);
        label->setTextFormat(Qt::PlainText);
        layout->addWidget(label);
    }

    auto *buttons = new QHBoxLayout;
    m_defaults = makeButton(this, QStringLiteral("cmd預設"), QStringLiteral("預設"));
    m_install = makeButton(this, QStringLiteral("cmd安裝"), QStringLiteral("安裝"));
    QPushButton *close = makeButton(this, QStringLiteral("cmd移除"), QStringLiteral("關閉"));
    m_defaults->setEnabled(false);
    m_install->setEnabled(false);
    buttons->addStretch();
    for (QPushButton *button : {m_defaults, m_install, close})
        buttons->addWidget(button);
    layout->addLayout(buttons);

    connect(m_defaults, &QPushButton::clicked, this, [this] { fillDefaults(); });
    connect(m_install, &QPushButton::clicked, this, [this] { install(); });
    connect(close, &QPushButton::clicked, this, [this] { this->close(); });
}

void frmOstinel::設定按鈕狀態()
{
    bool anyChecked = false;
    bool anyNotGrey = false;
    for (const RowControls &row : m_rows) {
        const CheckValue value = checkValue(row.check);
        anyChecked = anyChecked || value == CheckValue::Checked;
        anyNotGrey = anyNotGrey || value != CheckValue::Grey;
    }
    m_defaults->setEnabled(anyChecked);
    m_install->setEnabled(anyNotGrey);
}

void frmOstinel::loadSettings()
{
    const QList<fonsetta::CurrentRow> current = fonsetta::readCurrentSettings(m_store);
    for (qsizetype i = 0; i < m_rows.size() && i < current.size(); ++i) {
        const RowControls &row = m_rows[i];
        if (current[i].installed) {
            row.text->setText(current[i].text);
            continue;
        }
        row.check->setCheckState(Qt::PartiallyChecked);
        row.check->setEnabled(false);
        row.text->setText(kNotInstalled);
        row.text->setEnabled(false);
        row.fileButton->setEnabled(false);
    }
}

void frmOstinel::chooseFile(int row)
{
    const fonsetta::InstallRow &setting = fonsetta::installRows()[row];
    // A cancelled dialog keeps what the box held.
    if (const std::optional<QString> file = m_chooseFile(setting.dialogFilter, setting.filePattern))
        m_rows[row].text->setText(*file);
}

void frmOstinel::fillDefaults()
{
    m_apppath = mainprogram::GetMainProgramDirWithoutSeparator(m_store);
    if (m_apppath.isEmpty()) {
        m_showMessage(QStringLiteral("找不到主程式的安裝資料夾，無法填入預設的外字或輸入法。"),
                      true);
        return;
    }
    const QList<fonsetta::InstallRow> &rows = fonsetta::installRows();
    for (qsizetype i = 0; i < rows.size(); ++i) {
        if (checkValue(m_rows[i].check) == CheckValue::Checked)
            m_rows[i].text->setText(fonsetta::defaultFilePath(rows[i], m_apppath));
    }
}

void frmOstinel::install()
{
    QList<fonsetta::RowRequest> requests;
    for (const RowControls &row : m_rows)
        requests.append({row.check->isEnabled(), checkValue(row.check), row.text->text()});
    const QStringList failures =
        fonsetta::ApplyInstallSettings(m_store, m_fontLink, requests, m_apppath);
    if (!failures.isEmpty()) {
        m_showMessage(QStringLiteral("下列設定未能完成：\n") + failures.join(u'\n'), true);
        return;
    }
    m_showMessage(kDoneMessage, false);
    close();
}
