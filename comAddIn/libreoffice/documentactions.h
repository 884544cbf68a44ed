#pragma once

#include "comAddIn/libreoffice/relayprotocol.h"
#include "comAddIn/libreoffice/unotext.h"

#include <com/sun/star/frame/XFrame.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>
#include <string>

// What the extension does with the document of a frame, for our process: it names the
// document's host and state, and carries out the actions of a click.
namespace lohost
{

using Context = css::uno::Reference<css::uno::XComponentContext>;
using Frame = css::uno::Reference<css::frame::XFrame>;

// The LibreOffice module of the frame ("com.sun.star.text.TextDocument", ...); empty when
// it shows no document.
OUString moduleOfFrame(const Context &context, const Frame &frame);

// The host the frame's document stands for; empty for none.
std::string hostOfFrame(const Context &context, const Frame &frame);

relay::DocumentState documentStateOf(const Frame &frame);

// Types text at the caret as typing would: Writer's view cursor (replacing its selection),
// the text being edited in Impress and the cell being edited in Calc; a selected cell that
// is not being edited takes the text as a paste would. The text is drawn by the font when
// one is named.
void typeAtCaret(const Context &context, const Frame &frame, const OUString &text,
                 const OUString &font);

// Stores the document in its own format at its own path; the failure's text, or empty.
std::string storeDocument(const Frame &frame);

void reloadDocument(const Context &context, const Frame &frame);

// Opens the file in a new window, read-only when asked, and makes that window the active one.
// The window's frame; empty when the file did not open.
Frame openInNewWindow(const Context &context, const std::string &path, bool readOnly);

} // namespace lohost
