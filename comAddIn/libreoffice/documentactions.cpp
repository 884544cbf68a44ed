#include "comAddIn/libreoffice/documentactions.h"

#include "comAddIn/libreoffice/commandurl.h"
#include "comAddIn/libreoffice/hostidentity.h"
#include "comAddIn/libreoffice/unotext.h"
#include "platform/office/host/hosttable.h"

#include <com/sun/star/awt/SystemDependentXWindow.hpp>
#include <com/sun/star/awt/XSystemDependentWindowPeer.hpp>
#include <com/sun/star/awt/XTopWindow.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/document/XDocumentProperties.hpp>
#include <com/sun/star/document/XDocumentPropertiesSupplier.hpp>
#include <com/sun/star/frame/Desktop.hpp>
#include <com/sun/star/frame/DispatchHelper.hpp>
#include <com/sun/star/frame/ModuleManager.hpp>
#include <com/sun/star/frame/XController.hpp>
#include <com/sun/star/frame/XDispatchProvider.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/frame/XStatusListener.hpp>
#include <com/sun/star/frame/XStorable.hpp>
#include <com/sun/star/frame/XTitle.hpp>
#include <com/sun/star/lang/SystemDependent.hpp>
#include <com/sun/star/table/XCell.hpp>
#include <com/sun/star/table/XCellRange.hpp>
#include <com/sun/star/text/XText.hpp>
#include <com/sun/star/text/XTextCursor.hpp>
#include <com/sun/star/text/XTextRange.hpp>
#include <com/sun/star/uno/Exception.hpp>
#include <com/sun/star/util/DateTime.hpp>
#include <com/sun/star/util/URLTransformer.hpp>
#include <com/sun/star/util/XModifiable.hpp>
#include <com/sun/star/view/XSelectionSupplier.hpp>
#include <cppuhelper/implbase1.hxx>
#include <ctime>
#include <rtl/process.h>

using namespace css;

namespace lohost
{

namespace
{

uno::Reference<frame::XModel> modelOf(const Frame &frame)
{
    const uno::Reference<frame::XController> controller = frame->getController();
    return controller.is() ? controller->getModel() : uno::Reference<frame::XModel>();
}

void dispatch(
    const Context &context, const Frame &frame, const OUString &command,
    const uno::Sequence<beans::PropertyValue> &arguments = uno::Sequence<beans::PropertyValue>())
{
    frame::DispatchHelper::create(context)->executeDispatch(
        uno::Reference<frame::XDispatchProvider>(frame, uno::UNO_QUERY_THROW), command, "", 0,
        arguments);
}

// Learns the state a command has in a frame: the dispatch tells a new listener at once.
class CommandState : public cppu::WeakImplHelper1<frame::XStatusListener>
{
public:
    static bool isEnabled(const Context &context, const Frame &frame, const OUString &command)
    {
        util::URL url;
        url.Complete = command;
        util::URLTransformer::create(context)->parseStrict(url);
        const uno::Reference<frame::XDispatch> dispatcher =
            uno::Reference<frame::XDispatchProvider>(frame, uno::UNO_QUERY_THROW)
                ->queryDispatch(url, "", 0);
        if (!dispatcher.is())
            return false;
        CommandState *const state = new CommandState;
        const uno::Reference<frame::XStatusListener> listener(state);
        dispatcher->addStatusListener(listener, url);
        dispatcher->removeStatusListener(listener, url);
        return state->m_enabled;
    }

