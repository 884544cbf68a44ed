#pragma once

#include <QString>
#include <optional>

namespace toolkit
{

// What a batch tool's run needs of the window it reports to.
class BatchObserver
{
public:
    virtual ~BatchObserver() = default;
    // Lets pending window events run: the only moment a stop can be asked for.
    virtual void letEventsRun() = 0;
    // True once the user has confirmed a stop during this run.
    virtual bool stopRequested() const = 0;
    // The status text (lblMessage).
    virtual QString message() const = 0;
    virtual void setMessage(const QString &text) = 0;
    // The number of files done; nothing is shown for nullopt.
    virtual void setCount(std::optional<int> count) = 0;
    // Tells the user why the batch cannot start, in a message box.
    virtual void refuse(const QString &title, const QString &text) = 0;
};

} // namespace toolkit
