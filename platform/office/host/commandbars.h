#pragma once

#include <QList>
#include <QString>
#include <functional>
#include <memory>

namespace office
{

class CommandBar;
class CommandBars;

// One control of a command bar: a menu item or a toolbar button. Shared ownership stands
// for the hosts' reference counting: an add-in may keep a control after it was deleted
// from its bar (it is then detached, and its changes go nowhere).
class CommandBarControl : public std::enable_shared_from_this<CommandBarControl>
{
public:
    enum Type { Button = 1 };
    enum Style { Automatic = 0, IconOnly = 1, CaptionOnly = 2, IconAndCaption = 3 };
    // The Id of every control that an add-in creates; built-in controls have others.
    static constexpr int kAddInId = 1;

    // Click subscribers get the control and a cancel-default flag, as the hosts pass them.
    using ClickHandler = std::function<void(CommandBarControl &button, bool &cancelDefault)>;
    using Subscription = int;

    CommandBarControl(int id, int type);

    int id() const { return m_id; }
    int type() const { return m_type; }
    QString tag() const { return m_tag; }
    void setTag(const QString &tag);
    QString caption() const { return m_caption; }
    void setCaption(const QString &caption);
    QString onAction() const { return m_onAction; }
    void setOnAction(const QString &onAction);
    bool visible() const { return m_visible; }
    void setVisible(bool visible);
    bool beginGroup() const { return m_beginGroup; }
    void setBeginGroup(bool beginGroup);
    int style() const { return m_style; }
    void setStyle(int style);

    // Removes the control from its bar. False when it is no longer on one.
    bool deleteControl();
    // The bar the control is on; nullptr once deleted.
    std::shared_ptr<CommandBar> parent() const { return m_parent.lock(); }

    // Delivers a click to every subscriber, in the order they subscribed, as the host does
    // when the user picks the control. Returns the cancel-default flag they left.
    bool click();
    Subscription subscribeClick(ClickHandler handler);
    void unsubscribeClick(Subscription subscription);
    int clickSubscriberCount() const { return int(m_subscribers.size()); }

private:
    friend class CommandBar;
    friend class CommandBars;
    void changed();

    int m_id;
    int m_type;
    QString m_tag;
    QString m_caption;
    QString m_onAction;
    bool m_visible = true;
    bool m_beginGroup = false;
    int m_style = Automatic;
    std::weak_ptr<CommandBar> m_parent;
    QList<std::pair<Subscription, ClickHandler>> m_subscribers;
    Subscription m_nextSubscription = 1;
};

using CommandBarButton = CommandBarControl;

// A menu or toolbar: a name, its visibility and its controls in order.
class CommandBar : public std::enable_shared_from_this<CommandBar>
{
public:
    explicit CommandBar(QString name);

    QString name() const { return m_name; }
    bool visible() const { return m_visible; }
    void setVisible(bool visible);

    // The bar's Controls collection: Count, Item (1-based) and Add (a control at the end).
    int controlCount() const { return int(m_controls.size()); }
    // nullptr when the index is out of range.
    std::shared_ptr<CommandBarControl> control(int index) const;
    std::shared_ptr<CommandBarControl> addControl(int type = CommandBarControl::Button);

    // Removes the bar from the collection. False when it is no longer in one.
    bool deleteBar();

private:
    friend class CommandBarControl;
    friend class CommandBars;
    // Appends a control without reporting a change: for the loader and the built-in bars.
    std::shared_ptr<CommandBarControl> appendControl(int id, int type);
    void removeControl(const CommandBarControl *control);
    void changed();

    QString m_name;
    bool m_visible = true;
    QList<std::shared_ptr<CommandBarControl>> m_controls;
    std::weak_ptr<CommandBars> m_parent;
};

// The name of the bar that is the host's Tools menu.
inline constexpr char16_t kToolsBarName[] = u"Tools";

// One application's command bars, kept in a file so that what add-ins and users change
// outlives the host: every change is written at once (a temporary file renamed over the
// old one) and reported to the change listeners.
class CommandBars : public std::enable_shared_from_this<CommandBars>
{
public:
    // The bars of the host application named `hostName` ("Microsoft Word", ...), read
    // from its file in folderFor(); a missing file gives the fresh bars of a new user (a
    // "Tools" menu with the host's built-in items). An unreadable file gives the fresh
    // bars too, with errorString() saying why; the file is then kept until a change.
    static std::shared_ptr<CommandBars> open(const QString &hostName);
    static std::shared_ptr<CommandBars> openFile(const QString &filePath);
    // $MURVEL_OFFICE_CONFIG_DIR when set, else "murvel/office" in the user's configuration folder.
    static QString folderFor();
    static QString filePathFor(const QString &hostName);

    int count() const { return int(m_bars.size()); }
    // By 1-based position, or by name without regard to case; nullptr when there is none.
    std::shared_ptr<CommandBar> item(int index) const;
    std::shared_ptr<CommandBar> item(const QString &name) const;
    // The first control, bar by bar in collection order, whose Tag is `tag`; nullptr when none.
    std::shared_ptr<CommandBarControl> findControl(const QString &tag) const;
    // A new, visible, empty toolbar at the end. nullptr when a bar of that name exists.
    std::shared_ptr<CommandBar> add(const QString &name);

    QString filePath() const { return m_filePath; }
    // False, with errorString(), when the last change could not be written.
    bool save();
    QString errorString() const { return m_error; }

    using ChangeListener = std::function<void()>;
    void addChangeListener(ChangeListener listener) { m_listeners.append(std::move(listener)); }

private:
    friend class CommandBar;
    struct Private {
    };

public:
    CommandBars(Private, QString filePath);

private:
    void addFreshBars();
    bool load();
    void removeBar(const CommandBar *bar);
    void changed();

    QString m_filePath;
    QList<std::shared_ptr<CommandBar>> m_bars;
    QList<ChangeListener> m_listeners;
    QString m_error;
};

} // namespace office
