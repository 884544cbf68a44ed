#pragma once

#include "platform/office/package/package.h"
#include "platform/office/word/document.h"
#include "platform/office/word/docx/docxrange.h"
#include "platform/office/word/docx/runproperties.h"
#include "platform/office/word/docx/story.h"

#include <map>
#include <memory>
#include <vector>

namespace word::docx
{

class DocxShape;
class DocxInlineShapes;
class DocxSection;

// A collection that owns its items, made by the engine.
template<typename Item, typename Owned> class OwningList : public Collection<Item>
{
public:
    int count() const override { return int(m_items.size()); }
    Item *item(int index) override
    {
        return index < 1 || index > count() ? nullptr : m_items[size_t(index - 1)].get();
    }
    std::vector<std::unique_ptr<Owned>> &items() { return m_items; }

private:
    std::vector<std::unique_ptr<Owned>> m_items;
};

// Shapes found in a story's text, groups with their items.
using ShapeList = OwningList<Shape, DocxShape>;

// A note, a comment or a header's text: a story of its own.
class StoryNote : public Note
{
public:
    StoryNote(DocxDocument *document, std::shared_ptr<Story> story)
        : m_document(document), m_story(std::move(story))
    {
    }
    std::unique_ptr<Range> range() override;
    const std::shared_ptr<Story> &story() const { return m_story; }

private:
    DocxDocument *m_document;
    std::shared_ptr<Story> m_story;
};

using NoteList = OwningList<Note, StoryNote>;

class DocxWindow : public Window
{
public:
    DocxWindow(DocxDocument *document, std::shared_ptr<Story> story)
        : m_selection(document, std::move(story), 0, 0)
    {
    }
    Range &selection() override { return m_selection; }
    DocxRange &docxSelection() { return m_selection; }
    ViewType viewType() const override { return m_viewType; }
    void setViewType(ViewType type) override { m_viewType = type; }

private:
    DocxRange m_selection;
    ViewType m_viewType = ViewType::Print;
};

// A .docx file opened for editing. The package's XML is edited in place; parts that no
// edit touched are saved back byte for byte.
class DocxDocument : public Document, private Bookmarks
{
public:
    static platform::Result<std::unique_ptr<DocxDocument>> open(const QString &path);
    ~DocxDocument() override;

    QString name() const override;
    QString path() const override;
    QString fullName() const override { return m_fullName; }
    int saveFormat() const override { return formatDocument; }

    bool saved() const override { return m_saved; }
    platform::Result<bool> save() override;
    platform::Result<bool> saveAs(const QString &path) override;

    std::unique_ptr<Range> content() override;
    Window &activeWindow() override { return *m_window; }

    Collection<Note> &footnotes() override { return m_footnotes; }
    Collection<Note> &endnotes() override { return m_endnotes; }
    Collection<Note> &comments() override { return m_comments; }
    Collection<Shape> &shapes() override;
    InlineShapes &inlineShapes() override;
    Collection<Section> &sections() override;
    Bookmarks &bookmarks() override { return *this; }

    ProtectionType protectionType() const override;
    void protect(ProtectionType type) override;
    void unprotect() override;

    // ---- For the engine's other objects ----
    void select(const std::shared_ptr<Story> &story, int start, int end);
    std::unique_ptr<Range> rangeOver(const std::shared_ptr<Story> &story);
    // The story of a text frame's w:txbxContent, made on first use. alternate: the
    // mc:AlternateContent whose fallback copy goes stale once the text changes.
    std::shared_ptr<Story> textFrameStory(pugi::xml_node content, pugi::xml_node alternate,
                                          const QString &part);
    std::shared_ptr<Story> mainStory() const { return m_main; }
    office::Package &package() { return *m_package; }
    const StyleSheet &styles() const { return m_styles; }
    bool evenAndOddHeaders() const;
    // A wp:docPr id that no drawing of the document uses yet.
    int newDrawingId();
    // Builds the floating shapes of a story's text.
    void collectShapes(const Story &story, const QString &part, ShapeList &into);
    void changed(const QString &part);

private:
    DocxDocument() = default;
    QString load(const QString &path);
    std::shared_ptr<Story> makeStory(StoryType type, const QString &part,
                                     std::vector<pugi::xml_node> containers);
    void loadNotes(const char *relationship, const char *element, StoryType type, NoteList &into,
                   QString *error);
    pugi::xml_node settings(bool create);
    QString relatedPart(const QString &typeSuffix) const;

    // Bookmarks
    void add(const QString &name, const Range &range) override;
    bool exists(const QString &name) const override;
    std::unique_ptr<Range> range(const QString &name) override;
    void remove(const QString &name) override;
    std::vector<std::shared_ptr<Story>> allStories() const;
    std::pair<std::shared_ptr<Story>, pugi::xml_node> findBookmark(const QString &name) const;

    std::unique_ptr<office::Package> m_package;
    QString m_fullName;
    QString m_mainPart;
    bool m_saved = true;
    StyleSheet m_styles;
    std::shared_ptr<Story> m_main;
    std::vector<std::shared_ptr<Story>> m_stories; // every story made, for bookmarks and close
    std::map<QString, std::shared_ptr<Story>> m_headerStories; // by part
    std::map<pugi::xml_node_struct *, std::shared_ptr<Story>> m_frameStories;
    NoteList m_footnotes;
    NoteList m_endnotes;
    NoteList m_comments;
    std::unique_ptr<ShapeList> m_shapes;
    std::unique_ptr<DocxInlineShapes> m_inlineShapes;
    std::vector<std::unique_ptr<ShapeList>> m_oldShapes; // lists handed out before a rebuild
    std::vector<pugi::xml_node> m_shapeElements;
    std::unique_ptr<Collection<Section>> m_sections;
    std::unique_ptr<ShapeList> m_headerShapes;
    std::unique_ptr<DocxWindow> m_window;
    int m_lastDrawingId = -1;
};

} // namespace word::docx
