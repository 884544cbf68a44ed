#pragma once

#include "platform/office/word/font.h"

#include <QString>
#include <memory>

namespace word
{

enum class StoryType {
    MainText = 1,
    Footnotes = 2,
    Endnotes = 3,
    Comments = 4,
    TextFrame = 5,
    EvenPagesHeader = 6,
    PrimaryHeader = 7,
    EvenPagesFooter = 8,
    PrimaryFooter = 9,
    FirstPageHeader = 10,
    FirstPageFooter = 11,
};

enum class CollapseDirection { End = 0, Start = 1 };

// What Find.Execute takes. A wildcard pattern knows literal characters, "?" (any one
// character), "[abc]", "[a-b]" and "[!a-b]" (one character in or out of a class) and
// "\" before a character that is to be taken literally. Without wildcards the text is
// matched ignoring case. Searches run forward.
struct FindOptions {
    QString text;
    bool matchWildcards = false;
    // With replaceOne, the first match is replaced by replaceWith.
    QString replaceWith;
    bool replaceOne = false;
};

// A span of one story of a document, [start, end) in UTF-16 units counted from the
// story's start, hidden text included. Paragraph ends count one unit ("\r"), tabs "\t",
// line breaks "\v", pictures and shapes "\x01", note references "\x02". A range follows
// the edits made through other ranges of its story: positions after an edit move with the
// text. Once its document is closed, a range is empty and edits do nothing.
class Range
{
public:
    virtual ~Range() = default;

    virtual int start() const = 0;
    virtual int end() const = 0;
    virtual void setStart(int position) = 0;
    virtual void setEnd(int position) = 0;
    virtual void setRange(int start, int end) = 0;
    virtual StoryType storyType() const = 0;

    virtual QString text() const = 0;
    // The range then spans the new text, which takes the formatting of the first
    // replaced character (of the character before when the range was empty).
    virtual void setText(const QString &text) = 0;
    // Writes the text as Word writes text typed in its place: as setText, and each
    // private-use character (the operators and end-user-defined glyphs) takes the
    // properties of typed East Asian text, so it is drawn with the East Asian typeface.
    virtual void typeText(const QString &text) { setText(text); }
    // Extends the range over the text added at its end.
    virtual void insertAfter(const QString &text) = 0;
    // Deletes the range's text; false when there was nothing to delete.
    virtual bool deleteText() = 0;

    // On a match the range becomes the matched text (the replacement, after a replace)
    // and the result is true; otherwise the range stays. A collapsed range searches to
    // the end of its story, any other range within itself.
    virtual bool find(const FindOptions &options) = 0;

    virtual void collapse(CollapseDirection direction = CollapseDirection::Start) = 0;
    // Moves the end by count characters (backward when negative), not past the story's
    // ends nor before the start; returns the number of characters moved.
    virtual int moveEnd(int count = 1) = 0;
    // Moves the end forward until the next character in characters (backward for a
    // negative count), at most |count| characters; returns how many it moved, 0 when no
    // such character was met.
    virtual int moveEndUntil(const QString &characters, int count = 1073741823) = 0;

    virtual Font font() const = 0;
    virtual void setFont(const Font &font) = 0;

    // Makes the range the selection of its document's window.
    virtual void select() = 0;
};

} // namespace word
