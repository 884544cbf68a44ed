#include "comAddIn/libreoffice/jsonvalue.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace relay
{

const JsonValue *JsonValue::member(const std::string &name) const
{
    const JsonObject *object = asObject();
    if (!object)
        return nullptr;
    const auto found = object->find(name);
    return found == object->end() ? nullptr : &found->second;
}

bool JsonValue::boolMember(const std::string &name, bool fallback) const
{
    const JsonValue *value = member(name);
    const bool *flag = value ? value->asBool() : nullptr;
    return flag ? *flag : fallback;
}

std::string JsonValue::stringMember(const std::string &name) const
{
    const JsonValue *value = member(name);
    const std::string *text = value ? value->asString() : nullptr;
    return text ? *text : std::string();
}

namespace
{

void appendString(std::string &out, const std::string &text)
{
    out += '"';
    for (const char c : text) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
                out += escaped;
            } else {
                out += c;
            }
        }
    }
    out += '"';
}

void appendValue(std::string &out, const JsonValue &value)
{
    if (const bool *flag = value.asBool()) {
        out += *flag ? "true" : "false";
    } else if (const double *number = value.asNumber()) {
        char text[32];
        if (std::isfinite(*number))
            std::snprintf(text, sizeof text, "%.17g", *number);
        else
            std::snprintf(text, sizeof text, "null");
        out += text;
    } else if (const std::string *string = value.asString()) {
        appendString(out, *string);
    } else if (const JsonArray *array = value.asArray()) {
        out += '[';
        for (std::size_t i = 0; i < array->size(); ++i) {
            if (i)
                out += ',';
            appendValue(out, (*array)[i]);
        }
        out += ']';
    } else if (const JsonObject *object = value.asObject()) {
        out += '{';
        bool first = true;
        for (const auto &[name, member] : *object) {
            if (!first)
                out += ',';
            first = false;
            appendString(out, name);
            out += ':';
            appendValue(out, member);
        }
        out += '}';
    } else {
        out += "null";
    }
}

