#pragma once

#include <QString>
#include <vector>

namespace word
{

// A Find text compiled once: either plain text, matched ignoring case, or a wildcard
// pattern of literal characters, "?" (any one character), classes "[abc]", "[a-b]",
// "[!a-b]", and "\" before a character to be taken literally. An unclosed class is taken
// literally, as the characters it is written with.
class FindPattern
{
public:
    FindPattern(const QString &text, bool wildcards);

    // The first match in text[from, to): its start, and its length in matchLength;
    // -1 when there is none. An empty pattern never matches.
    int indexIn(const QString &text, int from, int to, int *matchLength) const;

private:
    struct Element {
        enum class Kind { Literal, Any, Class } kind = Kind::Literal;
        QChar literal;
        std::vector<std::pair<QChar, QChar>> ranges; // Class: inclusive bounds
        bool negated = false;
        bool matches(QChar c) const;
    };

    void compile(const QString &text);
    bool matchesAt(const QString &text, int position) const;

    QString m_plain;
    bool m_wildcards;
    std::vector<Element> m_elements;
};

} // namespace word
