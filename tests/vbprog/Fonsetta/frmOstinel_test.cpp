#include "platform/codepage/cp950.h"
#include "tempdesktop.h"
#include "vbprog/Fonsetta/frmOstinel.h"
#include "vbprog/murvel/core/mainprogrampath.h"
#include "vbprog/toolkit/centerform.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <gtest/gtest.h>
#include <memory>

using namespace fonsetta;
using registry::Root;

namespace
{

const QStringList kRows = {u"外字"_qs, u"倉頡"_qs, u"注音"_qs, u"新倉頡"_qs, u"新注音"_qs};
// The keyboard layouts of the four input methods.
const QStringList kLayouts = {u"E0020404"_qs, u"E0010404"_qs, u"E0090404"_qs, u"E0080404"_qs};
const QString kEudc = QString::fromUtf16(kEudcKey);

struct Message {
    QString text;
    bool problem = false;
};

class OstinelTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QDir().mkpath(apppath));
        ASSERT_TRUE(QFile::copy(standInEudcFont(), apppath + u"/Qeleudc.tte"_qs));
        ASSERT_TRUE(QFile::copy(standInEudcFont(), apppath + u"/qeleudck.tte"_qs));
    }

    void preload(const QStringList &codes)
    {
        for (int i = 0; i < codes.size(); ++i)
            setUser(QString::fromUtf16(kPreloadKey), QString::number(i + 1), codes[i]);
    }

    void setUser(const QString &key, const QString &name, const QString &data)
    {
        ASSERT_TRUE(desktop.store.setValue(Root::CurrentUser, key, name, data));
    }

    void recordMainProgram()
    {
        ASSERT_TRUE(desktop.store.setValue(Root::LocalMachine, mainprogram::kAppPathsKey, QString(),
                                           apppath + u"/murvel"_qs));
    }

    std::optional<QString> user(const QString &key, const QString &name) const
    {
        return desktop.store.value(Root::CurrentUser, key, name);
    }

    void open()
    {
        window = std::make_unique<frmOstinel>(desktop.store, desktop.fontLink());
        window->setMessageSink([this](const QString &text, bool problem) {
            messages.append({text, problem});
        });
        window->setFileChooser([this](const QString &filter, const QString &pattern) {
            asked.append(filter + u'|' + pattern);
            return chosen;
        });
        window->show();
    }

    template<typename T> T *child(const QString &name) const
    {
        T *found = window->findChild<T *>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }
    QCheckBox *check(const QString &row) const { return child<QCheckBox>(u"chk"_qs + row); }
    QLineEdit *text(const QString &row) const { return child<QLineEdit>(u"txt"_qs + row); }
    QPushButton *fileButton(const QString &row) const
    {
        return child<QPushButton>(u"cmd"_qs + row);
    }
    QPushButton *button(const QString &name) const { return child<QPushButton>(name); }

    // Clicks the box as a user would until it shows the state.
    void clickTo(const QString &row, Qt::CheckState state)
    {
        for (int i = 0; i < 3 && check(row)->checkState() != state; ++i)
            check(row)->click();
        ASSERT_EQ(check(row)->checkState(), state);
    }

    // Checks the typeface row with the text in its box, presses 安裝 and gives the one
    // message that follows.
    Message installTypeface(const QString &file)
    {
        text(u"外字"_qs)->setText(file);
        clickTo(u"外字"_qs, Qt::Checked);
        button(u"cmd安裝"_qs)->click();
        EXPECT_EQ(messages.size(), 1);
        return messages.value(0);
    }

    TempDesktop desktop;
    const QString apppath = desktop.dir.filePath(u"bin"_qs);
    std::unique_ptr<frmOstinel> window;
    QList<Message> messages;
    QStringList asked;
    std::optional<QString> chosen;
};

TEST_F(OstinelTest, StartsGreyWithOnlyCloseEnabledAndTheGuideAsWritten)
{
    preload(kLayouts);
    open();
    EXPECT_EQ(window->windowTitle(), u"Ostinel"_qs);
    for (const QString &row : kRows) {
        EXPECT_EQ(check(row)->checkState(), Qt::PartiallyChecked) << row.toStdString();
        EXPECT_TRUE(check(row)->isEnabled());
        EXPECT_FALSE(fileButton(row)->isEnabled());
        EXPECT_EQ(fileButton(row)->text(), u"檔案..."_qs);
    }
    EXPECT_EQ(check(u"新倉頡"_qs)->text(), u"微軟新倉頡"_qs);
    EXPECT_FALSE(button(u"cmd預設"_qs)->isEnabled());
    EXPECT_FALSE(button(u"cmd安裝"_qs)->isEnabled());
    EXPECT_TRUE(button(u"cmd移除"_qs)->isEnabled());
    EXPECT_EQ(button(u"cmd移除"_qs)->text(), u"關閉"_qs);
    EXPECT_EQ(child<QLabel>(u"lblOp2_2"_qs)->text(),
              u"     核取：設定\u3000不核取：取消\u3000灰色：暫不更動"_qs);
    EXPECT_EQ(child<QLabel>(u"lblOp3_2"_qs)->text(),
              u"     按下「預設」按鈕來設定Tesvani的預設外字或輸入法"_qs);
}

