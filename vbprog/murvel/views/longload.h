#pragma once

#include "platform/system/waitcursor.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

class OutlineList;

// The long loads of one view: loaders that may add thousands of items to its list.
//
// A load shows the loading message and the wait pointer, empties the list and switches its
// Redraw off; every 50 items or so it lets pending events run (its only yield), where the
// user may press Esc, select, close windows or ask for another load, and the list shows
// the items added so far; at the end it switches Redraw on and reports how many glyphs it
// loaded.
//
// Loads of one view never overlap: a request that arrives while a load runs (from a yield)
// stops that load at its next unit and runs after it; of several such requests only the
// newest runs. Esc, taken from every window of the application, stops the innermost
// running load only.
class LongLoad
{
public:
    using StatusSink = std::function<void(const QString &)>;
    class Session;
    using Job = std::function<void(Session &)>;

    static const QString kLoadingMessage;
    static const QString kDefaultSuffix; // of the end message

    // `list` is the view's list (not owned); `status` shows a text in the main window's
    // status box. It must not depend on the view: the end message reaches it also after the
    // view is gone.
    LongLoad(OutlineList *list, StatusSink status);
    // A running load stops at its next unit and ends without touching the view; a waiting
    // request is dropped.
    ~LongLoad();
    LongLoad(const LongLoad &) = delete;
    LongLoad &operator=(const LongLoad &) = delete;

    // Runs the job now, or after the running load has stopped.
    void request(Job job);
    bool busy() const;

private:
    struct State;
    std::shared_ptr<State> m_state;
};

// One running load, handed to its job. It lives on the stack of the request, so it stays
// valid across yields even when the view is closed meanwhile. Starting it shows the
// loading message and the wait pointer, clears the list and switches its Redraw off; on
// every way out the list's Redraw is switched on again and the pointer restored.
class LongLoad::Session
{
public:
    ~Session();
    Session(const Session &) = delete;
    Session &operator=(const Session &) = delete;

    // True once the load must stop before its next unit: Esc, a newer request, or the view
    // or its list gone.
    bool stopped() const;
    // True once the view or its list is gone: the job must return without touching it.
    bool closed() const;

    // Counts glyphs the load added; the count starts at 0 with each load.
    void count(int glyphs = 1) { m_count += glyphs; }
    int counted() const { return m_count; }

    // Call after adding items: yields when the list has reached the next multiple of 50
    // less 10 items since the last yield (the first after 40), whatever the steps in
    // which it grows. The first yield shows the items added so far, and so does every
    // yield after a pause of kShowIntervalMs since the list was last shown: showing lays
    // out the whole list again, which at every yield would make a load of n items cost
    // n * n / 50.
    void pace();
    static constexpr int kShowIntervalMs = 100;
    // Shows a text in the status box, unless the view is gone.
    void showStatus(const QString &text) const;
    // Switches Redraw on, restores the pointer and shows the end message for `total`
    // glyphs, "載入完畢！ 共 " & total & suffix, also when the view is gone; returns the
    // message, or "" when the view is gone.
    QString finish(int total, const QString &suffix = kDefaultSuffix);
    QString finish() { return finish(m_count); }

private:
    friend class LongLoad;
    explicit Session(std::shared_ptr<State> state);
    void yield();

    std::shared_ptr<State> m_state;
    QPointer<OutlineList> m_list;
    std::optional<sys::WaitCursor> m_wait;
    QElapsedTimer m_lastShown;
    bool m_escPressed = false; // set by the application's Esc filter
    bool m_finished = false;
    int m_count = 0;
    int m_nextYield;
};
