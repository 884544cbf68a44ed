#include "comAddIn/libreoffice/barmirror.h"

#include "comAddIn/libreoffice/buttonimages.h"
#include "comAddIn/libreoffice/commandurl.h"
#include "comAddIn/libreoffice/unotext.h"

#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XIndexContainer.hpp>
#include <com/sun/star/container/XNameContainer.hpp>
#include <com/sun/star/frame/Desktop.hpp>
#include <com/sun/star/frame/ModuleManager.hpp>
#include <com/sun/star/frame/UnknownModuleException.hpp>
#include <com/sun/star/frame/XFrames.hpp>
#include <com/sun/star/frame/XLayoutManager.hpp>
#include <com/sun/star/ui/ItemStyle.hpp>
#include <com/sun/star/ui/ItemType.hpp>
#include <com/sun/star/ui/UIElementType.hpp>
#include <com/sun/star/ui/XModuleUIConfigurationManagerSupplier.hpp>
#include <com/sun/star/ui/XUIConfigurationManager.hpp>
#include <com/sun/star/ui/XUIElement.hpp>
#include <com/sun/star/ui/theModuleUIConfigurationManagerSupplier.hpp>
#include <com/sun/star/ui/theWindowStateConfiguration.hpp>
#include <optional>
#include <set>

using namespace css;
using Item = uno::Sequence<beans::PropertyValue>;

