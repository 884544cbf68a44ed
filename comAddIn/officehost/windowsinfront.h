#pragma once

#include <QObject>
#include <memory>

class QWindow;

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

// While it lives, the windows our process shows are owned by a window of another program
// (the office window a click came from): the window manager keeps them in front of it and
// places them over it.
class ForeignOwner
{
public:
    // 0, or a window the window system does not know, owns nothing.
    explicit ForeignOwner(quintptr windowId);
    ~ForeignOwner();
    ForeignOwner(const ForeignOwner &) = delete;
    ForeignOwner &operator=(const ForeignOwner &) = delete;

    // The owner of the windows shown now; nullptr for none.
    static QWindow *current();

private:
    std::unique_ptr<QWindow> m_window;
};

} // namespace officehost
