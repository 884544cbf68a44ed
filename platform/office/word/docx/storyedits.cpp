// The edits of a story: text replaced, objects and markers put in, paragraphs split and
// joined, with the runs cut and joined around them.
#include "platform/office/package/xmlnodes.h"
#include "platform/office/word/docx/story.h"
#include "platform/office/word/docx/storynodes.h"

#include <QStringList>
#include <algorithm>
#include <cstring>

namespace word::docx
{
namespace
{

// Edits copy the text of the run they change. A text longer than this is cut into runs of
// RunPieceLength characters before its first edit, and runs are joined again only up to
// JoinedRunBytes of text, so that an edit of a paragraph held in one long run copies a
// bounded part of it.
constexpr int LongestEditedText = 2048;
constexpr int RunPieceLength = 1024;
constexpr size_t JoinedRunBytes = 4096;

void setElementText(pugi::xml_node element, const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    pugi::xml_node data = element.first_child();
    if (!data || data.type() != pugi::node_pcdata) {
        element.remove_children();
        data = element.append_child(pugi::node_pcdata);
    }
    data.set_value(utf8.constData());
    if (!element.attribute("xml:space"))
        element.append_attribute("xml:space").set_value("preserve");
}

// A run that holds only text (and its formatting) can be joined with a neighbour.
bool isPlainTextRun(const pugi::xml_node &run)
{
    if (!named(run, "w:r"))
        return false;
    for (pugi::xml_node child : run.children()) {
        if (!named(child, "w:rPr") && !named(child, "w:t"))
            return false;
    }
    return true;
}

// The first child of a run that is content, not formatting.
bool hasContentBefore(const pugi::xml_node &node)
{
    for (pugi::xml_node sibling = node.previous_sibling(); sibling;
         sibling = sibling.previous_sibling()) {
        if (sibling.type() == pugi::node_element && !named(sibling, "w:rPr"))
            return true;
    }
    return false;
}

bool hasContent(const pugi::xml_node &run)
{
    for (pugi::xml_node child : run.children()) {
        if (child.type() == pugi::node_element && !named(child, "w:rPr"))
            return true;
    }
    return false;
}

// A new run after run holding node and every content element after it.
pugi::xml_node splitRunBefore(pugi::xml_node run, pugi::xml_node node)
{
    pugi::xml_node second = run.parent().insert_child_after("w:r", run);
    for (pugi::xml_attribute attribute : run.attributes())
        second.append_attribute(attribute.name()).set_value(attribute.value());
    if (pugi::xml_node properties = run.child("w:rPr"))
        second.append_copy(properties);
    for (pugi::xml_node moving = node; moving;) {
        pugi::xml_node next = moving.next_sibling();
        second.append_move(moving);
        moving = next;
    }
    return second;
}

// Cuts the text element into pieces of RunPieceLength characters, each after the first in a
// run of its own with the run's formatting.
void cutIntoRuns(pugi::xml_node text)
{
    const QString whole = elementText(text);
    std::vector<int> cuts;
    for (int cut = RunPieceLength; cut < whole.size(); cut += RunPieceLength) {
        if (whole.at(cut - 1).isHighSurrogate())
            ++cut; // a surrogate pair stays whole
        if (cut < whole.size())
            cuts.push_back(cut);
    }
    for (size_t i = cuts.size(); i-- > 0;) {
        const int end = i + 1 < cuts.size() ? cuts[i + 1] : int(whole.size());
        pugi::xml_node piece = text.parent().insert_child_after("w:t", text);
        setElementText(piece, whole.mid(cuts[i], end - cuts[i]));
        splitRunBefore(text.parent(), piece);
    }
    if (!cuts.empty())
        setElementText(text, whole.left(cuts.front()));
}

// The bytes of text a run holds.
size_t textBytes(const pugi::xml_node &run)
{
    size_t bytes = 0;
    for (pugi::xml_node text : run.children("w:t"))
        bytes += std::strlen(text.child_value());
    return bytes;
}

// The formatting a new run takes from a paragraph without text: its mark's, less the
// revision marks that belong to the mark alone.
void copyParagraphMarkFormatting(const pugi::xml_node &paragraph, pugi::xml_node run)
{
    const pugi::xml_node mark = paragraph.child("w:pPr").child("w:rPr");
    if (!mark)
        return;
    pugi::xml_node properties = run.prepend_copy(mark);
    for (const char *revision : {"w:ins", "w:del", "w:moveFrom", "w:moveTo", "w:rPrChange"})
        properties.remove_child(revision);
}

void fillText(pugi::xml_node run, const QString &text)
{
    QString pending;
    auto flush = [&]() {
        if (!pending.isEmpty())
            setElementText(run.append_child("w:t"), pending);
        pending.clear();
    };
    for (const QChar c : text) {
        if (c == u'\t') {
            flush();
            run.append_child("w:tab");
        } else if (c == u'\v') {
            flush();
            run.append_child("w:br");
        } else if (c == u'\f') {
            flush();
            run.append_child("w:br").append_attribute("w:type").set_value("page");
        } else if (c.unicode() >= 0x20 && c.unicode() != 0xFFFE && c.unicode() != 0xFFFF) {
            pending += c;
        }
    }
    flush();
}

int filledLength(const QString &text)
{
    return int(std::count_if(text.begin(), text.end(), [](QChar c) {
        return c == u'\t' || c == u'\v' || c == u'\f' ||
               (c.unicode() >= 0x20 && c.unicode() != 0xFFFE && c.unicode() != 0xFFFF);
    }));
}

} // namespace

// Nothing goes after the story's last paragraph end.
int Story::clampEdit(int position) const
{
    return std::clamp(position, 0, std::max(length() - 1, 0));
}

void Story::splitAt(int position)
{
    if (position <= 0 || position >= length())
        return;
    const size_t index = paragraphAt(position);
    Paragraph &paragraph = m_paragraphs[index];
    const int offset = position - paragraph.start;
    if (offset == 0)
        return;
    const Atom *atom = &paragraph.atoms[atomAt(paragraph, offset)];
    if (atom->kind == Atom::Kind::ParagraphEnd)
        return;
    if (atom->kind == Atom::Kind::Text && atom->length > LongestEditedText) {
        const std::optional<Window> window = windowAround(position, position);
        cutIntoRuns(atom->node);
        refresh(window, index);
        atom = &paragraph.atoms[atomAt(paragraph, offset)];
    }
    const std::optional<Window> window = windowAround(position, position);
    if (atom->start < offset) {
        const QString text = elementText(atom->node);
        const int cut = offset - atom->start;
        pugi::xml_node rest = atom->run().insert_child_after("w:t", atom->node);
        setElementText(rest, text.mid(cut));
        setElementText(atom->node, text.left(cut));
        splitRunBefore(atom->run(), rest);
    } else if (hasContentBefore(atom->node)) {
        splitRunBefore(atom->run(), atom->node);
    } else {
        return;
    }
    refresh(window, index);
}

pugi::xml_node Story::newRunAt(int start, int end)
{
    Paragraph &paragraph = m_paragraphs[paragraphAt(start)];
    const int offset = start - paragraph.start;
    const size_t index = atomAt(paragraph, offset);
    const Atom *at = paragraph.atoms[index].start == offset ? &paragraph.atoms[index] : nullptr;
    const Atom *before = nullptr;
    if (at != nullptr && index > 0 && paragraph.atoms[index - 1].kind != Atom::Kind::ParagraphEnd)
        before = &paragraph.atoms[index - 1];
    const bool atRun = at != nullptr && at->kind != Atom::Kind::ParagraphEnd;
    pugi::xml_node source;
    pugi::xml_node run;
    if (atRun && (start < end || before == nullptr)) {
        source = at->run();
        run = source.parent().insert_child_before("w:r", source);
    } else if (before != nullptr) {
        source = before->run();
        run = source.parent().insert_child_after("w:r", source);
    } else {
        run = paragraph.node.append_child("w:r");
        copyParagraphMarkFormatting(paragraph.node, run);
        return run;
    }
    if (pugi::xml_node properties = source.child("w:rPr"))
        run.append_copy(properties);
    return run;
}

bool Story::removeRange(int start, int end)
{
    std::vector<pugi::xml_node> joins;
    const size_t first = paragraphAt(start);
    const size_t last = paragraphAt(std::max(start, end - 1));
    for (size_t index = first; index <= last && index < m_paragraphs.size(); ++index) {
        const Paragraph &paragraph = m_paragraphs[index];
        for (size_t i = index == first ? atomAt(paragraph, start - paragraph.start) : 0;
             i < paragraph.atoms.size(); ++i) {
            const Atom &atom = paragraph.atoms[i];
            const int position = paragraph.start + atom.start;
            if (position >= end)
                break;
            if (position < start)
                continue;
            if (atom.kind == Atom::Kind::ParagraphEnd) {
                joins.push_back(paragraph.node);
                continue;
            }
            pugi::xml_node run = atom.run();
            run.remove_child(atom.node);
            if (!hasContent(run))
                run.parent().remove_child(run);
        }
    }
    bool joined = false;
    for (auto it = joins.rbegin(); it != joins.rend(); ++it) {
        pugi::xml_node paragraph = *it;
        pugi::xml_node next = paragraph.next_sibling();
        while (next && namedAnyOf(next, {"w:bookmarkStart", "w:bookmarkEnd", "w:proofErr",
                                         "w:commentRangeStart", "w:commentRangeEnd"}))
            next = next.next_sibling();
        // A paragraph before a table, or the last of its cell or story, keeps its end.
        if (!named(next, "w:p"))
            continue;
        paragraph.remove_child("w:pPr");
        for (pugi::xml_node child = next.first_child(); child;) {
            pugi::xml_node following = child.next_sibling();
            if (named(child, "w:pPr"))
                paragraph.prepend_move(child);
            else
                paragraph.append_move(child);
            child = following;
        }
        next.parent().remove_child(next);
        joined = true;
    }
    return joined;
}

void Story::splitParagraph(int position)
{
    splitAt(position);
    Paragraph &paragraph = m_paragraphs[paragraphAt(position)];
    const int offset = position - paragraph.start;
    pugi::xml_node second = paragraph.node.parent().insert_child_after("w:p", paragraph.node);
    if (pugi::xml_node properties = paragraph.node.child("w:pPr")) {
        second.append_copy(properties);
        // The section's properties go with the paragraph that now ends the section.
        properties.remove_child("w:sectPr");
    }
    const auto atom = std::find_if(paragraph.atoms.begin(), paragraph.atoms.end(),
                                   [offset](const Atom &a) { return a.start >= offset; });
    if (atom != paragraph.atoms.end() && atom->kind != Atom::Kind::ParagraphEnd) {
        pugi::xml_node top = atom->run();
        while (top.parent() != paragraph.node)
            top = top.parent();
        for (pugi::xml_node moving = top; moving;) {
            pugi::xml_node next = moving.next_sibling();
            second.append_move(moving);
            moving = next;
        }
    }
    rebuildAll();
}

void Story::mergeNeighbours(pugi::xml_node run)
{
    auto join = [](pugi::xml_node left, pugi::xml_node right) {
        if (!isPlainTextRun(left) || !isPlainTextRun(right) ||
            !office::xml::sameXml(left.child("w:rPr"), right.child("w:rPr")) ||
            textBytes(left) + textBytes(right) > JoinedRunBytes)
            return false;
        pugi::xml_node lastText = left.last_child();
        for (pugi::xml_node child = right.first_child(); child;) {
            pugi::xml_node next = child.next_sibling();
            if (named(child, "w:t")) {
                if (named(lastText, "w:t")) {
                    setElementText(lastText, elementText(lastText) + elementText(child));
                } else {
                    lastText = left.append_move(child);
                }
            }
            child = next;
        }
        right.parent().remove_child(right);
        return true;
    };
    pugi::xml_node previous = run.previous_sibling();
    if (join(previous, run))
        run = previous;
    join(run, run.next_sibling());
}

void Story::edited(int start, int end, int newLength)
{
    ++m_version;
    const std::vector<StoryListener *> listeners = m_listeners;
    for (StoryListener *listener : listeners)
        listener->storyEdited(start, end, newLength);
    if (m_changed)
        m_changed();
}

std::pair<int, int> Story::replace(int start, int end, const QString &text, Typed typed)
{
    if (!m_open || m_paragraphs.empty())
        return {0, 0};
    start = clampEdit(start);
    end = std::clamp(end, start, length());
    if (start == end && text.isEmpty())
        return {start, start};
    const int oldLength = length();
    const QStringList lines = QString(text)
                                  .replace(QLatin1String("\r\n"), QLatin1String("\r"))
                                  .replace(u'\n', u'\r')
                                  .split(u'\r');
    splitAt(start);
    splitAt(end);
    int position = start;
    bool rebuilt = false;
    std::optional<Window> window;
    if (start < end || filledLength(lines.first()) > 0) {
        window = windowAround(start, end);
        pugi::xml_node run = newRunAt(start, end);
        rebuilt = removeRange(start, end);
        fillText(run, lines.first());
        pugi::xml_node kept = run;
        if (!hasContent(run)) {
            kept = run.previous_sibling();
            run.parent().remove_child(run);
        }
        if (named(kept, "w:r"))
            mergeNeighbours(kept);
        position += filledLength(lines.first());
    }
    if (rebuilt || lines.size() > 1 || (start < end && !window))
        rebuildAll();
    else
        refresh(window, paragraphAt(start));
    for (qsizetype i = 1; i < lines.size(); ++i) {
        splitParagraph(position);
        ++position;
        if (filledLength(lines[i]) > 0) {
            pugi::xml_node run = newRunAt(position, position);
            fillText(run, lines[i]);
            mergeNeighbours(run);
            rebuildParagraph(paragraphAt(position));
            position += filledLength(lines[i]);
        }
    }
    if (typed == Typed::Yes)
        markPrivateUseAsEastAsian(start, position);
    edited(start, end, length() - oldLength + (end - start));
    return {start, position};
}

int Story::replaceWithObject(int start, int end, const std::function<void(pugi::xml_node)> &fill)
{
    if (!m_open || m_paragraphs.empty())
        return start;
    start = clampEdit(start);
    end = std::clamp(end, start, length());
    const int oldLength = length();
    splitAt(start);
    splitAt(end);
    const std::optional<Window> window = windowAround(start, end);
    pugi::xml_node run = newRunAt(start, end);
    const bool joined = removeRange(start, end);
    fill(run);
    if (joined || (start < end && !window))
        rebuildAll();
    else
        refresh(window, paragraphAt(start));
    edited(start, end, length() - oldLength + (end - start));
    return start;
}

void Story::insertMarker(int position, const std::function<void(pugi::xml_node)> &fill,
                         const char *name)
{
    if (!m_open || m_paragraphs.empty())
        return;
    position = clampEdit(position);
    splitAt(position);
    const size_t index = paragraphAt(position);
    Paragraph &paragraph = m_paragraphs[index];
    const int offset = position - paragraph.start;
    const auto atom = std::find_if(paragraph.atoms.begin(), paragraph.atoms.end(),
                                   [offset](const Atom &a) { return a.start >= offset; });
    pugi::xml_node marker;
    if (atom == paragraph.atoms.end() || atom->kind == Atom::Kind::ParagraphEnd) {
        marker = paragraph.node.append_child(name);
    } else {
        const pugi::xml_node run = atom->run();
        marker = run.parent().insert_child_before(name, run);
    }
    fill(marker);
    rebuildParagraph(index);
    ++m_version;
    if (m_changed)
        m_changed();
}

void Story::removeMarker(pugi::xml_node marker)
{
    for (size_t index = 0; index < m_paragraphs.size(); ++index) {
        const auto &markers = m_paragraphs[index].markers;
        if (std::any_of(markers.begin(), markers.end(),
                        [&marker](const Marker &m) { return m.node == marker; })) {
            marker.parent().remove_child(marker);
            rebuildParagraph(index);
            ++m_version;
            if (m_changed)
                m_changed();
            return;
        }
    }
}

} // namespace word::docx
