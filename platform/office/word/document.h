#pragma once

#include "platform/common/result.h"
#include "platform/office/word/collection.h"
#include "platform/office/word/range.h"

#include <QString>
#include <memory>

namespace word
{

// A footnote, an endnote or a comment: its text is a range of its own.
class Note
{
public:
    virtual ~Note() = default;
    virtual std::unique_ptr<Range> range() = 0;
};

class Shape;

class TextFrame
{
public:
    virtual ~TextFrame() = default;
    // True when the frame holds at least one character.
    virtual bool hasText() const = 0;
    // The frame's text; an empty range on a shape without a text frame.
    virtual std::unique_ptr<Range> textRange() = 0;
};

// A floating shape: a text box, a picture, a drawing, or a group of shapes.
class Shape
{
public:
    // The shape kinds, numbered as the hosts number them.
    enum class Type { AutoShape = 1, Group = 6, Picture = 13, TextBox = 17 };

    virtual ~Shape() = default;
    virtual Type type() const = 0;
    // The shapes of a group, nested groups as items; empty for any other shape.
    virtual Collection<Shape> &groupItems() = 0;
    virtual TextFrame &textFrame() = 0;
};

// A picture in the text, one character of its story.
class InlineShape
{
public:
    virtual ~InlineShape() = default;
    virtual QString alternativeText() const = 0;
    virtual void setAlternativeText(const QString &text) = 0;
    // Makes the picture's character the selection.
    virtual void select() = 0;
    // Removes the picture and its character; the object must not be used afterwards.
    virtual void deleteShape() = 0;
};

class InlineShapes : public Collection<InlineShape>
{
public:
    // Puts the picture file in the document in place of the range's text (at the range
    // when it is empty). The picture is always stored in the document. Fails for a file
    // that is missing or not a picture.
    virtual platform::Result<InlineShape *> addPicture(const QString &fileName, Range &range) = 0;
};

enum class HeaderFooterIndex { Primary = 1, FirstPage = 2, EvenPages = 3 };

class HeaderFooter
{
public:
    virtual ~HeaderFooter() = default;
    // The header's or footer's text; an empty range when the section has none.
    virtual std::unique_ptr<Range> range() = 0;
    // The floating shapes of every header and footer of the document.
    virtual Collection<Shape> &shapes() = 0;
};

class PageSetup
{
public:
    virtual ~PageSetup() = default;
    virtual bool differentFirstPageHeaderFooter() const = 0;
    virtual bool oddAndEvenPagesHeaderFooter() const = 0;
};

class Section
{
public:
    virtual ~Section() = default;
    // A section without a header or footer of its own shows the previous section's.
    virtual HeaderFooter &headers(HeaderFooterIndex index) = 0;
    virtual HeaderFooter &footers(HeaderFooterIndex index) = 0;
    virtual PageSetup &pageSetup() = 0;
};

class Bookmarks
{
public:
    virtual ~Bookmarks() = default;
    // Adds a bookmark over the range, replacing one of the same name.
    virtual void add(const QString &name, const Range &range) = 0;
    virtual bool exists(const QString &name) const = 0;
    // The bookmark's range; nullptr when there is none of that name.
    virtual std::unique_ptr<Range> range(const QString &name) = 0;
    virtual void remove(const QString &name) = 0;
};

enum class ProtectionType {
    NoProtection = -1,
    AllowOnlyRevisions = 0,
    AllowOnlyComments = 1,
    AllowOnlyFormFields = 2,
    AllowOnlyReading = 3
};

// A document window: its selection and its view.
class Window
{
public:
    // The view types, numbered as the hosts number them.
    enum class ViewType { Normal = 1, Outline = 2, Print = 3, Web = 6 };

    virtual ~Window() = default;
    // Owned by the window; it may stand in any story of the document.
    virtual Range &selection() = 0;
    virtual ViewType viewType() const = 0;
    virtual void setViewType(ViewType type) = 0;
};

class Document
{
public:
    // The one file format the engine writes (Word documents, .docx).
    static constexpr int formatDocument = 0;

    virtual ~Document() = default;

    // "report.docx", "/home/user/docs", "/home/user/docs/report.docx".
    virtual QString name() const = 0;
    virtual QString path() const = 0;
    virtual QString fullName() const = 0;
    virtual int saveFormat() const = 0;

    // False after any change made since the document was opened or saved.
    virtual bool saved() const = 0;
    virtual platform::Result<bool> save() = 0;
    // Saves under path, which becomes the document's full name.
    virtual platform::Result<bool> saveAs(const QString &path) = 0;

    // The main text story.
    virtual std::unique_ptr<Range> content() = 0;
    virtual Window &activeWindow() = 0;

    virtual Collection<Note> &footnotes() = 0;
    virtual Collection<Note> &endnotes() = 0;
    virtual Collection<Note> &comments() = 0;
    // The floating shapes anchored in the main text.
    virtual Collection<Shape> &shapes() = 0;
    // The pictures in the main text, in text order.
    virtual InlineShapes &inlineShapes() = 0;
    virtual Collection<Section> &sections() = 0;
    virtual Bookmarks &bookmarks() = 0;

    virtual ProtectionType protectionType() const = 0;
    // Without a password; the protection is written to the document.
    virtual void protect(ProtectionType type) = 0;
    virtual void unprotect() = 0;
};

} // namespace word
