#include "platform/registry/registrystore.h"
#include "tests/support/printqstring.h"
#include "tests/support/scopedenvironment.h"
#include "vbprog/murvel/core/mainprogrampath.h"
#include "vbprog/toolkit/centerform.h"
#include "vbprog/toolkit/drives.h"
#include "vbprog/toolkit/eventpace.h"
#include "vbprog/toolkit/frmselectdir.h"
#include "vbprog/toolkit/mainprogramdir.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace toolkit;

namespace
{

TEST(EventPaceTest, EventsRunFirstThenOnceAnIntervalHasPassedSinceTheyLastRan)
{
    EventPace pace;
    EXPECT_TRUE(pace.due(5000));
    EXPECT_FALSE(pace.due(5000));
    EXPECT_FALSE(pace.due(5000 + EventPace::IntervalMs - 1));
    EXPECT_TRUE(pace.due(5000 + EventPace::IntervalMs));
    // The interval counts from the last run, not from the first call.
    EXPECT_FALSE(pace.due(5000 + 2 * EventPace::IntervalMs - 1));
    EXPECT_TRUE(pace.due(5000 + 3 * EventPace::IntervalMs));
}

TEST(CenterFormTest, CentresInTheTopPartOfTheScreenThatTheFactorGives)
{
    // 0.95 x 5760 = 5472, halved 2736, less half of 3000.
    EXPECT_EQ(centredTopLeft({8000, 5760}, {4000, 3000}, 0.95), QPoint(2000, 1236));
    // The installer's factor: 0.85 x 1000 = 850, halved 425 (truncated), less 100.
    EXPECT_EQ(centredTopLeft({1001, 1000}, {201, 200}, 0.85), QPoint(400, 325));
    // A window larger than the screen goes above and left of it rather than wrapping.
    EXPECT_EQ(centredTopLeft({100, 100}, {301, 300}, 0.95), QPoint(-100, -103));
}

TEST(DrivesTest, AFolderBelongsToTheLongestMountPointAboveIt)
{
    const QStringList drives{"/", "/home", "/media/usb"};
    EXPECT_EQ(driveOf("/home/user/docs", drives), "/home");
    EXPECT_EQ(driveOf("/home", drives), "/home");
    EXPECT_EQ(driveOf("/homework/x", drives), "/");
    EXPECT_EQ(driveOf("/media/usb/", drives), "/media/usb");
    EXPECT_EQ(driveOf("relative/path", drives), "");
    EXPECT_TRUE(mountedDrives().contains("/"));
}

TEST(MainProgramDirTest, SettingsFileFollowsTheRecordedFolderAndIsNoneWithoutIt)
{
    QTemporaryDir registryDir;
    const ScopedEnvironment environment("MURVEL_REGISTRY_DIR", registryDir.path().toUtf8());
    EXPECT_EQ(GetMainProgramDir(), "");
    EXPECT_EQ(settingsFilePath(), "");

    registry::RegistryStore store(registryDir.path());
    ASSERT_TRUE(store.setValue(registry::Root::LocalMachine, mainprogram::kAppPathsKey, QString(),
                               "/opt/murvel/bin/murvel"));
    EXPECT_EQ(GetMainProgramDir(), "/opt/murvel/bin/");
    EXPECT_EQ(settingsFilePath(), "/opt/murvel/bin/murvel.ini");
}

class SelectDirTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QDir(m_dir.path()).mkpath("alpha/inner"));
        ASSERT_TRUE(QDir(m_dir.path()).mkpath("beta"));
        m_root = QDir::cleanPath(m_dir.path());
    }

    template<typename T> static T *child(frmSelectDir &picker, const char *name)
    {
        T *widget = picker.findChild<T *>(QLatin1String(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    static QListWidgetItem *entry(frmSelectDir &picker, const QString &folder)
    {
        QListWidget *list = child<QListWidget>(picker, "dirList");
        for (int row = 0; row < list->count(); ++row) {
            if (list->item(row)->data(Qt::UserRole).toString() == folder)
                return list->item(row);
        }
        ADD_FAILURE() << "no entry " << folder.toStdString();
        return nullptr;
    }

    QTemporaryDir m_dir;
    QString m_root;
};

TEST_F(SelectDirTest, ShowsItsCaptionsAndOpensOnTheStartFolder)
{
    frmSelectDir picker(m_root);
    EXPECT_EQ(picker.windowTitle(), "選取目錄");
    EXPECT_EQ(child<QLabel>(picker, "lblDrv")->text(), "磁碟機");
    EXPECT_EQ(child<QLabel>(picker, "lblDir")->text(), "資料夾");
    EXPECT_EQ(child<QPushButton>(picker, "cmdOK")->text(), "確定");
    EXPECT_EQ(child<QPushButton>(picker, "cmdCancel")->text(), "取消");
    EXPECT_EQ(child<QLabel>(picker, "lblCurDir")->text(), m_root);
    EXPECT_EQ(QDir::currentPath(), m_root);
    // The folder's parents and its subfolders are listed, the folder itself highlighted.
    EXPECT_NE(entry(picker, m_root + "/alpha"), nullptr);
    EXPECT_NE(entry(picker, m_root + "/beta"), nullptr);
    EXPECT_NE(entry(picker, "/"), nullptr);
    EXPECT_EQ(child<QListWidget>(picker, "dirList")->currentItem()->data(Qt::UserRole), m_root);
    EXPECT_EQ(child<QComboBox>(picker, "drvList")->currentText(), driveOf(m_root, mountedDrives()));
}

TEST_F(SelectDirTest, AMissingOrEmptyStartFolderLeavesTheListOnTheCurrentFolder)
{
    QDir::setCurrent(m_root + "/beta");
    frmSelectDir missing(m_root + "/gone");
    EXPECT_EQ(missing.path(), m_root + "/beta");
    EXPECT_EQ(child<QLabel>(missing, "lblCurDir")->text(), m_root + "/beta");
    frmSelectDir empty{QString()};
    EXPECT_EQ(empty.path(), m_root + "/beta");
}

TEST_F(SelectDirTest, OpeningAFolderMovesTheLabelAndAHighlightedOneIsWhatOkReturns)
{
    frmSelectDir picker(m_root);
    QListWidget *list = child<QListWidget>(picker, "dirList");
    emit list->itemActivated(entry(picker, m_root + "/alpha"));
    EXPECT_EQ(child<QLabel>(picker, "lblCurDir")->text(), m_root + "/alpha");
    EXPECT_NE(entry(picker, m_root + "/alpha/inner"), nullptr);

    // Highlighted with one click, not opened: "確定" returns it, not its parent.
    list->setCurrentItem(entry(picker, m_root + "/alpha/inner"));
    child<QPushButton>(picker, "cmdOK")->click();
    EXPECT_TRUE(picker.pickConfirmed());
    EXPECT_EQ(picker.pickedDir(), m_root + "/alpha/inner");
    EXPECT_EQ(picker.result(), QDialog::Accepted);
}

TEST_F(SelectDirTest, CancelAndTheCloseBoxConfirmNothing)
{
    frmSelectDir cancelled(m_root);
    cancelled.show();
    child<QPushButton>(cancelled, "cmdCancel")->click();
    EXPECT_FALSE(cancelled.pickConfirmed());
    EXPECT_TRUE(cancelled.pickedDir().isEmpty());

    frmSelectDir closed(m_root);
    closed.show();
    closed.close();
    EXPECT_FALSE(closed.pickConfirmed());
}

TEST_F(SelectDirTest, AFolderThatCannotBeOpenedChangesNothing)
{
    frmSelectDir picker(m_root + "/alpha");
    EXPECT_FALSE(picker.setPath(m_root + "/gone"));
    EXPECT_FALSE(picker.setPath(QString()));
    EXPECT_EQ(picker.path(), m_root + "/alpha");
    EXPECT_EQ(child<QLabel>(picker, "lblCurDir")->text(), m_root + "/alpha");
}

TEST_F(SelectDirTest, ADriveThatCannotBeOpenedPutsTheListBackOnTheCurrentFolder)
{
    const QString drive = driveOf(m_root, mountedDrives());
    frmSelectDir picker(m_root + "/alpha", nullptr, {drive, m_root + "/no-medium"});
    QComboBox *drives = child<QComboBox>(picker, "drvList");
    drives->setCurrentIndex(1);
    EXPECT_EQ(drives->currentText(), drive);
    EXPECT_EQ(picker.path(), m_root + "/alpha");

    // A drive that opens moves the list to its root.
    frmSelectDir other(m_root + "/alpha", nullptr, {drive, m_root + "/beta"});
    child<QComboBox>(other, "drvList")->setCurrentIndex(1);
    EXPECT_EQ(other.path(), m_root + "/beta");
    EXPECT_EQ(child<QLabel>(other, "lblCurDir")->text(), m_root + "/beta");
}

} // namespace
