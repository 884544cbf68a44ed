#include "vbprog/kavrot/kavrotwindow.h"

#include "vbprog/kavrot/batch.h"
#include "vbprog/toolkit/centerform.h"
#include "vbprog/toolkit/controls.h"
#include "vbprog/toolkit/frmselectdir.h"
#include "vbprog/toolkit/mainprogramdir.h"
#include "vbprog/toolkit/messageboxes.h"

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace kavrot
{

KavrotWindow::KavrotWindow(QWidget *parent)
    : BatchWindow(QStringLiteral("停止轉碼"), QStringLiteral("確定要停止轉碼？"), parent)
{
    setObjectName(QStringLiteral("kavrot"));
    setWindowTitle(QStringLiteral("Dumvaro"));
    buildControls();
    toolkit::CenterForm(this);

    m_mainDir = toolkit::GetMainProgramDir();
    m_settingsFile = toolkit::settingsFilePath();
    if (m_settingsFile.isEmpty())
        setMessage(QStringLiteral(" 找不到主程式的安裝目錄，轉碼參考檔案與設定都無法使用。"));
    else
        m_settings = KavrotSettings::load(m_settingsFile);
    showSettings();
}

void KavrotWindow::buildControls()
{
    auto *layout = new QGridLayout(this);
    int row = 0;
    const auto label = [this](const char *name, const QString &text) {
        return toolkit::makeLabel(this, name, text);
    };
    QList<QWidget *> controls;
    const auto button = [&](const char *name, const QString &text) {
        QPushButton *created = toolkit::makeButton(this, name, text);
        controls.append(created);
        return created;
    };
    const auto wide = [&](QWidget *widget) { layout->addWidget(widget, row++, 0, 1, 4); };

    m_txtSrcFileOrDir = toolkit::named(new QLineEdit(this), "txtSrcFileOrDir");
    m_txtDstDir = toolkit::named(new QLineEdit(this), "txtDstDir");
    m_cboRefFile = toolkit::named(new QComboBox(this), "cboRefFile");
    m_cboRefFile->addItems(
        {QStringLiteral("Ombrel計算中心"), QStringLiteral("OmbrelVarmesk金文工作室")});
    controls << m_txtSrcFileOrDir << m_txtDstDir << m_cboRefFile;
    m_commonDialog = toolkit::named(new QFileDialog(this), "CommonDialog1");
    QLabel *lblMessage = label("lblMessage", QStringLiteral(" "));
    lblMessage->setWordWrap(true);
    QLabel *lblCvtCount = label("lblCvtCount", QString());
    showProgressIn(lblMessage, lblCvtCount);

    layout->addWidget(label("lblSrcFileOrDir", QStringLiteral("來源檔案或目錄\u3000\u3000：")), row,
                      0);
    layout->addWidget(m_txtSrcFileOrDir, row, 1);
    layout->addWidget(button("cmdSrcFile", QStringLiteral("檔案...")), row, 2);
    layout->addWidget(button("cmdSrcDir", QStringLiteral("目錄...")), row++, 3);
    layout->addWidget(label("lblDstDir", QStringLiteral("轉碼後檔案存放目錄：")), row, 0);
    layout->addWidget(m_txtDstDir, row, 1);
    layout->addWidget(button("cmdDstDir", QStringLiteral("目錄...")), row++, 3);
    layout->addWidget(label("lblRefFile", QStringLiteral("轉碼參考檔案／單位：")), row, 0);
    layout->addWidget(m_cboRefFile, row++, 1);
    wide(label("lblFormat",
               QStringLiteral("支援檔案格式\u3000\u3000\u3000： 純文字 ,Word ,PowerPoint")));
    wide(label("lblExtension", QStringLiteral("副檔名命名原則\u3000\u3000： 純文字為txt a b c, "
                                              "Word為docx, PowerPoint為pptx")));
    layout->addWidget(label("lblCvt", QStringLiteral("已轉碼檔案數\u3000\u3000\u3000：")), row, 0);
    layout->addWidget(lblCvtCount, row++, 1, 1, 3);
    layout->addWidget(
        label("lblProgres", QStringLiteral("轉碼進度\u3000\u3000\u3000\u3000\u3000：")), row, 0);
    layout->addWidget(lblMessage, row++, 1, 1, 3);
    wide(label("lblOp", QStringLiteral("操作指引\u3000\u3000\u3000\u3000\u3000：")));
    wide(label("lblOp1",
               QStringLiteral(" 1. 按下「檔案」或「目錄」按鈕以選取轉碼的檔案或檔案所在的目錄")));
    wide(label("lblOp2", QStringLiteral(" 2. 按下「目錄」按鈕來設定轉碼後檔案的存放目錄")));
    wide(label("lblOp3", QStringLiteral(" 3. 選取轉碼參考單位")));
    wide(label("lblOp4",
               QStringLiteral(" 4. 按下「轉換」按鈕開始轉碼，欲中斷轉碼，請按Pause/Break鍵。")));
    wide(label("lblOp5", QStringLiteral(" 5. 按下「關閉」按鈕來結束轉碼程式")));
    QLabel *comment =
        label("lblComment", QStringLiteral("備註：純文字文件轉碼的速度遠較Office文件來得快，"
                                           "當Office文件太大並且格式可忽略時，"
                                           "可考慮轉成純文字文件再轉碼。"));
    comment->setWordWrap(true);
    wide(comment);
    layout->addWidget(button("cmdCvt", QStringLiteral("轉換")), row, 2);
    layout->addWidget(button("cmdClose", QStringLiteral("關閉")), row++, 3);
    layout->setColumnStretch(1, 1);
    resize(720, layout->sizeHint().height());
    restDuringBatch(controls);

    connect(m_cboRefFile, &QComboBox::currentIndexChanged, this,
            [this](int index) { chooseReferenceUnit(index); });
    connect(findChild<QPushButton *>(QStringLiteral("cmdSrcFile")), &QPushButton::clicked, this,
            [this] { chooseSourceFile(); });
    connect(findChild<QPushButton *>(QStringLiteral("cmdSrcDir")), &QPushButton::clicked, this,
            [this] { chooseSourceFolder(); });
    connect(findChild<QPushButton *>(QStringLiteral("cmdDstDir")), &QPushButton::clicked, this,
            [this] { chooseDestinationFolder(); });
    connect(findChild<QPushButton *>(QStringLiteral("cmdCvt")), &QPushButton::clicked, this,
            [this] { convert(); });
    connect(findChild<QPushButton *>(QStringLiteral("cmdClose")), &QPushButton::clicked, this,
            [this] { close(); });
}

void KavrotWindow::showSettings()
{
    m_txtSrcFileOrDir->setText(m_settings.sourcePath());
    m_txtDstDir->setText(m_settings.destFolder);
    const int unit = m_settings.referenceUnitIndex();
    m_cboRefFile->setCurrentIndex(unit);
    chooseReferenceUnit(unit);
}

void KavrotWindow::chooseReferenceUnit(int index)
{
    m_settings.refFileCode = index == 0 ? QStringLiteral("1") : QStringLiteral("2");
    m_refDbPath = referenceDatabasePath(m_mainDir, index == 0 ? 0 : 1);
}

void KavrotWindow::chooseSourceFile()
{
    m_commonDialog->setNameFilter(QStringLiteral("所有檔案(*.*)"));
    m_commonDialog->setDirectory(m_settings.sourceFolder);
    m_commonDialog->setFileMode(QFileDialog::ExistingFile);
    m_commonDialog->setAcceptMode(QFileDialog::AcceptOpen);
    if (m_commonDialog->exec() != QDialog::Accepted || m_commonDialog->selectedFiles().isEmpty())
        return;
    const QString chosen = m_commonDialog->selectedFiles().constFirst();
    m_txtSrcFileOrDir->setText(chosen);
    const QFileInfo file(chosen);
    if (file.exists()) {
        m_settings.sourceFolder = file.path();
        m_settings.sourceFileName = file.fileName();
    }
}

void KavrotWindow::chooseSourceFolder()
{
    const std::optional<QString> picked =
        toolkit::frmSelectDir::pick(this, m_settings.sourceFolder);
    if (!picked)
        return;
    m_txtSrcFileOrDir->setText(*picked);
    QDir::setCurrent(*picked);
    m_settings.sourceFolder = *picked;
    m_settings.sourceFileName.clear();
}

void KavrotWindow::chooseDestinationFolder()
{
    const std::optional<QString> picked = toolkit::frmSelectDir::pick(this, m_settings.destFolder);
    if (!picked)
        return;
    m_txtDstDir->setText(*picked);
    QDir::setCurrent(*picked);
    m_settings.destFolder = *picked;
}

void KavrotWindow::convert()
{
    run([this] { runBatch({m_txtSrcFileOrDir->text(), m_txtDstDir->text(), m_refDbPath}, *this); });
}

void KavrotWindow::keepSettings()
{
    QString error;
    if (!m_settingsFile.isEmpty() && !m_settings.save(m_settingsFile, &error))
        toolkit::showMessage(this, QMessageBox::Warning, QStringLiteral("Dumvaro"),
                             QStringLiteral("設定無法寫入 %1：%2").arg(m_settingsFile, error));
}

} // namespace kavrot
