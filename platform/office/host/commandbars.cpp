#include "platform/office/host/commandbars.h"

#include "platform/system/filewrite.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>

namespace office
{

namespace
{

// The built-in items of a new user's Tools menu.
struct BuiltInItem {
    int id;
    const char16_t *caption;
};
constexpr BuiltInItem kBuiltInTools[] = {
    {943, u"增益集..."},
    {797, u"自訂..."},
    {522, u"選項..."},
};

QJsonObject toJson(const CommandBarControl &control)
{
    return QJsonObject{
        {u"id"_qs, control.id()},
        {u"type"_qs, control.type()},
        {u"tag"_qs, control.tag()},
        {u"caption"_qs, control.caption()},
        {u"onAction"_qs, control.onAction()},
        {u"visible"_qs, control.visible()},
        {u"beginGroup"_qs, control.beginGroup()},
        {u"style"_qs, control.style()},
    };
}

} // namespace

// ---- CommandBarControl

CommandBarControl::CommandBarControl(int id, int type) : m_id(id), m_type(type)
{
}

void CommandBarControl::changed()
{
    if (const auto bar = m_parent.lock())
        bar->changed();
}

void CommandBarControl::setTag(const QString &tag)
{
    m_tag = tag;
    changed();
}

void CommandBarControl::setCaption(const QString &caption)
{
    m_caption = caption;
    changed();
}

void CommandBarControl::setOnAction(const QString &onAction)
{
    m_onAction = onAction;
    changed();
}

void CommandBarControl::setVisible(bool visible)
{
    m_visible = visible;
    changed();
}

void CommandBarControl::setBeginGroup(bool beginGroup)
{
    m_beginGroup = beginGroup;
    changed();
}

void CommandBarControl::setStyle(int style)
{
    m_style = style;
    changed();
}

bool CommandBarControl::deleteControl()
{
    const auto bar = m_parent.lock();
    if (!bar)
        return false;
    m_parent.reset();
    bar->removeControl(this);
    return true;
}

bool CommandBarControl::click()
{
    // Keeps the control alive and the list steady while handlers run: a handler may
    // delete the control or unsubscribe.
    const auto self = shared_from_this();
    const auto subscribers = m_subscribers;
    bool cancelDefault = false;
    for (const auto &[subscription, handler] : subscribers)
        handler(*this, cancelDefault);
    return cancelDefault;
}

CommandBarControl::Subscription CommandBarControl::subscribeClick(ClickHandler handler)
{
    const Subscription subscription = m_nextSubscription++;
    m_subscribers.append({subscription, std::move(handler)});
    return subscription;
}

void CommandBarControl::unsubscribeClick(Subscription subscription)
{
    m_subscribers.removeIf(
        [subscription](const auto &entry) { return entry.first == subscription; });
}

// ---- CommandBar

CommandBar::CommandBar(QString name) : m_name(std::move(name))
{
}

void CommandBar::setVisible(bool visible)
{
    m_visible = visible;
    changed();
}

std::shared_ptr<CommandBarControl> CommandBar::control(int index) const
{
    return index >= 1 && index <= m_controls.size() ? m_controls[index - 1] : nullptr;
}

std::shared_ptr<CommandBarControl> CommandBar::appendControl(int id, int type)
{
    auto control = std::make_shared<CommandBarControl>(id, type);
    control->m_parent = weak_from_this();
    m_controls.append(control);
    return control;
}

std::shared_ptr<CommandBarControl> CommandBar::addControl(int type)
{
    auto control = appendControl(CommandBarControl::kAddInId, type);
    changed();
    return control;
}

void CommandBar::removeControl(const CommandBarControl *control)
{
    m_controls.removeIf([control](const auto &entry) { return entry.get() == control; });
    changed();
}

bool CommandBar::deleteBar()
{
    const auto bars = m_parent.lock();
    if (!bars)
        return false;
    m_parent.reset();
    bars->removeBar(this);
    return true;
}

void CommandBar::changed()
{
    if (const auto bars = m_parent.lock())
        bars->changed();
}

// ---- CommandBars

CommandBars::CommandBars(Private, QString filePath) : m_filePath(std::move(filePath))
{
}

QString CommandBars::folderFor()
{
    const QString redirected = qEnvironmentVariable("MURVEL_OFFICE_CONFIG_DIR");
    if (!redirected.isEmpty())
        return redirected;
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           u"/murvel/office"_qs;
}

QString CommandBars::filePathFor(const QString &hostName)
{
    QString fileName = hostName;
    fileName.replace(u' ', u'-');
    return folderFor() + u'/' + fileName + u".commandbars.json"_qs;
}

std::shared_ptr<CommandBars> CommandBars::open(const QString &hostName)
{
    return openFile(filePathFor(hostName));
}

std::shared_ptr<CommandBars> CommandBars::openFile(const QString &filePath)
{
    auto bars = std::make_shared<CommandBars>(Private{}, filePath);
    if (!bars->load()) {
        bars->m_bars.clear();
        bars->addFreshBars();
    }
    return bars;
}

void CommandBars::addFreshBars()
{
    auto tools = std::make_shared<CommandBar>(QString::fromUtf16(kToolsBarName));
    tools->m_parent = weak_from_this();
    for (const BuiltInItem &item : kBuiltInTools)
        tools->appendControl(item.id, CommandBarControl::Button)->m_caption =
            QString::fromUtf16(item.caption);
    m_bars.append(tools);
}

bool CommandBars::load()
{
    QFile file(m_filePath);
    if (!file.exists())
        return false;
    if (!file.open(QIODevice::ReadOnly)) {
        m_error = file.errorString();
        return false;
    }
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &parseError);
    if (!document.isObject()) {
        m_error = u"%1: %2"_qs.arg(m_filePath, parseError.errorString());
        return false;
    }
    for (const QJsonValue &barValue : document.object().value(u"bars").toArray()) {
        const QJsonObject barObject = barValue.toObject();
        const QString name = barObject.value(u"name").toString();
        if (name.isEmpty() || item(name))
            continue;
        auto bar = std::make_shared<CommandBar>(name);
        bar->m_parent = weak_from_this();
        bar->m_visible = barObject.value(u"visible").toBool(true);
        for (const QJsonValue &controlValue : barObject.value(u"controls").toArray()) {
            const QJsonObject object = controlValue.toObject();
            const auto control =
                bar->appendControl(object.value(u"id").toInt(CommandBarControl::kAddInId),
                                   object.value(u"type").toInt(CommandBarControl::Button));
            control->m_tag = object.value(u"tag").toString();
            control->m_caption = object.value(u"caption").toString();
            control->m_onAction = object.value(u"onAction").toString();
            control->m_visible = object.value(u"visible").toBool(true);
            control->m_beginGroup = object.value(u"beginGroup").toBool(false);
            control->m_style = object.value(u"style").toInt(CommandBarControl::Automatic);
        }
        m_bars.append(bar);
    }
    return true;
}

