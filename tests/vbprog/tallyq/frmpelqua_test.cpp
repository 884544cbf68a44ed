#include "tests/vbprog/toolkit/controltext.h"
#include "vbprog/murvel/core/missingcharacterlog.h"
#include "vbprog/tallyq/frmpelqua.h"

#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using tallyq::frmPelqua;

using toolkittest::controlText;

namespace
{

const QString LookupFolder = QStringLiteral(MURVEL_FIXTURE_DIR "/lookup/");
const QString Beside = QStringLiteral("\uF6A4");

class PelquaTest : public ::testing::Test
{
protected:
    QString logPath() const { return m_windows.filePath(QStringLiteral("usrhanzi.txt")); }
    void writeLog(const QStringList &entries) const
    {
        QFile file(logPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(MissingCharacterLog::format(entries));
    }
    static QByteArray fileBytes(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    static QPushButton *button(const QWidget &window, const char *name)
    {
        return window.findChild<QPushButton *>(QLatin1String(name));
    }

    QTemporaryDir m_windows;
    QTemporaryDir m_views;
};

TEST_F(PelquaTest, WithoutALogTheActionsAreDisabled)
{
    frmPelqua window(m_windows.path(), LookupFolder, m_views.path());
    EXPECT_EQ(window.windowTitle(), "Pelqua");
    EXPECT_EQ(window.objectName(), "frmPelqua");
    EXPECT_EQ(controlText(window, "lblFile"), "缺字記錄檔：");
    EXPECT_EQ(controlText(window, "lbl缺字個數"), "缺字個數\u3000：");
    EXPECT_EQ(controlText(window, "lblProgres"), "更新進度\u3000：");
    EXPECT_EQ(controlText(window, "Label1"), " 3. 按下「關閉」按鈕來結束Pelqua程式");
    EXPECT_EQ(controlText(window, "txtFile"), "尚未發現新的缺字！");
    EXPECT_EQ(controlText(window, "lblCount"), "0");
    EXPECT_FALSE(button(window, "cmdOpen")->isEnabled());
    EXPECT_FALSE(button(window, "cmdUpdate")->isEnabled());
    EXPECT_TRUE(button(window, "cmdClose")->isEnabled());
}

TEST_F(PelquaTest, ShowsTheLogsPathAndCountAndOpensAReadOnlyUtf8ViewOfIt)
{
    writeLog({"月" + Beside + "日", "口"});
    const QByteArray logBytes = fileBytes(logPath());
    frmPelqua window(m_windows.path(), LookupFolder, m_views.path());
    EXPECT_EQ(controlText(window, "txtFile"), logPath());
    EXPECT_EQ(controlText(window, "lblCount"), "2");
    QStringList opened;
    window.openLog = [&opened](const QString &path) {
        opened << path;
        return true;
    };
    button(window, "cmdOpen")->click();
    button(window, "cmdOpen")->click(); // a second view replaces the first, read-only one
    ASSERT_EQ(opened.size(), 2);
    EXPECT_EQ(opened[0], opened[1]);
    EXPECT_TRUE(opened[0].startsWith(m_views.path()));
    EXPECT_TRUE(opened[0].contains(QStringLiteral("檢視")));
    EXPECT_EQ(fileBytes(opened[0]), ("\"月" + Beside + "日\"\n\"口\"\n").toUtf8());
    EXPECT_FALSE(QFileInfo(opened[0]).permissions() & QFile::WriteOwner);
    EXPECT_EQ(fileBytes(logPath()), logBytes);
}

TEST_F(PelquaTest, AViewThatCannotBeWrittenIsReportedAndNothingOpens)
{
    writeLog({"口"});
    QFile blocker(m_views.filePath(QStringLiteral("file")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    frmPelqua window(m_windows.path(), LookupFolder, blocker.fileName());
    bool opened = false;
    window.openLog = [&opened](const QString &) { return opened = true; };
    button(window, "cmdOpen")->click();
    EXPECT_FALSE(opened);
    EXPECT_TRUE(controlText(window, "lblMessage").contains(blocker.fileName()));
}

TEST_F(PelquaTest, UpdatingShowsTheEntriesKeptIncludingThoseLoggedSinceTheLoad)
{
    writeLog({"日" + Beside + "月", "月" + Beside + "日"});
    frmPelqua window(m_windows.path(), LookupFolder, m_views.path());
    EXPECT_EQ(controlText(window, "lblCount"), "2");
    // The add-in logs two more formulas before the update.
    writeLog({"日" + Beside + "月", "月" + Beside + "日", "木" + Beside + "口", "口"});
    button(window, "cmdUpdate")->click();
    EXPECT_EQ(controlText(window, "lblCount"), "3");
    EXPECT_EQ(controlText(window, "lblMessage"), "更新完畢");
}

TEST_F(PelquaTest, AnUpdateWithoutTheDatabaseSaysSoAndLeavesTheLog)
{
    writeLog({"日" + Beside + "月"});
    for (const QString &folder : {m_windows.path() + "/", QString()}) {
        frmPelqua window(m_windows.path(), folder, m_views.path());
        button(window, "cmdUpdate")->click();
        EXPECT_NE(controlText(window, "lblMessage"), "更新完畢");
        EXPECT_FALSE(controlText(window, "lblMessage").trimmed().isEmpty());
        EXPECT_EQ(controlText(window, "lblCount"), "1");
    }
    QFile file(logPath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), MissingCharacterLog::format({"日" + Beside + "月"}));
}

} // namespace
