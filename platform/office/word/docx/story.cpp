// A story: its paragraphs, and the map from its positions to the XML nodes that hold them.
#include "platform/office/word/docx/story.h"

#include "platform/office/package/xmlnodes.h"
#include "platform/office/word/docx/storynodes.h"

#include <QStringList>
#include <algorithm>
#include <cstring>

namespace word::docx
{
namespace
{

// The child of paragraph that holds node.
pugi::xml_node childOf(const pugi::xml_node &paragraph, pugi::xml_node node)
{
    while (node && node.parent() != paragraph)
        node = node.parent();
    return node;
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