namespace lohost
{

namespace
{

const OUString menubarUrl("private:resource/menubar/menubar");

uno::Reference<ui::XUIConfigurationManager>
moduleConfiguration(const uno::Reference<uno::XComponentContext> &context, const OUString &moduleId)
{
    return ui::theModuleUIConfigurationManagerSupplier::get(context)->getUIConfigurationManager(
        moduleId);
}

uno::Reference<container::XNameContainer>
windowStates(const uno::Reference<uno::XComponentContext> &context, const OUString &moduleId)
{
    uno::Reference<container::XNameContainer> states;
    ui::theWindowStateConfiguration::get(context)->getByName(moduleId) >>= states;
    return states;
}

template<class Container> Item itemAt(const uno::Reference<Container> &container, sal_Int32 index)
{
    Item item;
    container->getByIndex(index) >>= item;
    return item;
}

bool isMirrored(const Item &item)
{
    return textPropertyOf(item, "CommandURL").startsWith(unoText(relay::commandPrefix));
}

bool isMirroredToolbar(const OUString &resourceUrl)
{
    return resourceUrl.startsWith(unoText(relay::toolbarPrefix));
}

bool isSeparator(const Item &item)
{
    sal_Int16 type = ui::ItemType::DEFAULT;
    propertyOf(item, "Type") >>= type;
    return type != ui::ItemType::DEFAULT;
}

Item separator()
{
    return properties({property("Type", uno::Any(ui::ItemType::SEPARATOR_LINE))});
}

// A control with a picture shows it, its caption staying its name and tip; any other
// shows in the style given.
Item controlItem(const relay::BarControl &control, sal_Int16 style)
{
    const sal_Int16 shownAs = control.image.empty() ? style : sal_Int16(0);
    return properties({property("CommandURL", uno::Any(unoText(relay::commandForTag(control.tag)))),
                       property("Label", uno::Any(unoText(control.caption))),
                       property("Type", uno::Any(ui::ItemType::DEFAULT)),
                       property("Style", uno::Any(shownAs)),
                       property("IsVisible", uno::Any(control.visible))});
}

void append(const uno::Reference<container::XIndexContainer> &container, const Item &item)
{
    container->insertByIndex(container->getCount(), uno::Any(item));
}

// The controls in order; a group begins with a separator, except at the very start of a
// toolbar, where a separator would stand alone.
void appendControls(const uno::Reference<container::XIndexContainer> &container,
                    const std::vector<relay::BarControl> &controls, sal_Int16 style,
                    bool separatorFirst)
{
    for (std::size_t i = 0; i < controls.size(); ++i) {
        if (controls[i].beginGroup && (i > 0 || separatorFirst))
            append(container, separator());
        append(container, controlItem(controls[i], style));
    }
}

uno::Reference<container::XIndexContainer>
toolsMenuOf(const uno::Reference<container::XIndexAccess> &menubar)
{
    for (sal_Int32 i = 0; i < menubar->getCount(); ++i) {
        const Item item = itemAt(menubar, i);
        if (textPropertyOf(item, "CommandURL") == ".uno:ToolsMenu") {
            uno::Reference<container::XIndexContainer> tools;
            propertyOf(item, "ItemDescriptorContainer") >>= tools;
            return tools;
        }
    }
    return {};
}

// Removes the mirrored entries and the separator that opened their group when it would
// now end the menu or stand beside another separator.
void removeMirroredEntries(const uno::Reference<container::XIndexContainer> &tools)
{
    sal_Int32 first = -1;
    for (sal_Int32 i = tools->getCount() - 1; i >= 0; --i) {
        if (isMirrored(itemAt(tools, i))) {
            tools->removeByIndex(i);
            first = i;
        }
    }
    if (first > 0 && isSeparator(itemAt(tools, first - 1)) &&
        (first == tools->getCount() || isSeparator(itemAt(tools, first))))
        tools->removeByIndex(first - 1);
}

void setToolsEntries(const uno::Reference<ui::XUIConfigurationManager> &configuration,
                     const relay::Bar *menu)
{
    if (!configuration->hasSettings(menubarUrl))
        return;
    uno::Reference<container::XIndexAccess> menubar = configuration->getSettings(menubarUrl, true);
    const uno::Reference<container::XIndexContainer> tools = toolsMenuOf(menubar);
    if (!tools.is())
        return;
    removeMirroredEntries(tools);
    if (menu)
        appendControls(tools, menu->controls, 0, true);
    configuration->replaceSettings(menubarUrl, menubar);
}

std::vector<OUString>
mirroredToolbars(const uno::Reference<ui::XUIConfigurationManager> &configuration)
{
    std::vector<OUString> urls;
    for (const Item &info : configuration->getUIElementsInfo(ui::UIElementType::TOOLBAR)) {
        const OUString url = textPropertyOf(info, "ResourceURL");
        if (isMirroredToolbar(url))
            urls.push_back(url);
    }
    return urls;
}

// The window state the toolbar has had since the extension first showed it; nothing
// when the module never had it (or lost it with the extension).
std::optional<Item> ownWindowState(const uno::Reference<container::XNameContainer> &states,
                                   const OUString &url, const relay::Bar &bar)
{
    Item state;
    if (states.is() && states->hasByName(url) && (states->getByName(url) >>= state) &&
        textPropertyOf(state, "UIName") == unoText(bar.name))
        return state;
    return std::nullopt;
}

// Whether the toolbar is to be shown: as the user left it, else as the bar is.
bool isShownByUser(const uno::Reference<container::XNameContainer> &states, const OUString &url,
                   const relay::Bar &bar)
{
    const std::optional<Item> state = ownWindowState(states, url, bar);
    bool visible = bar.visible;
    if (state)
        propertyOf(*state, "Visible") >>= visible;
    return visible;
}

// Shows the toolbar as the bar is when the module never had it (or lost it with the
// extension); afterwards the user's own choice in View > Toolbars stands.
void setFirstWindowState(const uno::Reference<container::XNameContainer> &states,
                         const OUString &url, const relay::Bar &bar)
{
    if (!states.is() || ownWindowState(states, url, bar))
        return;
    const OUString name = unoText(bar.name);
    const uno::Any value(
        properties({property("UIName", uno::Any(name)), property("Visible", uno::Any(bar.visible)),
                    property("Docked", uno::Any(true))}));
    try {
        states->replaceByName(url, value);
    } catch (const container::NoSuchElementException &) {
        states->insertByName(url, value);
    }
}

uno::Reference<frame::XLayoutManager> layoutOf(const uno::Reference<frame::XFrame> &frame)
{
    uno::Reference<frame::XLayoutManager> layout;
    if (const uno::Reference<beans::XPropertySet> properties(frame, uno::UNO_QUERY);
        properties.is())
        properties->getPropertyValue("LayoutManager") >>= layout;
    return layout;
}

// LibreOffice shows a toolbar of its own making (custom_) in every open window of the
// module the moment it is added: it is hidden again where the bar is hidden.
void hideInOpenWindows(const uno::Reference<uno::XComponentContext> &context,
                       const OUString &moduleId, const OUString &url)
{
    const uno::Reference<frame::XFrames> frames = frame::Desktop::create(context)->getFrames();
    const uno::Reference<frame::XModuleManager2> modules = frame::ModuleManager::create(context);
    for (sal_Int32 i = 0; i < frames->getCount(); ++i) {
        uno::Reference<frame::XFrame> window;
        frames->getByIndex(i) >>= window;
        try {
            if (!window.is() || modules->identify(window) != moduleId)
                continue;
        } catch (const frame::UnknownModuleException &) {
            continue;
        }
        if (const uno::Reference<frame::XLayoutManager> layout = layoutOf(window); layout.is())
            layout->hideElement(url);
    }
}

void setToolbar(const uno::Reference<uno::XComponentContext> &context, const OUString &moduleId,
                const uno::Reference<ui::XUIConfigurationManager> &configuration,
                const uno::Reference<container::XNameContainer> &states, const relay::Bar &bar)
{
    const OUString url = unoText(relay::toolbarResourceUrl(bar.name));
    const uno::Reference<container::XIndexContainer> settings(configuration->createSettings(),
                                                              uno::UNO_QUERY_THROW);
    uno::Reference<beans::XPropertySet>(settings, uno::UNO_QUERY_THROW)
        ->setPropertyValue("UIName", uno::Any(unoText(bar.name)));
    appendControls(settings, bar.controls, ui::ItemStyle::TEXT, false);
    const uno::Reference<container::XIndexAccess> toolbar(settings, uno::UNO_QUERY_THROW);
    if (configuration->hasSettings(url)) {
        configuration->replaceSettings(url, toolbar);
        // Once the toolbar is there, its window state is the user's, also as LibreOffice
        // writes it after View > Toolbars in a window that was open when the toolbar came:
        // without the name.
        if (states.is() && !states->hasByName(url))
            setFirstWindowState(states, url, bar);
    } else {
        configuration->insertSettings(url, toolbar);
        if (!isShownByUser(states, url, bar))
            hideInOpenWindows(context, moduleId, url);
        setFirstWindowState(states, url, bar);
    }
}

} // namespace

void mirrorBars(const uno::Reference<uno::XComponentContext> &context, const OUString &moduleId,
                const std::vector<relay::Bar> &bars)
{
    const uno::Reference<ui::XUIConfigurationManager> configuration =
        moduleConfiguration(context, moduleId);
    const uno::Reference<container::XNameContainer> states = windowStates(context, moduleId);
    // The toolbars are made with the pictures already there.
    setButtonImages(context, configuration, bars);
    const relay::Bar *menu = nullptr;
    std::set<OUString> kept;
    for (const relay::Bar &bar : bars) {
        if (bar.isMenu) {
            menu = &bar;
            continue;
        }
        setToolbar(context, moduleId, configuration, states, bar);
        kept.insert(unoText(relay::toolbarResourceUrl(bar.name)));
    }
    setToolsEntries(configuration, menu);
    for (const OUString &url : mirroredToolbars(configuration)) {
        if (!kept.count(url))
            configuration->removeSettings(url);
    }
}

void removeMirroredBars(const uno::Reference<uno::XComponentContext> &context,
                        const OUString &moduleId)
{
    const uno::Reference<ui::XUIConfigurationManager> configuration =
        moduleConfiguration(context, moduleId);
    const uno::Reference<container::XNameContainer> states = windowStates(context, moduleId);
    setToolsEntries(configuration, nullptr);
    removeButtonImages(configuration);
    for (const OUString &url : mirroredToolbars(configuration))
        configuration->removeSettings(url);
    // The window states of our toolbars, also of those the configuration no longer lists.
    if (!states.is())
        return;
    for (const OUString &url : states->getElementNames()) {
        if (isMirroredToolbar(url))
            states->removeByName(url);
    }
}

std::vector<OUString> shownMirroredToolbars(const uno::Reference<frame::XFrame> &frame)
{
    std::vector<OUString> shown;
    const uno::Reference<frame::XLayoutManager> layout = layoutOf(frame);
    if (!layout.is())
        return shown;
    for (const uno::Reference<ui::XUIElement> &element : layout->getElements()) {
        const OUString url = element.is() ? element->getResourceURL() : OUString();
        if (isMirroredToolbar(url) && layout->isElementVisible(url))
            shown.push_back(url);
    }
    return shown;
}

void showToolbars(const uno::Reference<uno::XComponentContext> &context, const OUString &moduleId,
                  const uno::Reference<frame::XFrame> &frame, const std::vector<OUString> &urls)
{
    const uno::Reference<frame::XLayoutManager> layout = layoutOf(frame);
    const uno::Reference<container::XNameContainer> states = windowStates(context, moduleId);
    for (const OUString &url : urls) {
        if (states.is() && states->hasByName(url)) {
            Item state;
            states->getByName(url) >>= state;
            if (!(propertyOf(state, "Visible") == uno::Any(true))) {
                // The windows still to come show it too.
                std::vector<beans::PropertyValue> values(state.begin(), state.end());
                std::erase_if(values, [](const beans::PropertyValue &value) {
                    return value.Name == "Visible";
                });
                values.push_back(property("Visible", uno::Any(true)));
                states->replaceByName(url, uno::Any(uno::Sequence<beans::PropertyValue>(
                                               values.data(), sal_Int32(values.size()))));
            }
        }
        if (layout.is() && !layout->isElementVisible(url)) {
            layout->createElement(url);
            layout->showElement(url);
        }
    }
}

} // namespace lohost
