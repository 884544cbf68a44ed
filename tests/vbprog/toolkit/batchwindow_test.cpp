#include "tests/support/printqstring.h"
#include "vbprog/toolkit/batchwindow.h"
#include "vbprog/toolkit/controls.h"
#include "vbprog/toolkit/messageboxes.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace
{

// A batch window with a progress, one control and a batch that the test writes.
class TestWindow : public toolkit::BatchWindow
{
public:
    TestWindow() : BatchWindow(QStringLiteral("停止"), QStringLiteral("確定要停止？"))
    {
        showProgressIn(toolkit::makeLabel(this, "lblMessage", QString()),
                       toolkit::makeLabel(this, "lblCount", QString()));
        button = toolkit::makeButton(this, "cmdRun", QStringLiteral("執行"));
        restDuringBatch({button});
        confirmStop = [this] {
            ++questions;
            return true;
        };
    }

    // Runs the batch as the window's button would.
    void start(const std::function<void(toolkit::BatchObserver &)> &batch)
    {
        run([this, &batch] { batch(*this); });
    }
    toolkit::BatchObserver &observer() { return *this; }
    QString labelText(const char *name) const { return findChild<QLabel *>(name)->text(); }

    QPushButton *button = nullptr;
    int questions = 0;
    int settingsKept = 0;

protected:
    void keepSettings() override { ++settingsKept; }
};

// Presses Pause/Break on the control, as the user would while it has the focus.
void pressPause(QWidget *control)
{
    QKeyEvent pause(QEvent::KeyPress, Qt::Key_Pause, Qt::NoModifier);
    QApplication::sendEvent(control, &pause);
}

TEST(BatchWindowTest, PauseAsksOnlyDuringABatchAndOnlyUntilAStopIsConfirmed)
{
    TestWindow window;
    window.show();
    pressPause(window.button);
    EXPECT_EQ(window.questions, 0) << "no batch runs";

    bool stoppedAtFirstPause = false;
    window.start([&](toolkit::BatchObserver &observer) {
        pressPause(window.button);
        stoppedAtFirstPause = observer.stopRequested();
        pressPause(window.button);
    });
    EXPECT_TRUE(stoppedAtFirstPause);
    EXPECT_EQ(window.questions, 1);

    // The next batch starts without the stop; a stop the user declines is asked again.
    window.confirmStop = [&window] { return ++window.questions > 2; };
    bool stoppedAtStart = true;
    window.start([&](toolkit::BatchObserver &observer) {
        stoppedAtStart = observer.stopRequested();
        pressPause(window.button);
        EXPECT_FALSE(observer.stopRequested());
        pressPause(window.button);
        EXPECT_TRUE(observer.stopRequested());
    });
    EXPECT_FALSE(stoppedAtStart);
    EXPECT_EQ(window.questions, 3);
}

TEST(BatchWindowTest, ABatchKeepsTheWindowOpenAndItsControlsAtRest)
{
    TestWindow window;
    window.show();
    bool closedDuringBatch = true;
    bool enabledDuringBatch = true;
    bool nestedBatchRan = false;
    window.start([&](toolkit::BatchObserver &) {
        EXPECT_TRUE(window.busy());
        enabledDuringBatch = window.button->isEnabled();
        closedDuringBatch = window.close();
        window.start([&](toolkit::BatchObserver &) { nestedBatchRan = true; });
    });
    EXPECT_FALSE(closedDuringBatch);
    EXPECT_FALSE(enabledDuringBatch);
    EXPECT_FALSE(nestedBatchRan);
    EXPECT_EQ(window.settingsKept, 0);

    EXPECT_FALSE(window.busy());
    EXPECT_TRUE(window.button->isEnabled());
    EXPECT_TRUE(window.close());
    EXPECT_EQ(window.settingsKept, 1);
}

TEST(BatchWindowTest, TheProgressShowsInItsLabelsAndNoCountShowsNothing)
{
    TestWindow window;
    window.observer().setMessage(QStringLiteral(" 開始..."));
    window.observer().setCount(0);
    EXPECT_EQ(window.labelText("lblMessage"), " 開始...");
    EXPECT_EQ(window.observer().message(), " 開始...");
    EXPECT_EQ(window.labelText("lblCount"), "0");
    window.observer().setCount(std::nullopt);
    EXPECT_EQ(window.labelText("lblCount"), "");
}

// Runs the box that the call opens; answer() gets the box once it shows and closes it.
template<typename Call>
auto withModalBox(Call call, const std::function<void(QMessageBox &)> &answer)
{
    bool answered = false;
    QTimer::singleShot(0, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        answered = box != nullptr;
        if (box != nullptr)
            answer(*box);
    });
    auto result = call();
    EXPECT_TRUE(answered) << "no message box showed";
    return result;
}

QStringList buttonTexts(const QMessageBox &box)
{
    QStringList texts;
    for (const QAbstractButton *button : box.buttons())
        texts << button->text();
    texts.sort();
    return texts;
}

TEST(ToolMessageBoxesTest, TheButtonsSpeakTheInterfacesLanguage)
{
    QStringList shown;
    withModalBox(
        [] {
            toolkit::showMessage(nullptr, QMessageBox::Information, QStringLiteral("Ostinel"),
                                 QStringLiteral("完成"));
            return true;
        },
        [&](QMessageBox &box) {
            shown = buttonTexts(box);
            box.defaultButton()->click();
        });
    EXPECT_EQ(shown, QStringList{"確定"});

    EXPECT_TRUE(withModalBox(
        [] { return toolkit::askYesNo(nullptr, QStringLiteral("停止"), QStringLiteral("停止？")); },
        [&](QMessageBox &box) {
            shown = buttonTexts(box);
            box.button(QMessageBox::Yes)->click();
        }));
    EXPECT_EQ(shown, (QStringList{"否", "是"}));
    // Closing the question answers no.
    EXPECT_FALSE(withModalBox(
        [] { return toolkit::askYesNo(nullptr, QStringLiteral("停止"), QStringLiteral("停止？")); },
        [](QMessageBox &box) { box.reject(); }));
}

} // namespace
