#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

// The messages between the extension and our process: requests the extension sends, and
// the replies and actions it reads back. Texts are UTF-8.
namespace relay
{

struct BarControl {
    std::string tag;
    std::string caption;
    bool visible = true;
    bool beginGroup = false;
    // Pictures of the caption for small and large buttons (absolute local paths to PNG
    // files: the members "image" and "largeImage"), sent when the caption needs a font
    // that only our process has; empty otherwise.
    std::string image;
    std::string largeImage;
};

struct Bar {
    std::string name;
    bool isMenu = false; // the host's Tools menu; every other bar is a toolbar
    bool visible = false;
    std::vector<BarControl> controls;
};

struct DocumentState {
    std::string path; // local path; empty for a document never saved
    bool modified = false;
    std::string title;
    // The X11 window that shows it, which owns the windows our process shows during the
    // click (member "window"); 0 when unknown.
    std::uint32_t window = 0;
};

std::string barsRequest(const std::string &host);
std::string clickRequest(const std::string &host, const std::string &tag,
                         const DocumentState &document);
std::string disconnectRequest(const std::string &host);
std::string storeReply(bool stored, const std::string &message);

// The bars of a reply to barsRequest; nothing when the line is no such reply.
std::optional<std::vector<Bar>> parseBarsReply(const std::string &line);

struct Action {
    // Lock: our process reads the document now; it takes no edits until the request ends.
    enum class Kind { Type, Status, Lock, Store, Reload, Open };
    Kind kind;
    std::string text = {}; // the text to type or show, or the path to open
    std::string font = {}; // the family that draws the symbols typed; empty for the caret's
    bool readOnly = false; // a document to open is protected: it opens read-only
};

struct Done {
    bool ok = false;
    std::string message;
    bool barsChanged = false;
};

// One line our process sends while a request runs: an action to carry out, the end of
// the request, or nothing the extension knows (skipped).
using ReplyLine = std::variant<std::monostate, Action, Done>;
ReplyLine parseReplyLine(const std::string &line);

} // namespace relay
