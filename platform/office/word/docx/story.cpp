#include "platform/office/word/docx/story.h"

#include "platform/office/package/xmlnodes.h"

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

bool named(const pugi::xml_node &node, const char *name)
{
    return std::strcmp(node.name(), name) == 0;
}

bool namedAnyOf(const pugi::xml_node &node, std::initializer_list<const char *> names)
{
    return std::any_of(names.begin(), names.end(),
                       [&node](const char *name) { return named(node, name); });
}

QString elementText(const pugi::xml_node &element)
{
    return QString::fromUtf8(element.child_value());
}

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

// The child of paragraph that holds node.
pugi::xml_node childOf(const pugi::xml_node &paragraph, pugi::xml_node node)
{
    while (node && node.parent() != paragraph)
        node = node.parent();
    return node;
}

int filledLength(const QString &text)
{
    return int(std::count_if(text.begin(), text.end(), [](QChar c) {
        return c == u'\t' || c == u'\v' || c == u'\f' ||
               (c.unicode() >= 0x20 && c.unicode() != 0xFFFE && c.unicode() != 0xFFFF);
    }));
}

} // namespace

Story::Story(StoryType type, QString part, std::vector<pugi::xml_node> containers,
             const StyleSheet *styles, std::function<void()> changed)
    : m_type(type), m_part(std::move(part)), m_containers(std::move(containers)), m_styles(styles),
      m_changed(std::move(changed))
{
    rebuildAll();
}

Story::~Story()
{
    close();
}

void Story::close()
{
    if (!m_open)
        return;
    m_open = false;
    m_paragraphs.clear();
    m_containers.clear();
    m_text.clear();
    const std::vector<StoryListener *> listeners = m_listeners;
    for (StoryListener *listener : listeners)
        listener->storyClosed();
}

void Story::addListener(StoryListener *listener)
{
    m_listeners.push_back(listener);
}

void Story::removeListener(StoryListener *listener)
{
    std::erase(m_listeners, listener);
}

// ---- The map from positions to elements ----

void Story::collectParagraphs(const pugi::xml_node &container)
{
    for (pugi::xml_node child : container.children()) {
        if (named(child, "w:p")) {
            Paragraph paragraph;
            paragraph.node = child;
            m_paragraphs.push_back(std::move(paragraph));
        } else if (namedAnyOf(child, {"w:tbl", "w:tr", "w:tc", "w:sdt", "w:sdtContent",
                                      "w:customXml", "w:ins", "w:moveTo", "w:smartTag"})) {
            collectParagraphs(child);
        }
    }
}

void Story::rebuildAll()
{
    m_paragraphs.clear();
    for (const pugi::xml_node &container : m_containers)
        collectParagraphs(container);
    m_text.clear();
    for (Paragraph &paragraph : m_paragraphs) {
        atomize(paragraph);
        paragraph.start = int(m_text.size());
        m_text += paragraph.text;
    }
}

void Story::rebuildParagraph(size_t index)
{
    Paragraph &paragraph = m_paragraphs[index];
    const int oldLength = int(paragraph.text.size());
    atomize(paragraph);
    const int delta = int(paragraph.text.size()) - oldLength;
    m_text.replace(paragraph.start, oldLength, paragraph.text);
    if (delta != 0) {
        for (size_t i = index + 1; i < m_paragraphs.size(); ++i)
            m_paragraphs[i].start += delta;
    }
}

void Story::atomize(Paragraph &paragraph) const
{
    paragraph.text.clear();
    paragraph.atoms.clear();
    paragraph.markers.clear();
    atomizeChildren(paragraph, paragraph.node);
    paragraph.atoms.push_back(
        {Atom::Kind::ParagraphEnd, paragraph.node, int(paragraph.text.size()), 1});
    paragraph.text += u'\r';
}

void Story::atomizeChildren(Paragraph &paragraph, const pugi::xml_node &parent) const
{
    for (pugi::xml_node child : parent.children())
        atomizeNode(paragraph, child);
}

