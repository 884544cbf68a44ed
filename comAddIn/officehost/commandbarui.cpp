#include "comAddIn/officehost/commandbarui.h"

#include "comAddIn/officehost/clickablecontrol.h"
#include "comAddIn/officehost/operatorcaption.h"
#include "platform/fonts/operatorfont.h"
#include "platform/office/host/commandbars.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QTimer>
#include <QToolBar>

namespace officehost
{

CommandBarUi::CommandBarUi(QMainWindow &window, QMenu &toolsMenu, QMenu &toolbarList)
    : QObject(&window), m_window(window), m_toolsMenu(toolsMenu), m_toolbarList(toolbarList)
{
}

void CommandBarUi::setCommandBars(std::shared_ptr<office::CommandBars> bars)
{
    m_bars = std::move(bars);
    if (m_bars) {
        // Changes arrive while an add-in builds its controls: rebuild once it is done.
        QPointer<CommandBarUi> self(this);
        m_bars->addChangeListener([self] {
            if (!self || self->m_rebuildPending)
                return;
            self->m_rebuildPending = true;
            QTimer::singleShot(0, self, [self] {
                if (self)
                    self->rebuild();
            });
        });
    }
    rebuild();
}

void CommandBarUi::rebuild()
{
    m_rebuildPending = false;
    // What the last build made goes once control returns to the event loop: a rebuild may
    // come while one of its actions is still delivering its click.
    m_toolsMenu.clear();
    m_toolbarList.clear();
    for (QToolBar *toolBar : std::as_const(m_toolBars)) {
        m_window.removeToolBar(toolBar);
        toolBar->setObjectName(QString());
        toolBar->deleteLater();
    }
    m_toolBars.clear();
    m_actions.clear();
    if (m_build)
        m_build->deleteLater();
    m_build = new QObject(this);
    if (!m_bars)
        return;
    for (int b = 1; b <= m_bars->count(); ++b) {
        const std::shared_ptr<office::CommandBar> bar = m_bars->item(b);
        const bool isTools = bar->name().compare(QString::fromUtf16(office::kToolsBarName),
                                                 Qt::CaseInsensitive) == 0;
        QToolBar *toolBar = nullptr;
        if (!isTools) {
            toolBar = new QToolBar(bar->name(), &m_window);
            toolBar->setObjectName(bar->name());
            m_window.addToolBar(toolBar);
            m_toolBars.append(toolBar);
        }
        for (int i = 1; i <= bar->controlCount(); ++i) {
            const auto control = bar->control(i);
            if (control->beginGroup() && i > 1) {
                if (isTools)
                    m_toolsMenu.addSeparator();
                else
                    toolBar->addSeparator();
            }
            QAction *action = actionFor(control);
            if (isTools)
                m_toolsMenu.addAction(action);
            else
                toolBar->addAction(action);
        }
        if (toolBar) {
            toolBar->setVisible(bar->visible());
            auto *shown = new QAction(bar->name(), m_build);
            m_toolbarList.addAction(shown);
            shown->setObjectName(u"toolbarList_"_qs + bar->name());
            shown->setCheckable(true);
            shown->setChecked(bar->visible());
            const std::weak_ptr<office::CommandBar> weakBar = bar;
            connect(shown, &QAction::toggled, this, [weakBar](bool on) {
                if (const auto target = weakBar.lock())
                    target->setVisible(on);
            });
        }
    }
}

QAction *CommandBarUi::actionFor(const std::shared_ptr<office::CommandBarControl> &control)
{
    auto *action = new QAction(control->caption(), m_build);
    if (!control->tag().isEmpty())
        action->setObjectName(control->tag());
    action->setVisible(control->visible());
    if (needsOperatorFont(control->caption())) {
        QFont font(fonts::operatorFamily());
        font.setPointSize(14);
        action->setFont(font);
    }
    const std::weak_ptr<office::CommandBarControl> weakControl = control;
    connect(action, &QAction::triggered, this, [this, weakControl] {
        if (const auto target = weakControl.lock()) {
            emit clickStarting();
            target->click();
            emit controlClicked();
        }
    });
    m_actions.insert(control.get(), action);
    return action;
}

QAction *CommandBarUi::actionForTag(const QString &tag) const
{
    const auto control = m_bars && !tag.isEmpty() ? m_bars->findControl(tag) : nullptr;
    return control ? m_actions.value(control.get()) : nullptr;
}

platform::Result<bool> CommandBarUi::clickTag(const QString &tag)
{
    const auto control = clickableControl(m_bars.get(), tag);
    if (!control.ok())
        return platform::Result<bool>::failure(control.errorString());
    if (m_rebuildPending)
        rebuild();
    QAction *action = m_actions.value(control->get());
    if (!action)
        return platform::Result<bool>::failure(u"沒有標記為 %1 的命令"_qs.arg(tag));
    action->trigger();
    return true;
}

} // namespace officehost