TEST_F(OstinelTest, CentresInTheTopEightyFivePercentOfTheScreen)
{
    const frmOstinel form(desktop.store, desktop.fontLink());
    const QRect screen = form.screen()->geometry();
    EXPECT_EQ(form.pos(),
              screen.topLeft() + toolkit::centredTopLeft(screen.size(), form.size(), 0.85));
}

TEST_F(OstinelTest, ButtonsFollowTheCheckBoxes)
{
    open();
    clickTo(u"外字"_qs, Qt::Checked);
    EXPECT_TRUE(fileButton(u"外字"_qs)->isEnabled());
    EXPECT_TRUE(button(u"cmd預設"_qs)->isEnabled());
    EXPECT_TRUE(button(u"cmd安裝"_qs)->isEnabled());

    clickTo(u"外字"_qs, Qt::Unchecked);
    EXPECT_FALSE(fileButton(u"外字"_qs)->isEnabled());
    EXPECT_FALSE(button(u"cmd預設"_qs)->isEnabled());
    EXPECT_TRUE(button(u"cmd安裝"_qs)->isEnabled());

    clickTo(u"外字"_qs, Qt::PartiallyChecked);
    EXPECT_FALSE(button(u"cmd預設"_qs)->isEnabled());
    EXPECT_FALSE(button(u"cmd安裝"_qs)->isEnabled());
}

TEST_F(OstinelTest, LoadShowsWhatIsRegisteredAndDisablesInputMethodsNotPreloaded)
{
    setUser(kEudc, u"SystemDefaultEUDCFont"_qs, u"/opt/Qeleudc.tte"_qs + QChar(u'\0'));
    preload({u"e0010404"_qs}); // 注音 only, in lower case
    setUser(installRow(RowId::Zhuyin).registryKey, u"User Dictionary"_qs, u"/opt/p.tbl"_qs);
    open();
    EXPECT_EQ(text(u"外字"_qs)->text(), u"/opt/Qeleudc.tte"_qs);
    EXPECT_EQ(text(u"注音"_qs)->text(), u"/opt/p.tbl"_qs);
    EXPECT_TRUE(check(u"注音"_qs)->isEnabled());
    for (const QString &row : {u"倉頡"_qs, u"新倉頡"_qs, u"新注音"_qs}) {
        EXPECT_EQ(text(row)->text(), u"<未安裝>"_qs) << row.toStdString();
        EXPECT_FALSE(text(row)->isEnabled());
        EXPECT_FALSE(check(row)->isEnabled());
        EXPECT_EQ(check(row)->checkState(), Qt::PartiallyChecked);
    }
}

TEST_F(OstinelTest, DefaultsFillOnlyCheckedRowsFromTheMainProgramFolder)
{
    recordMainProgram();
    preload(kLayouts);
    open();
    text(u"注音"_qs)->setText(u"kept"_qs);
    clickTo(u"外字"_qs, Qt::Checked);
    clickTo(u"新注音"_qs, Qt::Checked);
    clickTo(u"倉頡"_qs, Qt::Unchecked);
    button(u"cmd預設"_qs)->click();
    EXPECT_EQ(text(u"外字"_qs)->text(), apppath + u"/Qeleudc.tte"_qs);
    EXPECT_EQ(text(u"新注音"_qs)->text(), apppath + u"/tQelc.tab"_qs);
    EXPECT_EQ(text(u"注音"_qs)->text(), u"kept"_qs);
    EXPECT_TRUE(text(u"倉頡"_qs)->text().isEmpty());
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(OstinelTest, DefaultsWithoutTheMainProgramSayItIsNotFoundAndFillNothing)
{
    open();
    text(u"外字"_qs)->setText(u"/mine.tte"_qs);
    clickTo(u"外字"_qs, Qt::Checked);
    button(u"cmd預設"_qs)->click();
    EXPECT_EQ(text(u"外字"_qs)->text(), u"/mine.tte"_qs);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].problem);
    EXPECT_TRUE(messages[0].text.contains(u"找不到主程式"_qs));
}

