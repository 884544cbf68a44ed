// The formatting of a story's text, read and set run by run.
#include "platform/office/package/xmlnodes.h"
#include "platform/office/word/docx/story.h"
#include "platform/office/word/docx/storynodes.h"

#include <QStringList>
#include <algorithm>
#include <cstring>

namespace word::docx
{

// Each private-use character gets a run of its own (joined again with a like neighbour)
// with the East Asian typeface that the document shows it in.
void Story::markPrivateUseAsEastAsian(int start, int end)
{
    if (m_styles == nullptr)
        return;
    for (int position = start; position < end; ++position) {
        if (!isPrivateUse(m_text[position]))
            continue;
        splitAt(position);
        splitAt(position + 1);
        const size_t index = paragraphAt(position);
        const Paragraph &paragraph = m_paragraphs[index];
        const int offset = position - paragraph.start;
        const Atom &atom = paragraph.atoms[atomAt(paragraph, offset)];
        if (atom.start != offset || atom.kind != Atom::Kind::Text)
            continue;
        const pugi::xml_node run = atom.run();
        const std::optional<Window> window = windowAround(position, position + 1);
        const Font shown = m_styles->resolve(run, paragraph.node, true);
        markTypedEastAsian(run, shown.name.value_or(QString()));
        mergeNeighbours(run);
        refresh(window, index);
    }
}

Font Story::font(int start, int end) const
{
    Font result;
    if (!m_open || m_paragraphs.empty() || m_styles == nullptr)
        return result;
    start = std::clamp(start, 0, length());
    end = std::clamp(end, start, length());
    if (start == end) {
        // The formatting that text typed here would take: the character before.
        start = std::max(start - 1, 0);
        end = std::min(start + 1, length());
    }
    bool first = true;
    auto combine = [](auto &into, const auto &value) {
        if (into && *into != *value)
            into.reset();
    };
    for (size_t index = paragraphAt(start); index < m_paragraphs.size(); ++index) {
        const Paragraph &paragraph = m_paragraphs[index];
        if (paragraph.start >= end)
            break;
        for (const Atom &atom : paragraph.atoms) {
            const int position = paragraph.start + atom.start;
            if (position + atom.length <= start || position >= end)
                continue;
            const QStringView characters = QStringView(paragraph.text).mid(atom.start, atom.length);
            const bool eastAsian = std::any_of(characters.begin(), characters.end(), isEastAsian);
            const pugi::xml_node run =
                atom.kind == Atom::Kind::ParagraphEnd ? pugi::xml_node() : atom.run();
            const Font font = m_styles->resolve(run, paragraph.node, eastAsian);
            if (first) {
                result = font;
                first = false;
                continue;
            }
            combine(result.name, font.name);
            combine(result.size, font.size);
            combine(result.bold, font.bold);
            combine(result.italic, font.italic);
            combine(result.underline, font.underline);
            combine(result.strikeThrough, font.strikeThrough);
            combine(result.color, font.color);
            combine(result.hidden, font.hidden);
        }
    }
    return result;
}

void Story::setFont(int start, int end, const Font &font)
{
    if (!m_open || m_paragraphs.empty() || start >= end)
        return;
    start = std::clamp(start, 0, length());
    end = std::clamp(end, start, length());
    splitAt(start);
    splitAt(end);
    const std::optional<Window> window = windowAround(start, end);
    std::vector<pugi::xml_node> runs;
    std::vector<size_t> touched;
    for (size_t index = paragraphAt(start); index < m_paragraphs.size(); ++index) {
        const Paragraph &paragraph = m_paragraphs[index];
        if (paragraph.start >= end)
            break;
        touched.push_back(index);
        for (size_t i = touched.size() == 1 ? atomAt(paragraph, start - paragraph.start) : 0;
             i < paragraph.atoms.size(); ++i) {
            const Atom &atom = paragraph.atoms[i];
            const int position = paragraph.start + atom.start;
            if (position >= end)
                break;
            if (position < start || atom.kind == Atom::Kind::ParagraphEnd)
                continue;
            if (runs.empty() || runs.back() != atom.run())
                runs.push_back(atom.run());
        }
    }
    for (const pugi::xml_node &run : runs)
        applyFont(run, font);
    for (const pugi::xml_node &run : runs) {
        if (run.parent())
            mergeNeighbours(run);
    }
    if (window) {
        refresh(window, touched.front());
    } else {
        for (size_t index : touched)
            rebuildParagraph(index);
    }
    edited(start, end, end - start);
}

} // namespace word::docx
