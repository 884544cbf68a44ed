#include "platform/profile/profilefile.h"
#include "platform/registry/registrystore.h"
#include "tests/support/printqstring.h"
#include "tests/support/scopedenvironment.h"
#include "tests/vbprog/kavrot/olddocuments.h"
#include "tests/vbprog/toolkit/controltext.h"
#include "vbprog/kavrot/kavrotwindow.h"
#include "vbprog/murvel/core/mainprogrampath.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

using kavrot::KavrotWindow;
using toolkittest::controlText;

namespace
{

// A main program folder recorded in a private registry, holding the reference databases
// and a murvel.ini of the given text.
class KavrotWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_environment.set("MURVEL_REGISTRY_DIR", m_dir.filePath("registry").toUtf8());
        ASSERT_TRUE(QDir(m_dir.path()).mkpath("bin"));
        ASSERT_TRUE(QDir(m_dir.path()).mkpath("src"));
        ASSERT_TRUE(QDir(m_dir.path()).mkpath("dst"));
        for (const char *name : {"kavrot01.mdb", "kavrot02.mdb"})
            ASSERT_TRUE(QFile::copy(QStringLiteral(MURVEL_PROGRAM_DIR "/") + name,
                                    m_dir.filePath("bin/") + name));
    }

    void recordMainProgram()
    {
        registry::RegistryStore store;
        ASSERT_TRUE(store.setValue(registry::Root::LocalMachine, mainprogram::kAppPathsKey,
                                   QString(), m_dir.filePath("bin/murvel")));
    }
    void writeSettings(const QByteArray &text)
    {
        QFile file(settingsFile());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }
    QString settingsFile() const { return m_dir.filePath("bin/murvel.ini"); }
    QString setting(const char *key) const
    {
        profile::ProfileFile file(settingsFile());
        file.load();
        return file.value(u"Convert", QString::fromLatin1(key)).value_or("<missing>");
    }

    template<typename T> static T *child(KavrotWindow &window, const char *name)
    {
        T *widget = window.findChild<T *>(QLatin1String(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    QTemporaryDir m_dir;
    ScopedEnvironment m_environment;
};

TEST_F(KavrotWindowTest, ShowsEveryCaptionOfTheWindow)
{
    recordMainProgram();
    KavrotWindow window;
    EXPECT_EQ(window.objectName(), "kavrot");
    EXPECT_EQ(window.windowTitle(), "Dumvaro");
    const QList<QPair<const char *, QString>> labels{
        {"lblOp3", " 3. 選取轉碼參考單位"},
        {"lblMessage", " "},
        {"lblOp4", " 4. 按下「轉換」按鈕開始轉碼，欲中斷轉碼，請按Pause/Break鍵。"},
        {"lblOp2", " 2. 按下「目錄」按鈕來設定轉碼後檔案的存放目錄"},
        {"lblOp1", " 1. 按下「檔案」或「目錄」按鈕以選取轉碼的檔案或檔案所在的目錄"},
        {"lblOp", "操作指引\u3000\u3000\u3000\u3000\u3000："},
        {"lblCvt", "已轉碼檔案數\u3000\u3000\u3000："},
        {"lblProgres", "轉碼進度\u3000\u3000\u3000\u3000\u3000："},
        {"lblExtension",
         "副檔名命名原則\u3000\u3000： 純文字為txt a b c, Word為docx, PowerPoint為pptx"},
        {"lblOp5", " 5. 按下「關閉」按鈕來結束轉碼程式"},
        {"lblComment",
         "備註：純文字文件轉碼的速度遠較Office文件來得快，當Office文件太大並且格式可忽略時，"
         "可考慮轉成純文字文件再轉碼。"},
        {"lblFormat", "支援檔案格式\u3000\u3000\u3000： 純文字 ,Word ,PowerPoint"},
        {"lblRefFile", "轉碼參考檔案／單位："},
        {"lblDstDir", "轉碼後檔案存放目錄："},
        {"lblSrcFileOrDir", "來源檔案或目錄\u3000\u3000："},
    };
    for (const auto &[name, text] : labels)
        EXPECT_EQ(controlText(window, name), text) << name;
    const QList<QPair<const char *, QString>> buttons{{"cmdSrcDir", "目錄..."},
                                                      {"cmdClose", "關閉"},
                                                      {"cmdCvt", "轉換"},
                                                      {"cmdDstDir", "目錄..."},
                                                      {"cmdSrcFile", "檔案..."}};
    for (const auto &[name, text] : buttons)
        EXPECT_EQ(controlText(window, name), text) << name;
    QComboBox *units = child<QComboBox>(window, "cboRefFile");
    ASSERT_EQ(units->count(), 2);
    EXPECT_EQ(units->itemText(0), "Ombrel計算中心");
    EXPECT_EQ(units->itemText(1), "OmbrelVarmesk金文工作室");
    EXPECT_NE(child<QLineEdit>(window, "txtSrcFileOrDir"), nullptr);
    EXPECT_NE(child<QLineEdit>(window, "txtDstDir"), nullptr);
    EXPECT_NE(window.findChild<QObject *>("CommonDialog1"), nullptr);
}

TEST_F(KavrotWindowTest, RestoresItsChoicesAndWritesOnlyItsOwnKeysAtClose)
{
    recordMainProgram();
    const QString file = m_dir.filePath("src/a.txt");
    ASSERT_TRUE(kavrottest::writeCp950Text(file, {"x"}, "\r\n"));
    writeSettings("; kept comment\n[Start]\nLeft=10\n[Convert]\nFixPath=/somewhere\nRefFile=1\n"
                  "SrcPath=" +
                  file.toUtf8() + "\nDstPath=" + m_dir.filePath("dst/").toUtf8() +
                  "\n[Other]\nKey=value\n");
    {
        KavrotWindow window;
        EXPECT_EQ(child<QLineEdit>(window, "txtSrcFileOrDir")->text(), file);
        EXPECT_EQ(child<QLineEdit>(window, "txtDstDir")->text(), m_dir.filePath("dst"));
        EXPECT_EQ(child<QComboBox>(window, "cboRefFile")->currentIndex(), 0);
        window.show();
        child<QPushButton>(window, "cmdClose")->click();
    }
    EXPECT_EQ(setting("RefFile"), "1");
    EXPECT_EQ(setting("SrcPath"), file);
    EXPECT_EQ(setting("DstPath"), m_dir.filePath("dst"));
    const QByteArray text = kavrottest::fileBytes(settingsFile());
    for (const char *kept :
         {"; kept comment\n[Start]\nLeft=10\n", "FixPath=/somewhere\n", "[Other]\nKey=value\n"})
        EXPECT_TRUE(text.contains(kept)) << kept;
    EXPECT_FALSE(text.contains("  ")) << "values are not padded";
}

TEST_F(KavrotWindowTest, MissingOrVanishedChoicesStartEmptyWithTheSecondUnit)
{
    recordMainProgram();
    writeSettings("[Convert]\nSrcPath=" + m_dir.filePath("src/gone.txt").toUtf8() +
                  "\nDstPath=" + m_dir.filePath("gone").toUtf8() + "\n");
    {
        KavrotWindow window;
        EXPECT_EQ(child<QLineEdit>(window, "txtSrcFileOrDir")->text(), "");
        EXPECT_EQ(child<QLineEdit>(window, "txtDstDir")->text(), "");
        EXPECT_EQ(child<QComboBox>(window, "cboRefFile")->currentIndex(), 1);
        window.close();
    }
    EXPECT_EQ(setting("RefFile"), "2");
    EXPECT_EQ(setting("SrcPath"), "");
}

TEST_F(KavrotWindowTest, WithoutAMainProgramFolderItSaysSoAndWritesNoSettings)
{
    {
        KavrotWindow window;
        EXPECT_TRUE(controlText(window, "lblMessage").contains("找不到主程式的安裝目錄"));
        child<QLineEdit>(window, "txtSrcFileOrDir")->setText(m_dir.filePath("src"));
        child<QLineEdit>(window, "txtDstDir")->setText(m_dir.filePath("dst"));
        child<QPushButton>(window, "cmdCvt")->click();
        EXPECT_TRUE(controlText(window, "lblMessage").contains("找不到主程式的安裝目錄"));
        window.close();
    }
    EXPECT_FALSE(QFile::exists(settingsFile()));
}

TEST_F(KavrotWindowTest, TheButtonsRestDuringARunAndPauseAsksBeforeItStops)
{
    recordMainProgram();
    ASSERT_TRUE(kavrottest::writeCp950Text(m_dir.filePath("src/a.txt"), {"\uE000"}, "\r\n"));
    KavrotWindow window;
    window.show();
    child<QLineEdit>(window, "txtSrcFileOrDir")->setText(m_dir.filePath("src"));
    child<QLineEdit>(window, "txtDstDir")->setText(m_dir.filePath("dst"));
    child<QComboBox>(window, "cboRefFile")->setCurrentIndex(0);

    bool disabledDuringRun = false;
    QString question;
    QTimer::singleShot(0, &window, [&] {
        disabledDuringRun = window.busy() && !child<QPushButton>(window, "cmdCvt")->isEnabled() &&
                            !child<QPushButton>(window, "cmdClose")->isEnabled() &&
                            !child<QComboBox>(window, "cboRefFile")->isEnabled();
        QTimer::singleShot(0, &window, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            question = box->windowTitle() + u'|' + box->text();
            box->button(QMessageBox::Yes)->click();
        });
        QKeyEvent pause(QEvent::KeyPress, Qt::Key_Pause, Qt::NoModifier);
        QApplication::sendEvent(child<QLineEdit>(window, "txtDstDir"), &pause);
    });
    child<QPushButton>(window, "cmdCvt")->click();

    EXPECT_TRUE(disabledDuringRun);
    EXPECT_EQ(question, "停止轉碼|確定要停止轉碼？");
    EXPECT_EQ(controlText(window, "lblMessage"), " 使用者中斷，總共轉換了0個檔案。");
    EXPECT_EQ(controlText(window, "lblCvtCount"), "0");
    EXPECT_FALSE(QFile::exists(m_dir.filePath("dst/a.txt")));
    EXPECT_TRUE(child<QPushButton>(window, "cmdCvt")->isEnabled());

    // The next run starts afresh and converts.
    child<QPushButton>(window, "cmdCvt")->click();
    EXPECT_EQ(controlText(window, "lblMessage"), " 轉碼結束，總共轉換了1個檔案。");
    EXPECT_EQ(controlText(window, "lblCvtCount"), "1");
    EXPECT_TRUE(QFile::exists(m_dir.filePath("dst/a.txt")));
}

} // namespace