std::shared_ptr<CommandBar> CommandBars::item(int index) const
{
    return index >= 1 && index <= m_bars.size() ? m_bars[index - 1] : nullptr;
}

std::shared_ptr<CommandBar> CommandBars::item(const QString &name) const
{
    for (const auto &bar : m_bars) {
        if (bar->name().compare(name, Qt::CaseInsensitive) == 0)
            return bar;
    }
    return nullptr;
}

std::shared_ptr<CommandBarControl> CommandBars::findControl(const QString &tag) const
{
    for (const auto &bar : m_bars) {
        for (const auto &control : bar->m_controls) {
            if (control->tag() == tag)
                return control;
        }
    }
    return nullptr;
}

std::shared_ptr<CommandBar> CommandBars::add(const QString &name)
{
    if (name.isEmpty() || item(name))
        return nullptr;
    auto bar = std::make_shared<CommandBar>(name);
    bar->m_parent = weak_from_this();
    m_bars.append(bar);
    changed();
    return bar;
}

void CommandBars::removeBar(const CommandBar *bar)
{
    m_bars.removeIf([bar](const auto &entry) { return entry.get() == bar; });
    changed();
}

bool CommandBars::save()
{
    QJsonArray bars;
    for (const auto &bar : m_bars) {
        QJsonArray controls;
        for (const auto &control : bar->m_controls)
            controls.append(toJson(*control));
        bars.append(QJsonObject{{u"name"_qs, bar->name()},
                                {u"visible"_qs, bar->visible()},
                                {u"controls"_qs, controls}});
    }
    const QByteArray text = QJsonDocument(QJsonObject{{u"bars"_qs, bars}}).toJson();
    QDir().mkpath(QFileInfo(m_filePath).absolutePath());
    m_error.clear();
    return sys::replaceFile(m_filePath, text, &m_error);
}

void CommandBars::changed()
{
    save();
    for (const auto &listener : m_listeners)
        listener();
}

} // namespace office
