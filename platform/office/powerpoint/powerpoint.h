#pragma once

#include "platform/common/result.h"
#include "platform/office/host/hostapplication.h"

#include <QString>
#include <memory>

// What the add-ins and tools use of the presentation host, one class per host object.
// Positions and lengths in text count UTF-16 units from 1; a paragraph break is "\r" and a
// line break "\v", as the host shows them.
namespace office::powerpoint
{

class Shape;
class Slide;

class Font
{
public:
    virtual ~Font() = default;
    // Empty when the text carries more than one typeface.
    virtual QString name() const = 0;
    // Sets the typeface of the text for every script it may hold (Latin and East Asian).
    virtual void setName(const QString &name) = 0;
};

class TextRange
{
public:
    virtual ~TextRange() = default;
    virtual int length() const = 0;
    virtual QString text() const = 0;
    // Replaces the range's text; the range then spans the new text, which takes the
    // formatting of the first replaced character.
    virtual void setText(const QString &text) = 0;
    // start from 1. A length left out (-1) gives one character; a start left out (-1) too,
    // the whole range.
    virtual std::unique_ptr<TextRange> characters(int start, int length = -1) = 0;
    virtual Font &font() = 0; // owned by the range
    // Replaces the first occurrence of findWhat that begins after the first after
    // characters; the replaced text, or nullptr when there is none.
    virtual std::unique_ptr<TextRange> replace(const QString &findWhat, const QString &replaceWhat,
                                               int after = 0, bool matchCase = false,
                                               bool wholeWords = false) = 0;
};

class TextFrame
{
public:
    virtual ~TextFrame() = default;
    virtual bool hasText() const = 0;
    virtual std::unique_ptr<TextRange> textRange() = 0;
};

class Cell
{
public:
    virtual ~Cell() = default;
    virtual Shape &shape() = 0; // owned by the cell; its text frame is the cell's text
};

class Table
{
public:
    virtual ~Table() = default;
    virtual int rowCount() const = 0;
    virtual int columnCount() const = 0;
    virtual Cell *cell(int row, int column) = 0; // from 1; nullptr outside the table
};

class Shape
{
public:
    // The host's numbers for the kinds of shape.
    enum class Type {
        AutoShape = 1,
        Group = 6,
        Line = 9,
        Picture = 13,
        Placeholder = 14,
        TextBox = 17,
        Table = 19,
        Other = -2
    };

    virtual ~Shape() = default;
    virtual Type type() const = 0;
    virtual int groupItemCount() const = 0;  // 0 for a shape that is no group
    virtual Shape *groupItem(int index) = 0; // from 1; owned by the group
    virtual bool hasTextFrame() const = 0;
    virtual TextFrame *textFrame() = 0; // nullptr without one; owned by the shape
    virtual bool hasTable() const = 0;
    virtual Table *table() = 0; // nullptr without one; owned by the shape
};

class Slide
{
public:
    virtual ~Slide() = default;
    virtual int slideIndex() const = 0;
    virtual int shapeCount() const = 0;
    virtual Shape *shape(int index) = 0; // from 1; owned by the slide
    // Shows this slide in the window, when its presentation is the one shown there.
    virtual void select() = 0;
};

class Presentation
{
public:
    // The formats SaveAs takes; every presentation is written in this host's own format.
    enum FileFormat { DefaultFormat = 1 };

    virtual ~Presentation() = default;
    virtual QString name() const = 0;
    virtual QString path() const = 0; // the folder, without a trailing separator
    virtual QString fullName() const = 0;
    virtual bool saved() const = 0;
    virtual platform::Result<bool> save() = 0;
    // fileName becomes the presentation's file. Fonts are never embedded: embedFonts is
    // taken for the host's sake and ignored.
    virtual platform::Result<bool> saveAs(const QString &fileName, int fileFormat = DefaultFormat,
                                          int embedFonts = -2) = 0;
    virtual void close() = 0; // without saving; deletes the presentation
    virtual int slideCount() const = 0;
    virtual Slide *slide(int index) = 0; // from 1; owned by the presentation
};

class Presentations
{
public:
    virtual ~Presentations() = default;
    virtual int count() const = 0;
    virtual Presentation *item(int index) = 0;           // from 1; owned by the collection
    virtual Presentation *item(const QString &name) = 0; // by full name or name
    // Opens the file and makes it the active presentation.
    virtual platform::Result<Presentation *> open(const QString &fileName, bool readOnly = false,
                                                  bool untitled = false,
                                                  bool withWindow = true) = 0;
};

class Selection
{
public:
    enum class Type { None = 0, Slides = 1, Shapes = 2, Text = 3 };
    virtual ~Selection() = default;
    virtual Type type() const = 0;
    // The selected text, or the insertion point; nullptr unless the type is Text.
    virtual std::unique_ptr<TextRange> textRange() = 0;
};

class View
{
public:
    virtual ~View() = default;
    virtual Slide *slide() = 0; // the slide shown; nullptr for an empty presentation
};

class DocumentWindow
{
public:
    enum ViewType { NormalView = 9 };
    virtual ~DocumentWindow() = default;
    virtual int viewType() const = 0;
    virtual void setViewType(int type) = 0;
    virtual View &view() = 0;
    virtual Selection &selection() = 0;
    // Keystrokes typed into the window; "{RIGHT}" moves the insertion point one character
    // right, or to the end of selected text.
    virtual void sendKeys(const QString &keys) = 0;
};

class Application : public HostApplication
{
public:
    QString name() const override { return hostName(HostKind::PowerPoint); }
    virtual Presentations &presentations() = 0;
    virtual Presentation *activePresentation() = 0; // nullptr when none is open
    virtual DocumentWindow *activeWindow() = 0;     // nullptr when none is open
    bool visible() const { return m_visible; }
    void setVisible(bool on) { m_visible = on; }

protected:
    // Only into selected text or an insertion point, after which the caret moves; a
    // selected slide or shape takes nothing.
    platform::Result<bool> typeIntoActiveDocument(const QString &text) override;

private:
    bool m_visible = false;
};

} // namespace office::powerpoint
