#include "platform/profile/privateprofile.h"
#include "tests/platform/office/word/sampledocx.h"
#include "tests/vbprog/toolkit/controltext.h"
#include "vbprog/relmend/relmendwindow.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using relmend::RelmendWindow;

using toolkittest::controlText;

namespace
{

class RelmendWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_settings = m_folder.filePath(QStringLiteral("murvel.ini"));
        QFile file(m_settings);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QStringLiteral("[Convert]\r\nRefFile=kavrot02.mdb\r\nFixPath=%1\r\n[Font]\r\n"
                                  "Face=標楷體\r\n")
                       .arg(m_folder.path())
                       .toUtf8());
    }

    QString setting(const QString &section, const QString &key) const
    {
        return profile::GetPrivateProfileString(section, key, QStringLiteral("-"), m_settings,
                                                1024);
    }

    QTemporaryDir m_folder;
    QString m_settings;
};

TEST_F(RelmendWindowTest, ShowsItsCaptionsAndRestoresTheLastFolder)
{
    RelmendWindow window(m_settings);
    EXPECT_EQ(window.windowTitle(), "Selmira");
    EXPECT_EQ(window.objectName(), "relmend");
    EXPECT_EQ(controlText(window, "lblSrcFileOrDir"), "來源檔案或目錄：");
    EXPECT_EQ(controlText(window, "cmdSrcFile"), "檔案...");
    EXPECT_EQ(controlText(window, "cmdSrcDir"), "目錄...");
    EXPECT_EQ(controlText(window, "cmdFix"), "修復");
    EXPECT_EQ(controlText(window, "cmdClose"), "關閉");
    EXPECT_EQ(controlText(window, "lblFormat"), "支援檔案格式\u3000： Word");
    EXPECT_EQ(controlText(window, "lblFix"), "已修復檔案數\u3000：");
    EXPECT_EQ(controlText(window, "lblProgres"), "修復進度\u3000\u3000\u3000：");
    EXPECT_EQ(controlText(window, "lblOp"), "操作指引\u3000\u3000\u3000：");
    EXPECT_EQ(controlText(window, "lblOp2"),
              " 2. 按下「修復」按鈕開始修復，欲中斷修復，請按Pause/Break鍵。");
    EXPECT_EQ(controlText(window, "txtSrcFileOrDir"), m_folder.path());
    EXPECT_TRUE(controlText(window, "lblFixCount").isEmpty());
}

TEST_F(RelmendWindowTest, AChosenFileIsKeptInFixPathAndEveryOtherKeyStays)
{
    const QString document = m_folder.filePath(QStringLiteral("a.docx"));
    ASSERT_TRUE(wordtest::writeSampleDocx(document));
    {
        RelmendWindow window(m_settings);
        QString startedIn;
        window.chooseFile = [&](const QString &start) -> std::optional<QString> {
            startedIn = start;
            return document;
        };
        window.findChild<QPushButton *>("cmdSrcFile")->click();
        EXPECT_EQ(startedIn, m_folder.path());
        EXPECT_EQ(controlText(window, "txtSrcFileOrDir"), document);
        window.findChild<QPushButton *>("cmdClose")->click();
    }
    EXPECT_EQ(setting("Convert", "FixPath"), document);
    EXPECT_EQ(setting("Convert", "RefFile"), "kavrot02.mdb");
    EXPECT_EQ(setting("Font", "Face"), "標楷體");
    // The file is restored; once it is gone, nothing is.
    EXPECT_EQ(controlText(RelmendWindow(m_settings), "txtSrcFileOrDir"), document);
    QFile::remove(document);
    EXPECT_TRUE(controlText(RelmendWindow(m_settings), "txtSrcFileOrDir").isEmpty());
}

TEST_F(RelmendWindowTest, PauseDuringABatchAsksAndStopsWithTheButtonsDisabled)
{
    ASSERT_TRUE(wordtest::writeSampleDocx(m_folder.filePath(QStringLiteral("a.docx"))));
    const QByteArray before = wordtest::fileBytes(m_folder.filePath(QStringLiteral("a.docx")));
    RelmendWindow window(m_settings);
    QStringList enabledWhileAsked;
    window.confirmStop = [&] {
        for (QPushButton *button : window.findChildren<QPushButton *>()) {
            if (button->isEnabled())
                enabledWhileAsked << button->objectName();
        }
        return true;
    };
    QCoreApplication::postEvent(&window,
                                new QKeyEvent(QEvent::KeyPress, Qt::Key_Pause, Qt::NoModifier));
    window.findChild<QPushButton *>("cmdFix")->click();
    EXPECT_TRUE(enabledWhileAsked.isEmpty()) << enabledWhileAsked.join(' ').toStdString();
    EXPECT_EQ(controlText(window, "lblMessage"), " 使用者中斷");
    EXPECT_TRUE(controlText(window, "lblFixCount").isEmpty());
    EXPECT_EQ(wordtest::fileBytes(m_folder.filePath(QStringLiteral("a.docx"))), before);
    EXPECT_TRUE(window.findChild<QPushButton *>("cmdFix")->isEnabled());
    EXPECT_FALSE(window.busy());
}

TEST_F(RelmendWindowTest, ABatchRepairsTheFolderAndCountsTheFilesDone)
{
    ASSERT_TRUE(wordtest::writeSampleDocx(m_folder.filePath(QStringLiteral("a.docx"))));
    RelmendWindow window(m_settings);
    bool asked = false;
    window.confirmStop = [&] { return asked = true; };
    window.findChild<QPushButton *>("cmdFix")->click();
    EXPECT_FALSE(asked);
    EXPECT_EQ(controlText(window, "lblFixCount"), "1");
    // murvel.ini is no Word document.
    EXPECT_EQ(controlText(window, "lblMessage"), " 修復完畢，略過 1 個非 Word 檔案");
}

TEST_F(RelmendWindowTest, WithoutTheMainProgramNoSettingsAreReadOrWritten)
{
    {
        RelmendWindow window{QString()};
        EXPECT_EQ(controlText(window, "lblMessage"), " 找不到主程式，無法讀寫設定");
        EXPECT_TRUE(controlText(window, "txtSrcFileOrDir").isEmpty());
        window.close();
    }
    EXPECT_EQ(setting("Convert", "FixPath"), m_folder.path());
}

} // namespace
