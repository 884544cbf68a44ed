#pragma once

#include <QList>
#include <functional>

class ChildWindow;
class QMdiArea;

// The child windows of the main window's area: which view class serves which kinds, and the
// windows loaded now. A view class registers a factory for its kind or range of kinds; one
// window serves a whole range (kinds 1..10 share the component-list window).
class ChildWindows
{
public:
    // Makes a new, unparented window; the area takes it over.
    using Factory = std::function<ChildWindow *()>;

    explicit ChildWindows(QMdiArea *area); // area: not owned

    // A later factory for a kind replaces an earlier one.
    void setFactory(int firstKind, int lastKind, Factory factory);

    // The loaded windows that are not closing, in the order they were loaded.
    QList<ChildWindow *> loaded() const;

    // The loaded window that serves the kind (for a component-list kind, the component-list
    // window whatever list it holds); null when none.
    ChildWindow *find(int kind) const;

    // Assigning a window its kind: the window that serves the kind, loaded first when it is
    // not (its saved placement applied while start-up restores the last run, then its load
    // event), and then given the kind. Null when no view serves the kind. Not shown.
    ChildWindow *load(int kind);

private:
    struct Registration {
        int firstKind;
        int lastKind;
        Factory factory;
    };
    const Registration *registrationOf(int kind) const;

    QMdiArea *m_area;
    QList<Registration> m_registrations;
};
