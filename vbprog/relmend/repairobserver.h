#pragma once

#include "platform/office/word/range.h"

#include <QString>

namespace relmend
{

// What a repair shows in its window and asks of it.
class RepairObserver
{
public:
    virtual ~RepairObserver() = default;
    // The status text (lblMessage).
    virtual QString message() const = 0;
    virtual void setMessage(const QString &text) = 0;
    // The number of files done (lblFixCount); empty until the first one.
    virtual void setFixCount(const QString &text) = 0;
    // A pacing point in a story of the document being repaired: pending window events run,
    // so that a stop can be asked for.
    virtual void letEventsRun(word::StoryType story) = 0;
    // The user confirmed a stop.
    virtual bool stopRequested() const = 0;
};

} // namespace relmend
