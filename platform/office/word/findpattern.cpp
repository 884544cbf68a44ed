#include "platform/office/word/findpattern.h"

namespace word
{

bool FindPattern::Element::matches(QChar c) const
{
    switch (kind) {
    case Kind::Literal:
        return c == literal;
    case Kind::Any:
        return true;
    case Kind::Class:
        break;
    }
    bool inside = false;
    for (const auto &[low, high] : ranges) {
        if (c >= low && c <= high) {
            inside = true;
            break;
        }
    }
    return inside != negated;
}

FindPattern::FindPattern(const QString &text, bool wildcards) : m_wildcards(wildcards)
{
    if (wildcards)
        compile(text);
    else
        m_plain = text;
}

void FindPattern::compile(const QString &text)
{
    for (int i = 0; i < text.size(); ++i) {
        Element element;
        const QChar c = text.at(i);
        if (c == u'\\' && i + 1 < text.size()) {
            element.literal = text.at(++i);
        } else if (c == u'?') {
            element.kind = Element::Kind::Any;
        } else if (c == u'[' && text.indexOf(u']', i + 1) > i + 1) {
            const int close = text.indexOf(u']', i + 1);
            int k = i + 1;
            element.kind = Element::Kind::Class;
            if (text.at(k) == u'!' && k + 1 < close) {
                element.negated = true;
                ++k;
            }
            while (k < close) {
                const QChar low = text.at(k);
                if (k + 2 < close && text.at(k + 1) == u'-') {
                    element.ranges.emplace_back(low, text.at(k + 2));
                    k += 3;
                } else {
                    element.ranges.emplace_back(low, low);
                    ++k;
                }
            }
            i = close;
        } else {
            element.literal = c;
        }
        m_elements.push_back(std::move(element));
    }
}

bool FindPattern::matchesAt(const QString &text, int position) const
{
    for (const Element &element : m_elements) {
        if (!element.matches(text.at(position++)))
            return false;
    }
    return true;
}

int FindPattern::indexIn(const QString &text, int from, int to, int *matchLength) const
{
    from = std::max(from, 0);
    to = std::min(to, int(text.size()));
    if (!m_wildcards) {
        if (m_plain.isEmpty())
            return -1;
        const int found = text.indexOf(m_plain, from, Qt::CaseInsensitive);
        if (found < 0 || found + m_plain.size() > to)
            return -1;
        *matchLength = int(m_plain.size());
        return found;
    }
    const int length = int(m_elements.size());
    if (length == 0)
        return -1;
    const Element &first = m_elements.front();
    for (int position = from; position + length <= to; ++position) {
        if (first.matches(text.at(position)) && matchesAt(text, position)) {
            *matchLength = length;
            return position;
        }
    }
    return -1;
}

} // namespace word
