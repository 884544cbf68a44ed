#pragma once

#include "vbprog/kavrot/transcoderun.h"

#include <QStringList>

namespace kavrottest
{

// Records what a batch reports; the user confirms a stop when events are let run for the
// stopAtEvent-th time (never when 0).
class RecordingObserver : public kavrot::BatchObserver
{
public:
    void letEventsRun() override
    {
        if (++eventsRun == stopAtEvent)
            stop = true;
    }
    bool stopRequested() const override { return stop; }
    QString message() const override { return messages.isEmpty() ? QString() : messages.last(); }
    void setMessage(const QString &text) override { messages.append(text); }
    void setCount(int value) override { count = value; }
    void refuse(const QString &title, const QString &text) override
    {
        refusals.append(title + u'|' + text);
    }

    int stopAtEvent = 0;
    int eventsRun = 0;
    bool stop = false;
    QStringList messages;
    int count = -1;
    QStringList refusals;
};

} // namespace kavrottest
