#pragma once

#include <QString>
#include <QWidget>
#include <optional>

class QLineEdit;
class QMdiSubWindow;

// A child window of the main window: one view in a frame of the main window's area. Its
// kind (WindowKind) is its tag; the main window tells its children apart by it. A view
// class derives from this, overrides the events it handles and registers a factory for its
// kinds with the main window's ChildWindows.
class ChildWindow : public QWidget
{
public:
    explicit ChildWindow(QWidget *parent = nullptr);

    int windowKind() const { return m_kind; }
    void setWindowKind(int kind) { m_kind = kind; }

    // The frame that holds this window in the main window's area; null before it is added.
    QMdiSubWindow *frame() const;

    // True from the start of the window's close on: a closing window no longer counts as
    // loaded.
    bool isClosing() const { return m_closing; }

    // Load event: runs when the window is first reached, after its frame exists and its
    // saved placement has been applied; the component-list window runs it again for each list
    // opened into it. gOpeningWindowKind holds the kind being opened.
    virtual void load() {}

    // Activate event. By default: the active window becomes this one (gCurrentWindowName,
    // gCurrentWindowKind) and the stroke filters follow (OnChildWindowActivated with their
    // positions left unchanged).
    virtual void activated();

    // Unload event: the view's own clean-up (its open flag, its menu item). The frame calls
    // OnChildWindowClosed after it.
    virtual void unload() {}

    // The font bar changed gBaseFontName or gFontSize: the view restyles its list.
    virtual void baseFontChanged() {}
    virtual void fontSizeChanged() {}

    // The selected item of the view's list as the copy command reads it: the item's flag
    // (its first character tells what to copy) and its text. Nothing while no item is
    // selected.
    struct ListItem {
        QString flag;
        QString text;
    };
    virtual std::optional<ListItem> selectedListItem() const { return std::nullopt; }

    // The view's own formula box (the derivation view's), which copy, paste and the
    // character set's input typeface reach; null for the other views.
    virtual QLineEdit *formulaBox() const { return nullptr; }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    int m_kind = 0;
    bool m_closing = false;
};