    void SAL_CALL statusChanged(const frame::FeatureStateEvent &event) override
    {
        m_enabled = event.IsEnabled;
    }
    void SAL_CALL disposing(const lang::EventObject &) override {}

private:
    bool m_enabled = false;
};

// Whether a cell is being edited: the edit line's insert mode is offered only then.
bool isEditingCell(const Context &context, const Frame &frame)
{
    return CommandState::isEnabled(context, frame, ".uno:InsertMode");
}

// The cell a paste goes to: the selected cell, or the first cell of the selected range.
uno::Reference<text::XTextRange> selectedCell(const Frame &frame)
{
    const uno::Reference<view::XSelectionSupplier> selection(frame->getController(),
                                                             uno::UNO_QUERY);
    if (!selection.is())
        return {};
    const uno::Any selected = selection->getSelection();
    uno::Reference<table::XCell> cell(selected, uno::UNO_QUERY);
    if (!cell.is()) {
        if (const uno::Reference<table::XCellRange> range(selected, uno::UNO_QUERY); range.is())
            cell = range->getCellByPosition(0, 0);
    }
    return uno::Reference<text::XTextRange>(cell, uno::UNO_QUERY);
}

// The text of a cell drawn by the font, whichever script its characters are taken for.
void setFontOfEveryScript(const uno::Reference<text::XTextRange> &cell, const OUString &font)
{
    const uno::Reference<text::XTextCursor> characters = cell->getText()->createTextCursor();
    characters->gotoStart(false);
    characters->gotoEnd(true);
    const uno::Reference<beans::XPropertySet> properties(characters, uno::UNO_QUERY_THROW);
    for (const char *slot : {"CharFontName", "CharFontNameAsian", "CharFontNameComplex"})
        properties->setPropertyValue(OUString::createFromAscii(slot), uno::Any(font));
}

bool isPage(const uno::Reference<frame::XModel> &model)
{
    return textPropertyOf(model->getArgs(), "FilterName").indexOf("HTML") >= 0;
}

// LibreOffice cannot reopen a page it wrote without a creation date: give it one.
void dateUndatedPage(const uno::Reference<frame::XModel> &model)
{
    const uno::Reference<document::XDocumentPropertiesSupplier> supplier(model, uno::UNO_QUERY);
    if (!isPage(model) || !supplier.is())
        return;
    const uno::Reference<document::XDocumentProperties> properties =
        supplier->getDocumentProperties();
    if (properties->getCreationDate().Year != 0)
        return;
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    util::DateTime date;
    date.Year = static_cast<sal_Int16>(local.tm_year + 1900);
    date.Month = static_cast<sal_uInt16>(local.tm_mon + 1);
    date.Day = static_cast<sal_uInt16>(local.tm_mday);
    date.Hours = static_cast<sal_uInt16>(local.tm_hour);
    date.Minutes = static_cast<sal_uInt16>(local.tm_min);
    date.Seconds = static_cast<sal_uInt16>(local.tm_sec);
    properties->setCreationDate(date);
}

// The X11 window of the frame; 0 when the office runs on another window system.
std::uint32_t x11WindowOf(const Frame &frame)
{
    const uno::Reference<awt::XSystemDependentWindowPeer> peer(frame->getContainerWindow(),
                                                               uno::UNO_QUERY);
    if (!peer.is())
        return 0;
    uno::Sequence<sal_Int8> process(16);
    rtl_getGlobalProcessId(reinterpret_cast<sal_uInt8 *>(process.getArray()));
    awt::SystemDependentXWindow window;
    if (!(peer->getWindowHandle(process, lang::SystemDependent::SYSTEM_XWINDOW) >>= window))
        return 0;
    return static_cast<std::uint32_t>(window.WindowHandle);
}

} // namespace

OUString moduleOfFrame(const Context &context, const Frame &frame)
{
    try {
        return frame::ModuleManager::create(context)->identify(frame);
    } catch (const uno::Exception &) {
        return {};
    }
}

std::string hostOfFrame(const Context &context, const Frame &frame)
{
    const uno::Reference<frame::XModel> model = modelOf(frame);
    if (!model.is())
        return {};
    return relay::hostOfDocument(utf8(moduleOfFrame(context, frame)), utf8(model->getURL()));
}

relay::DocumentState documentStateOf(const Frame &frame)
{
    relay::DocumentState state;
    const uno::Reference<frame::XModel> model = modelOf(frame);
    if (!model.is())
        return state;
    state.path = relay::localPathOfUrl(utf8(model->getURL()));
    if (const uno::Reference<util::XModifiable> modifiable(model, uno::UNO_QUERY); modifiable.is())
        state.modified = modifiable->isModified();
    if (const uno::Reference<frame::XTitle> title(model, uno::UNO_QUERY); title.is())
        state.title = utf8(title->getTitle());
    state.window = x11WindowOf(frame);
    return state;
}

void typeAtCaret(const Context &context, const Frame &frame, const OUString &text,
                 const OUString &font)
{
    const std::string_view calc = office::hostIdentity(office::HostKind::Excel).libreOfficeModule;
    if (utf8(moduleOfFrame(context, frame)) == calc && !isEditingCell(context, frame)) {
        if (const uno::Reference<text::XTextRange> cell = selectedCell(frame); cell.is()) {
            cell->setString(text);
            if (!font.isEmpty())
                setFontOfEveryScript(cell, font);
        }
        return;
    }
    // The symbol command types as the keyboard does: at the caret (also a cell's edit caret),
    // over the selection. Its font goes to the symbols in every script's slot, as a
    // private-use code takes the slot of the text around it; text typed after them keeps
    // the caret's font.
    const beans::PropertyValue symbols = property("Symbols", uno::Any(text));
    dispatch(context, frame, ".uno:InsertSymbol",
             font.isEmpty() ? properties({symbols})
                            : properties({symbols, property("FontName", uno::Any(font))}));
}

std::string storeDocument(const Frame &frame)
{
    try {
        const uno::Reference<frame::XModel> model = modelOf(frame);
        dateUndatedPage(model);
        uno::Reference<frame::XStorable>(model, uno::UNO_QUERY_THROW)->store();
        return {};
    } catch (const uno::Exception &failure) {
        const std::string text = utf8(failure.Message);
        return text.empty() ? std::string("the document could not be stored") : text;
    }
}

void reloadDocument(const Context &context, const Frame &frame)
{
    dispatch(context, frame, ".uno:Reload");
}

Frame openInNewWindow(const Context &context, const std::string &path, bool readOnly)
{
    // Read-only shows the office's own bar to edit the document, as for a protected file.
    const uno::Sequence<beans::PropertyValue> arguments =
        readOnly ? properties({property("ReadOnly", uno::Any(true))})
                 : uno::Sequence<beans::PropertyValue>();
    const uno::Reference<lang::XComponent> component =
        frame::Desktop::create(context)->loadComponentFromURL(unoText(relay::urlOfLocalPath(path)),
                                                              "_blank", 0, arguments);
    const uno::Reference<frame::XModel> model(component, uno::UNO_QUERY);
    if (!model.is() || !model->getCurrentController().is())
        return {};
    const Frame opened = model->getCurrentController()->getFrame();
    opened->activate();
    if (const uno::Reference<awt::XTopWindow> window(opened->getContainerWindow(), uno::UNO_QUERY);
        window.is())
        window->toFront();
    return opened;
}

} // namespace lohost
