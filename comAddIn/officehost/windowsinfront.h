#pragma once

#include <QObject>

namespace officehost
{

// Brings every window our process shows (the chooser, a message) in front as it opens: the
// user is looking at another program's window, which our process has none of.
class WindowsInFront : public QObject
{
public:
    // Watches the application's windows for as long as it lives.
    WindowsInFront();
    ~WindowsInFront() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};

} // namespace officehost