void Story::atomizeNode(Paragraph &paragraph, const pugi::xml_node &child) const
{
    if (named(child, "w:r")) {
        atomizeRun(paragraph, child);
    } else if (named(child, "w:sdt")) {
        atomizeChildren(paragraph, child.child("w:sdtContent"));
    } else if (namedAnyOf(child, {"w:hyperlink", "w:smartTag", "w:customXml", "w:ins", "w:moveTo",
                                  "w:fldSimple", "w:dir", "w:bdo"})) {
        atomizeChildren(paragraph, child);
    } else if (namedAnyOf(child, {"w:bookmarkStart", "w:bookmarkEnd"})) {
        paragraph.markers.push_back({child, int(paragraph.text.size())});
    }
}

void Story::atomizeRun(Paragraph &paragraph, const pugi::xml_node &run) const
{
    for (pugi::xml_node child : run.children()) {
        const int at = int(paragraph.text.size());
        QChar character;
        Atom::Kind kind = Atom::Kind::Character;
        if (named(child, "w:t")) {
            const QString text = elementText(child);
            if (!text.isEmpty()) {
                paragraph.atoms.push_back({Atom::Kind::Text, child, at, int(text.size())});
                paragraph.text += text;
            }
            continue;
        }
        if (namedAnyOf(child, {"w:tab", "w:ptab"})) {
            character = u'\t';
        } else if (named(child, "w:br")) {
            const char *type = child.attribute("w:type").value();
            character = std::strcmp(type, "page") == 0 || std::strcmp(type, "column") == 0
                            ? QChar(u'\f')
                            : QChar(u'\v');
        } else if (named(child, "w:cr")) {
            character = u'\v';
        } else if (named(child, "w:sym")) {
            bool ok = false;
            const uint code = attributeText(child, "w:char").toUInt(&ok, 16);
            character = ok && code > 0 && code < 0x10000 ? QChar(char16_t(code)) : QChar(u'?');
        } else if (named(child, "w:noBreakHyphen")) {
            character = QChar(0x1E);
        } else if (named(child, "w:softHyphen")) {
            character = QChar(0x1F);
        } else if (namedAnyOf(child, {"w:drawing", "w:pict", "w:object", "mc:AlternateContent"})) {
            kind = Atom::Kind::Object;
            character = QChar(0x01);
        } else if (namedAnyOf(child, {"w:footnoteReference", "w:endnoteReference", "w:footnoteRef",
                                      "w:endnoteRef"})) {
            character = QChar(0x02);
        } else if (namedAnyOf(child, {"w:commentReference", "w:annotationRef"})) {
            character = QChar(0x05);
        } else {
            continue;
        }
        paragraph.atoms.push_back({kind, child, at, 1});
        paragraph.text += character;
    }
}

size_t Story::paragraphAt(int position) const
{
    const auto after = std::upper_bound(
        m_paragraphs.begin(), m_paragraphs.end(), position,
        [](int value, const Paragraph &paragraph) { return value < paragraph.start; });
    return after == m_paragraphs.begin() ? 0 : size_t(after - m_paragraphs.begin() - 1);
}

size_t Story::atomAt(const Paragraph &paragraph, int offset)
{
    const auto after =
        std::upper_bound(paragraph.atoms.begin(), paragraph.atoms.end(), offset,
                         [](int value, const Atom &atom) { return value < atom.start; });
    return after == paragraph.atoms.begin() ? 0 : size_t(after - paragraph.atoms.begin() - 1);
}

