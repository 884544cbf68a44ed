#include "vbprog/murvel/views/longload.h"
#include "vbprog/murvel/views/outlinelist.h"

#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <functional>
#include <gtest/gtest.h>
#include <ostream>

namespace
{

// Counts the yields of a load: armed before each pace, it always has one event waiting,
// which the next yield delivers.
class YieldProbe : public QObject
{
public:
    explicit YieldProbe(const OutlineList *list) : m_list(list) {}

    int yields = 0;
    QList<int> shownTopLevelItems; // at each yield
    bool waitCursorDuringAYield = false;

    void arm()
    {
        if (!m_waiting) {
            m_waiting = true;
            QCoreApplication::postEvent(this, new QEvent(QEvent::User));
        }
    }

protected:
    bool event(QEvent *event) override
    {
        if (event->type() != QEvent::User)
            return QObject::event(event);
        m_waiting = false;
        ++yields;
        shownTopLevelItems << m_list->model()->rowCount();
        waitCursorDuringAYield |= QGuiApplication::overrideCursor() != nullptr;
        return true;
    }

private:
    const OutlineList *m_list; // not owned
    bool m_waiting = false;
};

// Runs `call` from the event loop, as a broadcast or a key press reaches a view during a
// yield.
void later(std::function<void()> call)
{
    QMetaObject::invokeMethod(qApp, std::move(call), Qt::QueuedConnection);
}

void pressEscapeLater(QObject *receiver)
{
    QCoreApplication::postEvent(receiver,
                                new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
}

class LongLoadTest : public ::testing::Test
{
protected:
    LongLoad::StatusSink statusSink()
    {
        return [this](const QString &text) { status << text; };
    }

    // Adds `units` units of `step` glyphs each under a root item (when `root`), pacing after
    // each unit and stopping when told; `beforeUnit` runs before each unit with its number.
    LongLoad::Job loader(
        int units, int step, bool root, std::function<void(int)> beforeUnit = [](int) {})
    {
        return [=, this](LongLoad::Session &session) {
            if (root)
                list.AddItem(QStringLiteral("root"));
            for (int unit = 0; unit < units && !session.stopped(); ++unit) {
                beforeUnit(unit);
                for (int k = 0; k < step; ++k)
                    list.AddItem(QStringLiteral("字"), root ? 0 : -1);
                session.count(step);
                probe.arm();
                session.pace();
            }
            finished << session.finish();
        };
    }

    OutlineList list;
    YieldProbe probe{&list};
    QStringList status;
    QStringList finished;
};

TEST_F(LongLoadTest, StartsWithTheLoadingMessageAndEndsWithTheCount)
{
    LongLoad load(&list, statusSink());
    list.AddItem(QStringLiteral("old"));
    bool waitCursor = false;
    int countAtStart = -1;
    load.request([&](LongLoad::Session &session) {
        countAtStart = list.ListCount();
        waitCursor = QGuiApplication::overrideCursor() != nullptr &&
                     QGuiApplication::overrideCursor()->shape() == Qt::WaitCursor;
        EXPECT_FALSE(list.Redraw());
        list.AddItem(QStringLiteral("字"));
        session.count();
        EXPECT_EQ(session.counted(), 1);
        finished << session.finish();
        finished << session.finish(1234, QStringLiteral(" 個字形(部件)"));
    });

    EXPECT_EQ(countAtStart, 0);
    EXPECT_TRUE(waitCursor);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(list.Redraw());
    const QString loading =
        QStringLiteral("字形載入中  ......       ") + QStringLiteral(" , 欲中斷請按 Esc 鍵");
    EXPECT_EQ(status, QStringList({loading, QStringLiteral("載入完畢！ 共 1 個字形"),
                                   QStringLiteral("載入完畢！ 共 1234 個字形(部件)")}));
    EXPECT_EQ(finished[0], status[1]);
}

TEST_F(LongLoadTest, AJobThatReturnsEarlyStillRestoresRedrawAndThePointer)
{
    LongLoad load(&list, statusSink());
    load.request([](LongLoad::Session &) {});
    EXPECT_TRUE(list.Redraw());
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

struct Pacing {
    int step;
    bool root;
};

void PrintTo(const Pacing &pacing, std::ostream *out)
{
    *out << "by " << pacing.step << (pacing.root ? " under a root" : " at top level");
}

class LongLoadPacingTest : public LongLoadTest, public ::testing::WithParamInterface<Pacing>
{
};

// Whatever the steps in which the list grows, the load yields after about 40, 90, 140
// and 190 items, with the normal pointer while it yields.
TEST_P(LongLoadPacingTest, YieldsOnceEveryFiftyItems)
{
    const Pacing pacing = GetParam();
    LongLoad load(&list, statusSink());
    load.request(loader(200 / pacing.step, pacing.step, pacing.root));
    EXPECT_EQ(probe.yields, 4);
    EXPECT_FALSE(probe.waitCursorDuringAYield);
}

INSTANTIATE_TEST_SUITE_P(Steps, LongLoadPacingTest,
                         ::testing::Values(Pacing{1, false}, Pacing{2, false}, Pacing{2, true},
                                           Pacing{7, false}));

TEST_F(LongLoadTest, TheFirstYieldShowsTheItemsAddedSoFar)
{
    LongLoad load(&list, statusSink());
    load.request(loader(100, 1, false));
    ASSERT_EQ(probe.yields, 2);
    EXPECT_EQ(probe.shownTopLevelItems.first(), 40);
    EXPECT_EQ(list.model()->rowCount(), 100);
}

TEST_F(LongLoadTest, EscStopsTheRunningLoadOnly)
{
    LongLoad load(&list, statusSink());
    load.request(loader(200, 1, false, [this](int unit) {
        if (unit == 10)
            pressEscapeLater(&list);
    }));
    EXPECT_EQ(list.ListCount(), 40);
    load.request(loader(200, 1, false));
    EXPECT_EQ(list.ListCount(), 200);
    EXPECT_EQ(finished, QStringList({QStringLiteral("載入完畢！ 共 40 個字形"),
                                     QStringLiteral("載入完畢！ 共 200 個字形")}));
}

TEST_F(LongLoadTest, EscDuringALoadStartedInsideAnotherStopsTheInnerOne)
{
    OutlineList inner;
    LongLoad outerLoad(&list, statusSink());
    LongLoad innerLoad(&inner, statusSink());
    int innerItems = -1;
    const LongLoad::Job innerJob = [&](LongLoad::Session &session) {
        pressEscapeLater(&inner);
        for (int unit = 0; unit < 200 && !session.stopped(); ++unit) {
            inner.AddItem(QStringLiteral("字"));
            session.pace();
        }
        innerItems = inner.ListCount();
    };
    outerLoad.request(loader(200, 1, false, [&](int unit) {
        if (unit == 0)
            later([&] { innerLoad.request(innerJob); });
    }));
    EXPECT_EQ(innerItems, 40);
    EXPECT_EQ(list.ListCount(), 200);
}

TEST_F(LongLoadTest, ARequestDuringALoadStopsItAndRunsAfterIt)
{
    LongLoad load(&list, statusSink());
    QStringList log;
    const auto job = [&](const QString &name, int units) -> LongLoad::Job {
        return [&, name, units](LongLoad::Session &session) {
            log << name + " start";
            for (int unit = 0; unit < units && !session.stopped(); ++unit) {
                list.AddItem(name);
                session.count();
                session.pace();
            }
            log << name + " end " + session.finish();
        };
    };
    load.request([&](LongLoad::Session &session) {
        later([&] {
            load.request(job(QStringLiteral("2"), 100));
            log << QStringLiteral("asked for 2");
            load.request(job(QStringLiteral("3"), 100));
            log << QStringLiteral("asked for 3");
        });
        job(QStringLiteral("1"), 200)(session);
        EXPECT_TRUE(load.busy());
    });

    EXPECT_FALSE(load.busy());
    EXPECT_EQ(
        log,
        QStringList({QStringLiteral("1 start"), QStringLiteral("asked for 2"),
                     QStringLiteral("asked for 3"), QStringLiteral("1 end 載入完畢！ 共 40 個字形"),
                     QStringLiteral("3 start"), QStringLiteral("3 end 載入完畢！ 共 100 個字形")}));
    EXPECT_EQ(list.ListCount(), 100);
    EXPECT_EQ(list.ItemText(99), QStringLiteral("3"));
}

TEST_F(LongLoadTest, AListDeletedDuringALoadStopsItCleanly)
{
    auto *doomed = new OutlineList;
    LongLoad load(doomed, statusSink());
    bool closedAfterYield = false;
    QString message = QStringLiteral("unset");
    load.request([&](LongLoad::Session &session) {
        for (int unit = 0; unit < 200 && !session.stopped(); ++unit) {
            if (unit == 0)
                later([doomed] { delete doomed; });
            doomed->AddItem(QStringLiteral("字"));
            session.pace();
        }
        closedAfterYield = session.closed();
        message = session.finish();
    });
    EXPECT_TRUE(closedAfterYield);
    EXPECT_EQ(message, QString());
    // The status box is the main window's: the end message replaces the loading message.
    ASSERT_EQ(status.size(), 2);
    EXPECT_TRUE(status[1].startsWith(QStringLiteral("載入完畢！"))) << status[1].toStdString();
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(LongLoadTest, AViewClosedDuringALoadDropsTheWaitingRequest)
{
    struct View {
        OutlineList list;
        LongLoad load{&list, nullptr};
    };
    auto *view = new View;
    bool stoppedAfterYield = false;
    bool waitingJobRan = false;
    view->load.request([&](LongLoad::Session &session) {
        later([&] {
            view->load.request([&](LongLoad::Session &) { waitingJobRan = true; });
            delete view;
        });
        for (int unit = 0; unit < 200 && !session.stopped(); ++unit) {
            view->list.AddItem(QStringLiteral("字"));
            session.pace();
        }
        stoppedAfterYield = session.stopped();
    });
    EXPECT_TRUE(stoppedAfterYield);
    EXPECT_FALSE(waitingJobRan);
}

} // namespace
