#pragma once

#include "vbprog/relmend/repairobserver.h"

#include <QStringList>
#include <functional>

namespace relmendtest
{

// Records what a repair shows and asks for a stop at the pacing point a test chooses.
class ScriptedObserver : public relmend::RepairObserver
{
public:
    QString message() const override { return m_message; }
    void setMessage(const QString &text) override
    {
        m_message = text;
        messages << text;
    }
    void setFixCount(const QString &text) override { fixCount = text; }
    void letEventsRun(word::StoryType story) override
    {
        paces << story;
        if (stopAt && stopAt(story))
            stop = true;
    }
    bool stopRequested() const override { return stop; }

    // Decides at each pacing point whether the user confirms a stop there.
    std::function<bool(word::StoryType)> stopAt;
    QStringList messages;
    QString fixCount;
    QList<word::StoryType> paces;
    bool stop = false;

private:
    QString m_message;
};

} // namespace relmendtest
