#pragma once

#include <QString>
#include <QVariant>
#include <memory>

// The page model of the web-page host: what the add-ins use of the page open in the editor.
//
// Positions count UTF-16 units of the body's text, which is, in document order:
//  - the characters of every text node under <body> as written; script and style contents,
//    comments and the blank layout text beside blocks (the source's line breaks and
//    indents between paragraphs, rows and cells) are not text;
//  - U+FFFC for each image, so that a range can cover a picture;
//  - "\n" for each line break, and one "\n" after each block (paragraph, heading, list item,
//    table cell, ...) that ends after some text, so that the texts of two blocks never join.
// Position 0 is before the first unit; the body's length is after the last. Every operation
// clamps positions to that span. Ranges are live: an edit through any range, element or the
// selection moves the positions of the other ranges that lie after it, and a position inside
// replaced content goes to the start of the replacement.
namespace office::page
{

class Element;
class TextRange;

// The end points that setEndPoint joins: "StartToEnd" moves this range's start to the
// source's end, and so on.
enum class EndPoint { StartToStart, StartToEnd, EndToStart, EndToEnd };

// Where insertAdjacentText puts its text, relative to the element's tags.
enum class AdjacentPosition { BeforeBegin, AfterBegin, BeforeEnd, AfterEnd };

// A span of the body's text. The unit of every move is one character (one UTF-16 unit).
class TextRange
{
public:
    virtual ~TextRange() = default;

    // A new range over the same span. Owned by the caller.
    virtual std::unique_ptr<TextRange> duplicate() const = 0;
    // Makes the range empty at its start (toStart) or its end.
    virtual void collapse(bool toStart = true) = 0;
    // Collapses the range to its start and moves it by count characters (negative moves
    // back). Returns the number of characters actually moved, with count's sign.
    virtual int move(int count) = 0;
    // Move only the start or the end; an end point that passes the other drags it along.
    virtual int moveStart(int count) = 0;
    virtual int moveEnd(int count) = 0;
    // An empty range grows to cover the character after it. False when nothing changed
    // (the range already covers whole characters, or it stands at the end of the body).
    virtual bool expand() = 0;
    // Searches forward from the range's start to the end of the body for text, case and
    // width exact, across element boundaries. On a match the range covers it and true is
    // returned; otherwise the range is unchanged.
    virtual bool findText(const QString &text) = 0;
    // Sets one end point of this range to one of source's. An end point set beyond the
    // other one collapses the range there.
    virtual void setEndPoint(EndPoint how, const TextRange &source) = 0;

    virtual QString text() const = 0;
    // Replaces the range's content by plain text, which takes the formatting of the place it
    // goes to; the range then covers the new text.
    virtual void setText(const QString &text) = 0;
    // The range's content as HTML, with the tags of the elements it covers in part.
    virtual QString htmlText() const = 0;
    // Replaces the range's content by the given HTML; the range then covers what was pasted.
    virtual void pasteHTML(const QString &html) = 0;

    // The innermost element that holds the whole range. Owned by the caller.
    virtual std::unique_ptr<Element> parentElement() const = 0;
    // Makes this span the page's selection.
    virtual void select() = 0;

    // The formatting of the range's first character (the one before an empty range):
    // "FontName" (text), "FontSize" (the HTML size 1..7 as a number), "ForeColor"
    // (0x00BBGGRR as a number); a Null value when the page does not set it or the
    // command is unknown. Command names match without regard to case.
    virtual QVariant queryCommandValue(const QString &command) const = 0;
    // "Bold", "Italic", "Underline": true when the first character has that style.
    virtual bool queryCommandState(const QString &command) const = 0;
};

// An element of the page. Once the element has been removed from the page, reading gives
// what it held and changing it does nothing.
class Element
{
public:
    virtual ~Element() = default;

    // The element's alternative text (the alt attribute), empty when it has none.
    virtual QString alt() const = 0;
    virtual QString outerHTML() const = 0;
    // Replaces the element, tags included, by the given HTML; empty text removes it.
    virtual void setOuterHTML(const QString &html) = 0;
    virtual void insertAdjacentText(AdjacentPosition where, const QString &text) = 0;
    virtual void scrollIntoView(bool alignToTop = true) = 0;
};

// The body of the page.
class Body
{
public:
    virtual ~Body() = default;

    // A range over the whole body. Owned by the caller.
    virtual std::unique_ptr<TextRange> createTextRange() = 0;
};

// The images of the page, in document order; the collection follows every change.
class ImageCollection
{
public:
    virtual ~ImageCollection() = default;

    virtual int length() const = 0;
    // Image index (0-based); null outside 0..length()-1. Owned by the caller.
    virtual std::unique_ptr<Element> item(int index) const = 0;
};

// The page's selection: a span, empty at the caret.
class Selection
{
public:
    virtual ~Selection() = default;

    // Deletes the selected content; the selection becomes the caret where it stood.
    virtual void clear() = 0;
    // A range over the selection. Owned by the caller.
    virtual std::unique_ptr<TextRange> createRange() = 0;
};

// The page open in the editor.
class Document
{
public:
    virtual ~Document() = default;

    // The file the page was read from (and is saved to).
    virtual QString path() const = 0;
    // Owned by the document.
    virtual Body *body() = 0;
    virtual Selection *selection() = 0;
    virtual ImageCollection *images() = 0;
    // The page's text colour as "#RRGGBB" (the body's text attribute), "#000000" when the
    // page sets none.
    virtual QString fgColor() const = 0;
};

} // namespace office::page
