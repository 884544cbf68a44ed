#pragma once

// The relay's wire format, which both ends include: the extension inside the office (plain
// C++) and our process (Qt). Each message is one JSON object on one line, texts in UTF-8.
namespace relay::wire
{

// A request of the extension: {"op": ..., "host": the host's Application name, ...}.
inline constexpr char kOp[] = "op";
inline constexpr char kHost[] = "host";
namespace op
{
// The host's bars, answered with {"bars": [bar, ...]}.
inline constexpr char kBars[] = "bars";
// A click on the control with "tag" in the "document"; our process sends actions while it
// runs and ends it with a done line.
inline constexpr char kClick[] = "click";
// The host's add-ins disconnect in "mode" (1: the user removed them).
inline constexpr char kDisconnect[] = "disconnect";
} // namespace op

// The members of a request.
inline constexpr char kTag[] = "tag";
inline constexpr char kDocument[] = "document"; // {"path", "modified", "title", "window"}
inline constexpr char kPath[] = "path";         // a local path; empty for a new document
inline constexpr char kModified[] = "modified";
inline constexpr char kTitle[] = "title";
// The X11 window of the document's frame, a number; missing when unknown. Our windows that
// ask during the click are owned by it.
inline constexpr char kWindow[] = "window";
inline constexpr char kMode[] = "mode";

// A bar: {"name", "kind": "menu" (the host's Tools menu) or "toolbar", "visible",
// "controls": [{"tag", "caption", "visible", "beginGroup", "image", "largeImage"}, ...]}.
// "image" and "largeImage" are pictures of the caption for small and large buttons
// (absolute paths to PNG files), sent when the caption needs a font only our process has.
inline constexpr char kBars[] = "bars";
inline constexpr char kName[] = "name";
inline constexpr char kKind[] = "kind";
inline constexpr char kMenuKind[] = "menu";
inline constexpr char kToolbarKind[] = "toolbar";
inline constexpr char kVisible[] = "visible";
inline constexpr char kControls[] = "controls";
inline constexpr char kCaption[] = "caption";
inline constexpr char kBeginGroup[] = "beginGroup";
inline constexpr char kImage[] = "image";
inline constexpr char kLargeImage[] = "largeImage";

// What our process asks of the extension while a click runs: {"action": ..., ...}.
inline constexpr char kAction[] = "action";
namespace action
{
// "text" at the caret; its symbols in the family "font", none: the caret's.
inline constexpr char kType[] = "type";
inline constexpr char kStatus[] = "status"; // "text" in the status bar
// The document takes no edits until the request ends.
inline constexpr char kLock[] = "lock";
// Store the document; the extension answers {"stored": bool, "message": why not}.
inline constexpr char kStore[] = "store";
inline constexpr char kReload[] = "reload";
// The file at "path" in a new window, read-only when "readOnly" is true (a protected copy).
inline constexpr char kOpen[] = "open";
} // namespace action
inline constexpr char kText[] = "text";
inline constexpr char kFont[] = "font";
inline constexpr char kStored[] = "stored";
inline constexpr char kReadOnly[] = "readOnly";

// The end of a request: {"done": true, "ok", "message", "barsChanged"}.
inline constexpr char kDone[] = "done";
inline constexpr char kOk[] = "ok";
inline constexpr char kMessage[] = "message";
inline constexpr char kBarsChanged[] = "barsChanged";

} // namespace relay::wire
