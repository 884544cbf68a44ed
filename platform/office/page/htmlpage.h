#pragma once

#include "platform/common/result.h"
#include "platform/office/page/domedit.h"
#include "platform/office/page/pageencoding.h"
#include "platform/office/page/pagemodel.h"
#include "platform/office/page/textmap.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <libxml/HTMLparser.h>
#include <memory>
#include <optional>
#include <vector>

namespace office::page
{

// Two positions of the body's text that the page moves along with every edit.
struct LiveSpan {
    int start = 0;
    int end = 0;
};

// A web page read from an .html file, edited through the page model and written back.
// The page's encoding is kept; a save without changes writes the bytes that were read.
// Ranges and elements made from the page must not outlive it.
class HtmlPage final : public Document
{
public:
    // Reads and parses the page. Fails with a message naming the file when it cannot be
    // read, is too large, is not an HTML page, is cut off inside its markup or is not valid
    // in its encoding; the file is never changed.
    static platform::Result<std::unique_ptr<HtmlPage>> open(const QString &path);
    ~HtmlPage() override;

    // Writes the page to the file it came from, or to path: a temporary file in the same
    // folder renamed over the target, so a failed save leaves the old file whole.
    platform::Result<bool> save();
    platform::Result<bool> saveAs(const QString &path);

    QString path() const override { return m_path; }
    bool isModified() const { return m_modified; }
    QString encodingName() const { return m_encoding.name(); }
    // The whole page as HTML text, as a save would write it before encoding.
    QString html() const;

    // Called when an element asks to be scrolled into view, with the position where it
    // starts. The page has no view of its own; the host that shows it sets this.
    void setScrollHandler(std::function<void(int position, bool alignToTop)> handler);
    LiveSpan selectionSpan() const { return m_selection; }

    Body *body() override;
    Selection *selection() override;
    ImageCollection *images() override;
    QString fgColor() const override;

private:
    friend class HtmlTextRange;
    friend class HtmlElement;
    class PageBody;
    class PageSelection;
    class PageImages;

    HtmlPage(QString path, QByteArray bytes, PageEncoding encoding, htmlDocPtr doc);

    // What the page's ranges and elements work with.
    const TextMap &textMap() const;
    DomEditor &editor() { return m_editor; }
    xmlNodePtr bodyElement() const { return m_body; }
    void track(LiveSpan *span);
    void untrack(LiveSpan *span);
    // Changes the tree through change(), which replaces what lies between positions from
    // and to; then moves every live span and returns the span of the new content.
    LiveSpan edit(int from, int to, const std::function<void()> &change);
    // Replaces the content between from and to by what insert() adds at the point where it
    // was (placed as DomEditor says); returns the span of the new content.
    LiveSpan replace(int from, int to, DomEditor::Placement placement,
                     const std::function<void(DomPoint)> &insert);
    void setSelection(LiveSpan span) { m_selection = span; }
    // The page as a save writes it, in its encoding, which it declares.
    QByteArray encodedPage();
    void scrollTo(int position, bool alignToTop);

    QString m_path;
    QByteArray m_bytes; // As read, or as last saved.
    PageEncoding m_encoding;
    struct DocumentFree {
        void operator()(xmlDocPtr doc) const { xmlFreeDoc(doc); }
    };
    // Declared before the editor, which frees the nodes it took out while the document (and
    // its name dictionary) still exists.
    std::unique_ptr<xmlDoc, DocumentFree> m_doc;
    DomEditor m_editor;
    xmlNodePtr m_body;
    mutable std::optional<TextMap> m_map;
    bool m_modified = false;
    LiveSpan m_selection;
    std::vector<LiveSpan *> m_live; // Not owned; the ranges remove themselves.
    std::function<void(int, bool)> m_scrollHandler;
    std::unique_ptr<PageBody> m_bodyObject;
    std::unique_ptr<PageSelection> m_selectionObject;
    std::unique_ptr<PageImages> m_imagesObject;
};

} // namespace office::page
