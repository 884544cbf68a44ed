#include "platform/jet/likepattern.h"

#include <QList>

namespace jet
{

namespace
{

std::u32string toCodePoints(const QString &text)
{
    const QList<uint> ucs4 = text.toUcs4();
    return std::u32string(ucs4.begin(), ucs4.end());
}

// Bytes in the UTF-8 sequence that starts with the byte; 0 for a byte that cannot start one.
int sequenceLength(unsigned char lead)
{
    if (lead < 0x80)
        return 1;
    if (lead < 0xC0)
        return 0;
    if (lead < 0xE0)
        return 2;
    if (lead < 0xF0)
        return 3;
    return lead < 0xF8 ? 4 : 0;
}

} // namespace

LikePattern::LikePattern(std::u32string_view pattern)
{
    compile(pattern);
}

LikePattern::LikePattern(const QString &pattern)
{
    compile(toCodePoints(pattern));
}

void LikePattern::compile(std::u32string_view pattern)
{
    using Kind = Token::Kind;
    for (size_t at = 0; at < pattern.size();) {
        const char32_t c = pattern[at];
        if (c == U'[') {
            at = compileSet(pattern, at);
            if (at == std::u32string_view::npos) {
                m_valid = false;
                m_tokens.clear();
                return;
            }
            continue;
        }
        if (c == U'*') {
            // Runs of * mean the same as one.
            if (m_tokens.empty() || m_tokens.back().kind != Kind::AnyRun)
                m_tokens.emplace_back(Kind::AnyRun);
        } else if (c == U'?') {
            m_tokens.emplace_back(Kind::AnyOne);
        } else if (c == U'#') {
            m_tokens.emplace_back(Kind::Digit);
        } else {
            m_tokens.emplace_back(Kind::Literal, c);
        }
        ++at;
    }
}

size_t LikePattern::compileSet(std::u32string_view pattern, size_t at)
{
    const size_t close = pattern.find(U']', at + 1);
    if (close == std::u32string_view::npos)
        return close;
    std::u32string_view body = pattern.substr(at + 1, close - at - 1);
    if (body.empty())
        return close + 1; // [] matches the empty string: no token
    Token set(Token::Kind::Set);
    if (body.front() == U'!' && body.size() > 1) {
        set.negated = true;
        body.remove_prefix(1);
    }
    for (size_t i = 0; i < body.size(); ++i) {
        const bool isRange = i + 2 < body.size() && body[i + 1] == U'-';
        if (!isRange) {
            set.ranges.push_back({body[i], body[i]});
            continue;
        }
        if (body[i + 2] < body[i])
            return std::u32string_view::npos;
        set.ranges.push_back({body[i], body[i + 2]});
        i += 2;
    }
    m_tokens.push_back(std::move(set));
    return close + 1;
}

bool LikePattern::Token::matchesOne(char32_t c) const
{
    switch (kind) {
    case Kind::AnyOne:
        return true;
    case Kind::Digit:
        return c >= U'0' && c <= U'9';
    case Kind::Literal:
        return c == character;
    case Kind::Set: {
        bool inSet = false;
        for (const Range &range : ranges)
            inSet = inSet || (c >= range.first && c <= range.last);
        return inSet != negated;
    }
    case Kind::AnyRun:
        break;
    }
    return false;
}

bool LikePattern::matches(std::u32string_view text) const
{
    if (!m_valid)
        return false;
    // Greedy matching with backtracking to the last *: every other token takes exactly one
    // character, so on a mismatch the last * takes one more character and matching resumes.
    constexpr size_t none = size_t(-1);
    size_t token = 0;
    size_t at = 0;
    size_t starToken = none;
    size_t starText = 0;
    while (at < text.size()) {
        if (token < m_tokens.size() && m_tokens[token].kind == Token::Kind::AnyRun) {
            starToken = token++;
            starText = at;
        } else if (token < m_tokens.size() && m_tokens[token].matchesOne(text[at])) {
            ++token;
            ++at;
        } else if (starToken != none) {
            token = starToken + 1;
            at = ++starText;
        } else {
            return false;
        }
    }
    while (token < m_tokens.size() && m_tokens[token].kind == Token::Kind::AnyRun)
        ++token;
    return token == m_tokens.size();
}

bool LikePattern::matches(const QString &text) const
{
    return matches(toCodePoints(text));
}

std::u32string LikePattern::requiredCharacters() const
{
    std::u32string required;
    const auto add = [&](char32_t c) {
        if (required.find(c) == std::u32string::npos)
            required.push_back(c);
    };
    for (const Token &token : m_tokens) {
        if (token.kind == Token::Kind::Literal)
            add(token.character);
        else if (token.kind == Token::Kind::Set && !token.negated && token.ranges.size() == 1 &&
                 token.ranges.front().first == token.ranges.front().last)
            add(token.ranges.front().first);
    }
    return required;
}

std::u32string decodeUtf8(std::string_view utf8)
{
    std::u32string result;
    decodeUtf8(utf8, result);
    return result;
}

void decodeUtf8(std::string_view utf8, std::u32string &result)
{
    result.clear();
    result.reserve(utf8.size());
    for (size_t at = 0; at < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[at]);
        const int length = sequenceLength(lead);
        bool wellFormed = length > 0 && at + length <= utf8.size();
        // The lead byte's payload: 7 bits alone, else 6, 5 or 4 bits before 1, 2 or 3 more.
        char32_t code = length <= 1 ? lead : lead & (0x3F >> (length - 1));
        for (int i = 1; wellFormed && i < length; ++i) {
            const auto next = static_cast<unsigned char>(utf8[at + i]);
            wellFormed = (next & 0xC0) == 0x80;
            code = (code << 6) | (next & 0x3F);
        }
        result.push_back(wellFormed ? code : U'\uFFFD');
        at += wellFormed ? length : 1;
    }
}

} // namespace jet
