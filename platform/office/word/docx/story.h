#pragma once

#include "platform/office/word/docx/runproperties.h"
#include "platform/office/word/font.h"
#include "platform/office/word/range.h"

#include <QString>
#include <functional>
#include <optional>
#include <pugixml.hpp>
#include <vector>

namespace word::docx
{

// Told by a story when its text changed, so that positions held elsewhere follow.
class StoryListener
{
public:
    virtual ~StoryListener() = default;
    // [start, end) of the old text became newLength characters.
    virtual void storyEdited(int start, int end, int newLength) = 0;
    virtual void storyClosed() = 0;
};

// The text of one story (the main text, a note, a comment, a header or footer, a text
// box) over the paragraphs (w:p) of its XML containers, edited in place. Each paragraph
// maps its characters to the elements that hold them: w:t text, w:tab, w:br, w:cr, w:sym
// and the hyphens one character each, pictures and shapes "\x01", note references "\x02",
// comment references "\x05", and the paragraph's end "\r". Runs inside hyperlinks, fields
// (their results; codes do not count), content controls, smart tags and insertions take
// part; deleted text does not. Text in tables counts paragraph by paragraph.
class Story
{
public:
    // containers: the elements whose paragraphs make the story, in order. changed is
    // called after every edit.
    // part: the package part that holds the containers.
    Story(StoryType type, QString part, std::vector<pugi::xml_node> containers,
          const StyleSheet *styles, std::function<void()> changed);
    ~Story();
    Story(const Story &) = delete;
    Story &operator=(const Story &) = delete;

    StoryType type() const { return m_type; }
    const QString &part() const { return m_part; }
    const QString &text() const { return m_text; }
    int length() const { return int(m_text.size()); }
    bool isOpen() const { return m_open; }
    // Grows with every edit; lets callers keep what they derive from the story.
    unsigned version() const { return m_version; }

    // Replaces [start, end) by text, which takes the formatting of the first replaced
    // character, or of the character before an insertion point. "\r" and "\n" end a
    // paragraph, "\t" is a tab, "\v" a line break and "\f" a page break; other control
    // characters are dropped. Typed text's private-use characters are marked as typed
    // East Asian text (markTypedEastAsian), as Word marks them. Returns where the new text
    // starts and ends.
    enum class Typed { No, Yes };
    std::pair<int, int> replace(int start, int end, const QString &text, Typed typed = Typed::No);
    // Replaces [start, end) by one run that fill completes (a picture); the run counts as
    // one character. Returns its position.
    int replaceWithObject(int start, int end, const std::function<void(pugi::xml_node)> &fill);

    // The formatting of [start, end); of the character before an empty range.
    Font font(int start, int end) const;
    void setFont(int start, int end, const Font &font);

    // Puts a zero-width element (a bookmark's start or end) at position.
    void insertMarker(int position, const std::function<void(pugi::xml_node)> &fill,
                      const char *name);
    // Positions of the zero-width elements named name (w:bookmarkStart, ...) in order.
    std::vector<std::pair<pugi::xml_node, int>> markers(const char *name) const;
    void removeMarker(pugi::xml_node marker);

    // The picture and shape elements of the story's text with their positions.
    std::vector<std::pair<pugi::xml_node, int>> objects() const;

    void addListener(StoryListener *listener);
    void removeListener(StoryListener *listener);
    // The document is closing: the story becomes empty and tells its listeners.
    void close();

private:
    struct Atom {
        enum class Kind { Text, Character, Object, ParagraphEnd } kind;
        pugi::xml_node node; // the element in the run; the w:p for a paragraph's end
        int start;           // in the paragraph
        int length;
        pugi::xml_node run() const { return node.parent(); }
    };
    struct Marker {
        pugi::xml_node node;
        int position; // in the paragraph
    };
    struct Paragraph {
        pugi::xml_node node;
        int start = 0;
        QString text;
        std::vector<Atom> atoms;
        std::vector<Marker> markers;
    };

    // The children of one paragraph that an edit may change: those holding the characters
    // from the one before the edit to the one after it. Only they are mapped again, so an
    // edit costs the same at any place of a long paragraph.
    struct Window {
        size_t paragraph;
        pugi::xml_node before; // the child before them, left alone; null: from the first
        pugi::xml_node after;  // the child after them, left alone; null: to the last
        int textStart;         // what they held before the edit, in the paragraph
        int textEnd;
        size_t firstAtom;
        size_t endAtom;
    };

    void collectParagraphs(const pugi::xml_node &container);
    void rebuildAll();
    void rebuildParagraph(size_t index);
    void atomize(Paragraph &paragraph) const;
    void atomizeChildren(Paragraph &paragraph, const pugi::xml_node &parent) const;
    void atomizeNode(Paragraph &paragraph, const pugi::xml_node &child) const;
    void atomizeRun(Paragraph &paragraph, const pugi::xml_node &run) const;
    // Taken before an edit of [start, end); none when the edit reaches past its paragraph.
    std::optional<Window> windowAround(int start, int end) const;
    // Maps the window again after the edit; the whole paragraph index without a window.
    void refresh(const std::optional<Window> &window, size_t index);

    size_t paragraphAt(int position) const;
    // The atom that holds offset (a position in the paragraph).
    static size_t atomAt(const Paragraph &paragraph, int offset);
    int clampEdit(int position) const;
    // Makes position fall between two runs (or at a paragraph's start or end).
    void splitAt(int position);
    // A new run at position whose formatting follows the replaced or preceding text.
    pugi::xml_node newRunAt(int start, int end);
    // Removes the characters of [start, end); paragraph ends join paragraphs.
    bool removeRange(int start, int end);
    void splitParagraph(int position);
    void mergeNeighbours(pugi::xml_node run);
    void markPrivateUseAsEastAsian(int start, int end);
    void edited(int start, int end, int newLength);

    StoryType m_type;
    QString m_part;
    std::vector<pugi::xml_node> m_containers;
    const StyleSheet *m_styles;
    std::function<void()> m_changed;
    std::vector<Paragraph> m_paragraphs;
    QString m_text;
    std::vector<StoryListener *> m_listeners;
    unsigned m_version = 0;
    bool m_open = true;
};

} // namespace word::docx
