#pragma once

#include <optional>
#include <string>

// The URLs the extension reads and makes: the command URL of each mirrored control, the
// resource URL of each mirrored toolbar, the file URL of a document. All texts UTF-8.
namespace relay
{

inline constexpr const char commandPrefix[] = "vnd.murvel.addin:";
inline constexpr const char toolbarPrefix[] = "private:resource/toolbar/custom_murvel_";

// The command URL that dispatches the control with this tag.
std::string commandForTag(const std::string &tag);

// The tag of a command URL: the text after the prefix, raw or percent-encoded UTF-8.
// Nothing when the URL is another command, or the tag is empty or not valid UTF-8.
std::optional<std::string> tagOfCommand(const std::string &commandUrl);

// The resource URL of the toolbar mirroring the bar of that name: ASCII, one per name.
std::string toolbarResourceUrl(const std::string &barName);

// The local path of a file:// URL; empty for any other URL (a document never saved).
std::string localPathOfUrl(const std::string &url);

// The file:// URL of an absolute local path.
std::string urlOfLocalPath(const std::string &path);

} // namespace relay