std::optional<Story::Window> Story::windowAround(int start, int end) const
{
    const size_t index = paragraphAt(start);
    const Paragraph &paragraph = m_paragraphs[index];
    const std::vector<Atom> &atoms = paragraph.atoms;
    const int first = start - paragraph.start - 1;
    const int last = end - paragraph.start;
    if (first >= last || last >= int(paragraph.text.size()))
        return std::nullopt;
    auto childOfAtom = [&paragraph](size_t i) {
        return childOf(paragraph.node, paragraph.atoms[i].node);
    };
    Window window{index, {}, {}, 0, 0, 0, 0};
    if (first >= 0) {
        size_t i = atomAt(paragraph, first);
        const pugi::xml_node child = childOfAtom(i);
        while (i > 0 && childOfAtom(i - 1) == child)
            --i;
        window.before = child.previous_sibling();
        window.firstAtom = i;
        window.textStart = atoms[i].start;
    }
    size_t j = atomAt(paragraph, last);
    if (atoms[j].kind != Atom::Kind::ParagraphEnd) {
        const pugi::xml_node child = childOfAtom(j);
        while (atoms[j + 1].kind != Atom::Kind::ParagraphEnd && childOfAtom(j + 1) == child)
            ++j;
        window.after = child.next_sibling();
        ++j;
    }
    window.endAtom = j;
    window.textEnd = atoms[j].start;
    // Markers are told apart by position on either side of a window that holds text.
    if (window.textStart == window.textEnd && (window.before || window.after))
        return std::nullopt;
    return window;
}

void Story::refresh(const std::optional<Window> &window, size_t index)
{
    if (!window) {
        rebuildParagraph(index);
        return;
    }
    Paragraph &paragraph = m_paragraphs[window->paragraph];
    Paragraph piece;
    std::vector<pugi::xml_node> children;
    for (pugi::xml_node child = window->before ? window->before.next_sibling()
                                               : paragraph.node.first_child();
         child && child != window->after; child = child.next_sibling()) {
        atomizeNode(piece, child);
        children.push_back(child);
    }
    const int textStart = window->textStart;
    const int oldLength = window->textEnd - textStart;
    const int delta = int(piece.text.size()) - oldLength;

    for (Atom &atom : piece.atoms)
        atom.start += textStart;
    auto &atoms = paragraph.atoms;
    for (auto atom = atoms.begin() + qsizetype(window->endAtom); atom != atoms.end(); ++atom)
        atom->start += delta;
    atoms.erase(atoms.begin() + qsizetype(window->firstAtom),
                atoms.begin() + qsizetype(window->endAtom));
    atoms.insert(atoms.begin() + qsizetype(window->firstAtom), piece.atoms.begin(),
                 piece.atoms.end());

    if (!paragraph.markers.empty() || !piece.markers.empty()) {
        auto inWindow = [&](const Marker &marker) {
            return std::find(children.begin(), children.end(),
                             childOf(paragraph.node, marker.node)) != children.end();
        };
        std::vector<Marker> markers;
        for (const Marker &marker : paragraph.markers) {
            if (!inWindow(marker) && marker.position <= textStart)
                markers.push_back(marker);
        }
        for (const Marker &marker : piece.markers)
            markers.push_back({marker.node, marker.position + textStart});
        for (const Marker &marker : paragraph.markers) {
            if (!inWindow(marker) && marker.position > textStart)
                markers.push_back({marker.node, marker.position + delta});
        }
        paragraph.markers = std::move(markers);
    }

    paragraph.text.replace(textStart, oldLength, piece.text);
    m_text.replace(paragraph.start + textStart, oldLength, piece.text);
    if (delta != 0) {
        for (size_t i = window->paragraph + 1; i < m_paragraphs.size(); ++i)
            m_paragraphs[i].start += delta;
    }
}

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

// ---- Edits ----

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

std::vector<std::pair<pugi::xml_node, int>> Story::markers(const char *name) const
{
    std::vector<std::pair<pugi::xml_node, int>> found;
    for (const Paragraph &paragraph : m_paragraphs) {
        for (const Marker &marker : paragraph.markers) {
            if (named(marker.node, name))
                found.emplace_back(marker.node, paragraph.start + marker.position);
        }
    }
    return found;
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

std::vector<std::pair<pugi::xml_node, int>> Story::objects() const
{
    std::vector<std::pair<pugi::xml_node, int>> found;
    for (const Paragraph &paragraph : m_paragraphs) {
        for (const Atom &atom : paragraph.atoms) {
            if (atom.kind == Atom::Kind::Object)
                found.emplace_back(atom.node, paragraph.start + atom.start);
        }
    }
    return found;
}

} // namespace word::docx
