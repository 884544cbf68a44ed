#include "comAddIn/libreoffice/commandurl.h"

#include <cstdio>

namespace relay
{

namespace
{

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// The bytes of text with each %XX replaced by its byte; nothing for a broken escape.
std::optional<std::string> percentDecoded(const std::string &text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            out += text[i];
            continue;
        }
        if (i + 2 >= text.size() || hexDigit(text[i + 1]) < 0 || hexDigit(text[i + 2]) < 0)
            return std::nullopt;
        out += static_cast<char>(hexDigit(text[i + 1]) * 16 + hexDigit(text[i + 2]));
        i += 2;
    }
    return out;
}

bool isValidUtf8(const std::string &text)
{
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        int length = 0;
        unsigned long code = 0;
        if (lead < 0x80) {
            ++i;
            continue;
        } else if (lead >= 0xC2 && lead < 0xE0) {
            length = 2;
            code = lead & 0x1F;
        } else if (lead >= 0xE0 && lead < 0xF0) {
            length = 3;
            code = lead & 0x0F;
        } else if (lead >= 0xF0 && lead < 0xF5) {
            length = 4;
            code = lead & 0x07;
        } else {
            return false;
        }
        if (i + length > text.size())
            return false;
        for (int k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80)
                return false;
            code = (code << 6) | (next & 0x3F);
        }
        const unsigned long smallest[] = {0, 0, 0x80, 0x800, 0x10000};
        if (code < smallest[length] || code > 0x10FFFF || (code >= 0xD800 && code < 0xE000))
            return false;
        i += length;
    }
    return true;
}

std::string percentEncoded(const std::string &text, bool keepSlash)
{
    std::string out;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        const bool plain = (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
                           (byte >= '0' && byte <= '9') || c == '-' || c == '_' || c == '.' ||
                           c == '~' || (keepSlash && c == '/');
        if (plain) {
            out += c;
        } else {
            char escaped[4];
            std::snprintf(escaped, sizeof escaped, "%%%02X", byte);
            out += escaped;
        }
    }
    return out;
}

} // namespace

std::string commandForTag(const std::string &tag)
{
    return commandPrefix + tag;
}

std::optional<std::string> tagOfCommand(const std::string &commandUrl)
{
    const std::string prefix(commandPrefix);
    if (commandUrl.compare(0, prefix.size(), prefix) != 0)
        return std::nullopt;
    std::optional<std::string> tag = percentDecoded(commandUrl.substr(prefix.size()));
    if (!tag || tag->empty() || !isValidUtf8(*tag))
        return std::nullopt;
    return tag;
}

std::string toolbarResourceUrl(const std::string &barName)
{
    std::string hex;
    for (const char c : barName) {
        char digits[3];
        std::snprintf(digits, sizeof digits, "%02x", static_cast<unsigned char>(c));
        hex += digits;
    }
    return toolbarPrefix + hex;
}

std::string localPathOfUrl(const std::string &url)
{
    const std::string scheme = "file://";
    if (url.compare(0, scheme.size(), scheme) != 0)
        return {};
    std::string rest = url.substr(scheme.size());
    // file://localhost/path names the same file as file:///path.
    if (rest.compare(0, 9, "localhost") == 0)
        rest.erase(0, 9);
    if (rest.empty() || rest.front() != '/')
        return {};
    return percentDecoded(rest).value_or(std::string());
}

std::string urlOfLocalPath(const std::string &path)
{
    return "file://" + percentEncoded(path, true);
}

} // namespace relay
