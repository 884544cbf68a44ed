#pragma once

#include "vbprog/toolkit/batchobserver.h"

#include <QStringList>
#include <functional>

namespace toolkittest
{

// Records what a batch reports to its window; the user confirms a stop where stopAt says.
class RecordingObserver : public toolkit::BatchObserver
{
public:
    void letEventsRun() override
    {
        ++eventsRun;
        if (stopAt && stopAt(eventsRun))
            stop = true;
    }
    bool stopRequested() const override { return stop; }
    QString message() const override { return m_message; }
    void setMessage(const QString &text) override
    {
        m_message = text;
        messages.append(text);
    }
    void setCount(std::optional<int> value) override { count = value; }
    void refuse(const QString &title, const QString &text) override
    {
        refusals.append(title + u'|' + text);
    }

    // Asked at each pacing point, numbered from 1: whether the user confirms a stop there.
    std::function<bool(int pace)> stopAt;
    int eventsRun = 0;
    bool stop = false;
    QStringList messages;     // every status text shown, in order
    std::optional<int> count; // what the count label shows; nullopt: nothing
    QStringList refusals;     // "title|text" of each message box

private:
    QString m_message;
};

// A stop confirmed at the pacing point of that number.
inline std::function<bool(int)> stopAtPace(int number)
{
    return [number](int pace) { return pace == number; };
}

} // namespace toolkittest