TEST_F(OstinelTest, FileButtonFillsTheBoxAndACancelledDialogKeepsIt)
{
    preload(kLayouts);
    open();
    clickTo(u"倉頡"_qs, Qt::Checked);
    chosen = u"/opt/mine.tbl"_qs;
    fileButton(u"倉頡"_qs)->click();
    EXPECT_EQ(text(u"倉頡"_qs)->text(), u"/opt/mine.tbl"_qs);
    EXPECT_EQ(asked, QStringList{u"輸入法|*.tbl"_qs});

    chosen.reset();
    fileButton(u"倉頡"_qs)->click();
    EXPECT_EQ(text(u"倉頡"_qs)->text(), u"/opt/mine.tbl"_qs);

    clickTo(u"外字"_qs, Qt::Checked);
    fileButton(u"外字"_qs)->click();
    EXPECT_EQ(asked.last(), u"外字檔|*.tte"_qs);
}

TEST_F(OstinelTest, InstallWritesEachCheckStateReportsDoneAndCloses)
{
    recordMainProgram();
    preload(kLayouts);
    setUser(installRow(RowId::NewCangjie).registryKey, u"Eudc Dictionary"_qs, u"old"_qs);
    setUser(installRow(RowId::NewZhuyin).registryKey, u"Eudc Dictionary"_qs, u"old"_qs);
    open();
    clickTo(u"外字"_qs, Qt::Checked);
    clickTo(u"倉頡"_qs, Qt::Checked);
    button(u"cmd預設"_qs)->click();
    clickTo(u"新倉頡"_qs, Qt::Unchecked); // removed; 新注音 stays grey and is kept
    button(u"cmd安裝"_qs)->click();

    ASSERT_EQ(messages.size(), 1);
    EXPECT_FALSE(messages[0].problem) << messages[0].text.toStdString();
    EXPECT_TRUE(messages[0].text.startsWith(u"部件外字及輸入法已安裝完成"_qs));
    EXPECT_FALSE(window->isVisible());

    const QByteArray font = codepage::toCp950(apppath + u"/Qeleudc.tte"_qs) + QByteArray(1, '\0');
    EXPECT_EQ(codepage::toCp950(user(kEudc, u"SystemDefaultEUDCFont"_qs).value_or(QString())),
              font);
    EXPECT_EQ(user(installRow(RowId::Cangjie).registryKey, u"User Dictionary"_qs),
              apppath + u"/Qeleudcj.tbl"_qs + QChar(u'\0'));
    EXPECT_FALSE(user(installRow(RowId::NewCangjie).registryKey, u"Eudc Dictionary"_qs));
    EXPECT_EQ(user(installRow(RowId::NewZhuyin).registryKey, u"Eudc Dictionary"_qs), u"old"_qs);
    EXPECT_TRUE(QFileInfo::exists(desktop.fontLink().aliasFile()));

    // Unchecking the typeface row on a second run removes the link again.
    messages.clear();
    open();
    EXPECT_EQ(text(u"外字"_qs)->text(), apppath + u"/Qeleudc.tte"_qs);
    clickTo(u"外字"_qs, Qt::Unchecked);
    button(u"cmd安裝"_qs)->click();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_FALSE(messages[0].problem);
    EXPECT_EQ(user(kEudc, u"SystemDefaultEUDCFont"_qs), QString(255, QChar(u'\0')));
    EXPECT_FALSE(QFileInfo::exists(desktop.fontLink().aliasFile()));
    EXPECT_FALSE(QFileInfo::exists(desktop.fontLink().linkFolder()));
}

TEST_F(OstinelTest, InstallWithoutPreloadedLayoutsWritesOnlyTheTypefaceRow)
{
    open();
    EXPECT_FALSE(installTypeface(apppath + u"/Qeleudc.tte"_qs).problem);
    for (const InstallRow &row : installRows().mid(1))
        EXPECT_FALSE(desktop.store.keyExists(Root::CurrentUser, row.registryKey))
            << row.name.toStdString();
}

TEST_F(OstinelTest, AFailedInstallSaysWhatFailedAndKeepsTheWindow)
{
    open();
    const Message message = installTypeface(apppath + u"/none.tte"_qs);
    EXPECT_TRUE(message.problem);
    EXPECT_TRUE(message.text.contains(u"none.tte"_qs)) << message.text.toStdString();
    EXPECT_FALSE(message.text.contains(u"安裝完成"_qs));
    EXPECT_TRUE(window->isVisible());
}

} // namespace