void appendUtf8(std::string &out, unsigned long code)
{
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// A recursive-descent reader; nesting is bounded so that a hostile line cannot exhaust
// the stack of the office process.
class Reader
{
public:
    explicit Reader(const std::string &text) : m_text(text) {}

    std::optional<JsonValue> document()
    {
        std::optional<JsonValue> value = readValue(0);
        skipSpace();
        if (!value || m_pos != m_text.size())
            return std::nullopt;
        return value;
    }

private:
    static constexpr int maxDepth = 64;

    void skipSpace()
    {
        while (m_pos < m_text.size() && (m_text[m_pos] == ' ' || m_text[m_pos] == '\t' ||
                                         m_text[m_pos] == '\n' || m_text[m_pos] == '\r'))
            ++m_pos;
    }

    bool take(char c)
    {
        skipSpace();
        if (m_pos < m_text.size() && m_text[m_pos] == c) {
            ++m_pos;
            return true;
        }
        return false;
    }

    bool takeWord(const char *word)
    {
        const std::string w(word);
        if (m_text.compare(m_pos, w.size(), w) != 0)
            return false;
        m_pos += w.size();
        return true;
    }

    std::optional<JsonValue> readValue(int depth)
    {
        if (depth > maxDepth)
            return std::nullopt;
        skipSpace();
        if (m_pos >= m_text.size())
            return std::nullopt;
        const char c = m_text[m_pos];
        if (c == '{')
            return readObject(depth);
        if (c == '[')
            return readArray(depth);
        if (c == '"') {
            std::optional<std::string> text = readString();
            return text ? std::optional<JsonValue>(JsonValue(std::move(*text))) : std::nullopt;
        }
        if (takeWord("true"))
            return JsonValue(true);
        if (takeWord("false"))
            return JsonValue(false);
        if (takeWord("null"))
            return JsonValue();
        return readNumber();
    }

    std::optional<JsonValue> readObject(int depth)
    {
        ++m_pos;
        JsonObject object;
        if (take('}'))
            return JsonValue(std::move(object));
        do {
            skipSpace();
            std::optional<std::string> name = readString();
            if (!name || !take(':'))
                return std::nullopt;
            std::optional<JsonValue> value = readValue(depth + 1);
            if (!value)
                return std::nullopt;
            object[*name] = std::move(*value);
        } while (take(','));
        if (!take('}'))
            return std::nullopt;
        return JsonValue(std::move(object));
    }

    std::optional<JsonValue> readArray(int depth)
    {
        ++m_pos;
        JsonArray array;
        if (take(']'))
            return JsonValue(std::move(array));
        do {
            std::optional<JsonValue> value = readValue(depth + 1);
            if (!value)
                return std::nullopt;
            array.push_back(std::move(*value));
        } while (take(','));
        if (!take(']'))
            return std::nullopt;
        return JsonValue(std::move(array));
    }

    std::optional<unsigned long> readHex4()
    {
        if (m_pos + 4 > m_text.size())
            return std::nullopt;
        unsigned long code = 0;
        for (int i = 0; i < 4; ++i) {
            const char h = m_text[m_pos++];
            code <<= 4;
            if (h >= '0' && h <= '9')
                code |= h - '0';
            else if (h >= 'a' && h <= 'f')
                code |= h - 'a' + 10;
            else if (h >= 'A' && h <= 'F')
                code |= h - 'A' + 10;
            else
                return std::nullopt;
        }
        return code;
    }

    std::optional<std::string> readString()
    {
        if (m_pos >= m_text.size() || m_text[m_pos] != '"')
            return std::nullopt;
        ++m_pos;
        std::string out;
        while (m_pos < m_text.size()) {
            const char c = m_text[m_pos++];
            if (c == '"')
                return out;
            if (static_cast<unsigned char>(c) < 0x20)
                return std::nullopt;
            if (c != '\\') {
                out += c;
                continue;
            }
            if (m_pos >= m_text.size())
                return std::nullopt;
            const char escape = m_text[m_pos++];
            switch (escape) {
            case '"':
            case '\\':
            case '/':
                out += escape;
                break;
            case 'b':
                out += '\b';
                break;
            case 'f':
                out += '\f';
                break;
            case 'n':
                out += '\n';
                break;
            case 'r':
                out += '\r';
                break;
            case 't':
                out += '\t';
                break;
            case 'u': {
                std::optional<unsigned long> code = readHex4();
                if (!code)
                    return std::nullopt;
                if (*code >= 0xD800 && *code < 0xDC00) {
                    if (!takeWord("\\u"))
                        return std::nullopt;
                    std::optional<unsigned long> low = readHex4();
                    if (!low || *low < 0xDC00 || *low >= 0xE000)
                        return std::nullopt;
                    code = 0x10000 + ((*code - 0xD800) << 10) + (*low - 0xDC00);
                } else if (*code >= 0xDC00 && *code < 0xE000) {
                    return std::nullopt;
                }
                appendUtf8(out, *code);
                break;
            }
            default:
                return std::nullopt;
            }
        }
        return std::nullopt;
    }

    std::optional<JsonValue> readNumber()
    {
        const std::size_t start = m_pos;
        while (m_pos < m_text.size() &&
               std::string_view("+-0123456789.eE").find(m_text[m_pos]) != std::string_view::npos)
            ++m_pos;
        if (m_pos == start)
            return std::nullopt;
        const std::string digits = m_text.substr(start, m_pos - start);
        char *end = nullptr;
        const double number = std::strtod(digits.c_str(), &end);
        if (end != digits.c_str() + digits.size())
            return std::nullopt;
        return JsonValue(number);
    }

    const std::string &m_text;
    std::size_t m_pos = 0;
};

} // namespace

std::string JsonValue::serialized() const
{
    std::string out;
    appendValue(out, *this);
    return out;
}

std::optional<JsonValue> parseJson(const std::string &text)
{
    return Reader(text).document();
}

} // namespace relay
