#pragma once

#include "platform/common/result.h"

#include <QHash>
#include <QObject>
#include <QPointer>
#include <memory>

class QAction;
class QMainWindow;
class QMenu;
class QToolBar;

namespace office
{
class CommandBars;
class CommandBarControl;
} // namespace office

namespace officehost
{

// Shows a host's command bars in a main window: the "Tools" bar as the Tools menu, every
// other bar as a toolbar, and a list of the toolbars whose ticks show and hide them (the
// bars' Visible, kept in their file). Each control becomes an action named by its tag; its
// caption is drawn in the operator font when it holds operator or trigram symbols.
// Triggering the action clicks the control. The menus and toolbars follow every change
// of the bars.
class CommandBarUi : public QObject
{
    Q_OBJECT

public:
    // The window and menus outlive this object; the menus are filled by it.
    CommandBarUi(QMainWindow &window, QMenu &toolsMenu, QMenu &toolbarList);

    void setCommandBars(std::shared_ptr<office::CommandBars> bars);
    void rebuild();

    // The action of the control that the host's FindControl gives for the tag; nullptr
    // when no control carries it.
    QAction *actionForTag(const QString &tag) const;
    // Clicks that control as the user does, through its action. A failure when no
    // control carries the tag or no add-in receives its clicks.
    platform::Result<bool> clickTag(const QString &tag);

signals:
    // A control is about to be clicked.
    void clickStarting();
    // A control's click has been delivered: what the add-in changed may show now.
    void controlClicked();

private:
    QAction *actionFor(const std::shared_ptr<office::CommandBarControl> &control);

    QMainWindow &m_window;
    QMenu &m_toolsMenu;
    QMenu &m_toolbarList;
    std::shared_ptr<office::CommandBars> m_bars;
    QPointer<QObject> m_build; // owns the actions of the current build
    QList<QToolBar *> m_toolBars;
    QHash<const office::CommandBarControl *, QPointer<QAction>> m_actions;
    bool m_rebuildPending = false;
};

} // namespace officehost
