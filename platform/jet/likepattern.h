#pragma once

#include <QString>
#include <string>
#include <string_view>
#include <vector>

namespace jet
{

// A pattern of Jet's LIKE operator, matched on whole characters (code points):
//   *  any run of characters, also none      ?  any one character
//   #  any one digit 0-9                      [abc]  one of the characters
//   [!abc]  one character not among them     [a-z]  one character in the range
// Inside brackets *, ? and # stand for themselves; a - first or last in the brackets is a
// hyphen; [] matches nothing, not even one character. Comparison is exact (binary), like
// every other comparison of this layer. An unclosed [ or a descending range makes the
// pattern invalid.
class LikePattern
{
public:
    explicit LikePattern(std::u32string_view pattern);
    explicit LikePattern(const QString &pattern);

    bool isValid() const { return m_valid; }
    // False for an invalid pattern.
    bool matches(std::u32string_view text) const;
    bool matches(const QString &text) const;
    // The characters that every matching text holds: the literals and the one-character
    // sets, each once, in pattern order. Empty for an invalid pattern.
    std::u32string requiredCharacters() const;

private:
    struct Range {
        char32_t first;
        char32_t last;
    };
    struct Token {
        enum class Kind { AnyRun, AnyOne, Digit, Literal, Set };
        explicit Token(Kind kind, char32_t character = 0) : kind(kind), character(character) {}
        Kind kind;
        char32_t character;        // Literal
        bool negated = false;      // Set
        std::vector<Range> ranges; // Set
        bool matchesOne(char32_t c) const;
    };

    void compile(std::u32string_view pattern);
    // Reads the set that starts after the [ at pattern[at]; returns the position after its
    // ], or npos when the set is not closed or holds a descending range.
    size_t compileSet(std::u32string_view pattern, size_t at);

    std::vector<Token> m_tokens;
    bool m_valid = true;
};

// The code points of UTF-8 text; a malformed byte becomes U+FFFD.
std::u32string decodeUtf8(std::string_view utf8);
// The same into `codePoints`, replacing what it held: a caller decoding many texts reuses
// one buffer.
void decodeUtf8(std::string_view utf8, std::u32string &codePoints);

} // namespace jet
