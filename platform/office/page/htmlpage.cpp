#include "platform/office/page/htmlpage.h"

#include "platform/office/host/filewriteguard.h"
#include "platform/office/page/htmlelement.h"
#include "platform/office/page/htmlnodes.h"
#include "platform/office/page/htmlparse.h"
#include "platform/office/page/htmltextrange.h"
#include "platform/office/page/htmlwriter.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>

namespace office::page
{
namespace
{

// Larger than any page a person edits.
constexpr qint64 kMaxPageBytes = 16 * 1024 * 1024;

using Opened = platform::Result<std::unique_ptr<HtmlPage>>;

QString fileLabel(const QString &path)
{
    return QFileInfo(path).fileName();
}

// True when the text has at least one tag of HTML (or an HTML doctype).
bool looksLikeHtml(const QString &text)
{
    static const QRegularExpression tag(
        QStringLiteral(R"(<(!doctype\s+html|[A-Za-z][A-Za-z0-9]*))"),
        QRegularExpression::CaseInsensitiveOption);
    QRegularExpressionMatchIterator matches = tag.globalMatch(text);
    for (int checked = 0; matches.hasNext() && checked < 200; ++checked) {
        const QString name = matches.next().captured(1).toLower();
        if (name.startsWith(QLatin1String("!doctype")) ||
            htmlTagLookup(reinterpret_cast<const xmlChar *>(name.toUtf8().constData())) != nullptr)
            return true;
    }
    return false;
}

xmlNodePtr findChild(xmlNodePtr parent, const char *name)
{
    for (xmlNodePtr child = parent->children; child != nullptr; child = child->next) {
        if (hasName(child, name))
            return child;
    }
    return nullptr;
}

// The page's first <body> in document order: the parser of a broken page may leave it
// inside another element, where a page written back no longer has it.
xmlNodePtr findBody(xmlNodePtr root)
{
    for (xmlNodePtr node = root; node != nullptr;) {
        if (hasName(node, "body"))
            return node;
        if (node->children != nullptr) {
            node = node->children;
            continue;
        }
        while (node != root && node->next == nullptr)
            node = node->parent;
        node = node == root ? nullptr : node->next;
    }
    return nullptr;
}

bool isStrayText(xmlNodePtr node)
{
    return node->type == XML_TEXT_NODE && !xmlIsBlankNode(node);
}

// Text that the parser left directly in <html> or <head> (a stray "<" of a broken tag) is
// written back where any parser reads it as the body's text: it is moved to the body's start
// now, in its order, so that the page's text is the same before and after a save.
void moveStrayTextIntoBody(xmlNodePtr root, xmlNodePtr body)
{
    xmlNodePtr branch = body; // the child of the root that holds the body
    while (branch->parent != root)
        branch = branch->parent;
    std::vector<xmlNodePtr> texts;
    for (xmlNodePtr child = root->children; child != nullptr && child != branch;
         child = child->next) {
        if (hasName(child, "head")) {
            for (xmlNodePtr inner = child->children; inner != nullptr; inner = inner->next) {
                if (isStrayText(inner))
                    texts.push_back(inner);
            }
        } else if (isStrayText(child)) {
            texts.push_back(child);
        }
    }
    if (texts.empty())
        return;
    QByteArray joined;
    for (xmlNodePtr text : texts) {
        joined += reinterpret_cast<const char *>(text->content);
        xmlUnlinkNode(text);
        xmlFreeNode(text);
    }
    // One node, which libxml2 may join with a text at the body's start.
    xmlNodePtr moved =
        xmlNewDocText(body->doc, reinterpret_cast<const xmlChar *>(joined.constData()));
    if (body->children != nullptr)
        xmlAddPrevSibling(body->children, moved);
    else
        xmlAddChild(body, moved);
}

// The page's <body>, made when the page has none (a head-only page, or text without tags).
xmlNodePtr ensureBody(htmlDocPtr doc)
{
    xmlNodePtr root = xmlDocGetRootElement(doc);
    if (root == nullptr) {
        root = xmlNewDocNode(doc, nullptr, reinterpret_cast<const xmlChar *>("html"), nullptr);
        xmlDocSetRootElement(doc, root);
    }
    xmlNodePtr body = findBody(root);
    if (body == nullptr)
        body = xmlNewChild(root, nullptr, reinterpret_cast<const xmlChar *>("body"), nullptr);
    moveStrayTextIntoBody(root, body);
    return body;
}

// The message for a page that did not parse whole.
QString parseFailureMessage(ParsedHtml::Failure failure, const QString &name)
{
    switch (failure) {
    case ParsedHtml::Failure::EndsInsideMarkup:
        return QStringLiteral("網頁檔案不完整，在標記中途結束：%1").arg(name);
    case ParsedHtml::Failure::TooDeep:
        return QStringLiteral("網頁的標記層次太深（超過 %1 層），無法完整讀取：%2")
            .arg(kMaxPageDepth)
            .arg(name);
    case ParsedHtml::Failure::None:
    case ParsedHtml::Failure::Incomplete:
        break;
    }
    return QStringLiteral("無法完整解析網頁：%1").arg(name);
}

} // namespace

class HtmlPage::PageBody final : public Body
{
public:
    explicit PageBody(HtmlPage &page) : m_page(page) {}
    std::unique_ptr<TextRange> createTextRange() override
    {
        return std::make_unique<HtmlTextRange>(m_page, 0, m_page.textMap().length());
    }

private:
    HtmlPage &m_page;
};

class HtmlPage::PageSelection final : public Selection
{
public:
    explicit PageSelection(HtmlPage &page) : m_page(page) {}
    void clear() override
    {
        const LiveSpan span = m_page.m_selection;
        if (span.start < span.end)
            m_page.replace(span.start, span.end, DomEditor::Placement::AtStart, [](DomPoint) {});
    }
    std::unique_ptr<TextRange> createRange() override
    {
        return std::make_unique<HtmlTextRange>(m_page, m_page.m_selection.start,
                                               m_page.m_selection.end);
    }

private:
    HtmlPage &m_page;
};

class HtmlPage::PageImages final : public ImageCollection
{
public:
    explicit PageImages(HtmlPage &page) : m_page(page) {}
    int length() const override { return static_cast<int>(images().size()); }
    std::unique_ptr<Element> item(int index) const override
    {
        const std::vector<xmlNodePtr> all = images();
        if (index < 0 || index >= static_cast<int>(all.size()))
            return nullptr;
        return std::make_unique<HtmlElement>(m_page, all[index]);
    }

private:
    std::vector<xmlNodePtr> images() const
    {
        std::vector<xmlNodePtr> all;
        const auto root = reinterpret_cast<xmlNodePtr>(m_page.m_doc.get());
        for (xmlNodePtr node = root->children; node != nullptr; node = nextInTree(node, root)) {
            if (hasName(node, "img"))
                all.push_back(node);
        }
        return all;
    }

    HtmlPage &m_page;
};

HtmlPage::HtmlPage(QString path, QByteArray bytes, PageEncoding encoding, htmlDocPtr doc)
    : m_path(std::move(path)), m_bytes(std::move(bytes)), m_encoding(std::move(encoding)),
      m_doc(doc), m_editor(doc), m_body(ensureBody(doc)),
      m_bodyObject(std::make_unique<PageBody>(*this)),
      m_selectionObject(std::make_unique<PageSelection>(*this)),
      m_imagesObject(std::make_unique<PageImages>(*this))
{
    m_editor.cutLongTexts(m_body);
}

HtmlPage::~HtmlPage() = default;

Opened HtmlPage::open(const QString &path)
{
    const QString name = fileLabel(path);
    QFile file(path);
    if (!file.exists())
        return Opened::failure(QStringLiteral("找不到網頁檔案：%1").arg(name));
    if (file.size() > kMaxPageBytes)
        return Opened::failure(QStringLiteral("網頁檔案太大（超過 16 MB）：%1").arg(name));
    if (!file.open(QIODevice::ReadOnly))
        return Opened::failure(QStringLiteral("無法讀取網頁檔案：%1").arg(name));
    QByteArray bytes = file.readAll();
    file.close();

    const std::optional<PageEncoding> encoding = PageEncoding::detect(bytes);
    if (!encoding)
        return Opened::failure(QStringLiteral("網頁使用本系統無法轉換的字元編碼：%1").arg(name));
    const std::optional<QString> text = encoding->decode(bytes);
    if (!text)
        return Opened::failure(QStringLiteral("網頁內容不是有效的 %1 文字，檔案可能已損毀：%2")
                                   .arg(encoding->name(), name));
    if (text->contains(QChar(0)) || !looksLikeHtml(*text))
        return Opened::failure(QStringLiteral("不是 HTML 網頁：%1").arg(name));

    // A page that did not parse whole is never taken: saving it would cut it short.
    const ParsedHtml parsed = parseHtmlDocument(*text);
    if (parsed.doc == nullptr)
        return Opened::failure(parseFailureMessage(parsed.failure, name));
    return Opened(
        std::unique_ptr<HtmlPage>(new HtmlPage(path, std::move(bytes), *encoding, parsed.doc)));
}

QString HtmlPage::html() const
{
    return writeHtmlDocument(m_doc.get());
}

platform::Result<bool> HtmlPage::save()
{
    return saveAs(m_path);
}

QByteArray HtmlPage::encodedPage()
{
    const QByteArray bytes = m_encoding.encode(html());
    const std::optional<PageEncoding> readAs = PageEncoding::detect(bytes);
    if (readAs && readAs->name().compare(m_encoding.name(), Qt::CaseInsensitive) == 0)
        return bytes;
    // An edit took the <meta> that declared the encoding (one in the body), and the page
    // would be read in another, or not at all: it declares its encoding first in its head.
    xmlNodePtr root = xmlDocGetRootElement(m_doc.get());
    xmlNodePtr head = findChild(root, "head");
    if (head == nullptr) {
        head =
            xmlNewDocNode(m_doc.get(), nullptr, reinterpret_cast<const xmlChar *>("head"), nullptr);
        if (root->children != nullptr)
            xmlAddPrevSibling(root->children, head);
        else
            xmlAddChild(root, head);
    }
    xmlNodePtr meta =
        xmlNewDocNode(m_doc.get(), nullptr, reinterpret_cast<const xmlChar *>("meta"), nullptr);
    xmlNewProp(meta, reinterpret_cast<const xmlChar *>("charset"),
               reinterpret_cast<const xmlChar *>(m_encoding.name().toUtf8().constData()));
    if (head->children != nullptr)
        xmlAddPrevSibling(head->children, meta);
    else
        xmlAddChild(head, meta);
    return m_encoding.encode(html());
}

platform::Result<bool> HtmlPage::saveAs(const QString &path)
{
    const auto failed = [&path](const QString &reason) {
        return platform::Result<bool>::failure(
            QStringLiteral("無法儲存網頁：%1（%2）").arg(fileLabel(path), reason));
    };
    if (const std::optional<QString> refused = office::FileWriteGuard::refusal(path))
        return failed(*refused);
    const QByteArray bytes = m_modified ? encodedPage() : m_bytes;
    if (const std::optional<QString> failure = office::FileWriteGuard::write(path, bytes))
        return failed(*failure);
    m_path = path;
    m_bytes = bytes;
    m_modified = false;
    return true;
}

void HtmlPage::setScrollHandler(std::function<void(int, bool)> handler)
{
    m_scrollHandler = std::move(handler);
}

Body *HtmlPage::body()
{
    return m_bodyObject.get();
}

Selection *HtmlPage::selection()
{
    return m_selectionObject.get();
}

ImageCollection *HtmlPage::images()
{
    return m_imagesObject.get();
}

QString HtmlPage::fgColor() const
{
    const QString colour = attributeOf(m_body, "text");
    return colour.isEmpty() ? QStringLiteral("#000000") : colour;
}

const TextMap &HtmlPage::textMap() const
{
    if (!m_map)
        m_map.emplace(m_body);
    return *m_map;
}

void HtmlPage::track(LiveSpan *span)
{
    m_live.push_back(span);
}

void HtmlPage::untrack(LiveSpan *span)
{
    m_live.erase(std::remove(m_live.begin(), m_live.end(), span), m_live.end());
}

LiveSpan HtmlPage::edit(int from, int to, const std::function<void()> &change)
{
    const int oldLength = textMap().length();
    const TextMap::Region region = m_map->regionAround(from, to);
    change();
    m_map->update(region);
    m_modified = true;
    const int delta = m_map->length() - oldLength;
    // A replaced span's new content starts where the old one did. A start point at the place
    // of a pure insertion moves past the new text; an end point there stays before it.
    auto follow = [&](LiveSpan &span) {
        const bool inserting = from == to;
        auto moved = [&](int position, bool isStart) {
            if (position < from || (position == from && !(inserting && isStart)))
                return position;
            return position < to ? from : std::max(from, position + delta);
        };
        span.start = moved(span.start, true);
        span.end = std::max(span.start, moved(span.end, false));
    };
    for (LiveSpan *span : m_live)
        follow(*span);
    follow(m_selection);
    return {from, std::max(from, to + delta)};
}

LiveSpan HtmlPage::replace(int from, int to, DomEditor::Placement placement,
                           const std::function<void(DomPoint)> &insert)
{
    return edit(from, to, [&] {
        const TextMap &map = textMap();
        if (from < to)
            m_editor.replaceContents(map.startPoint(from), map.endPoint(to), placement, insert);
        else
            insert(map.insertionPoint(from));
    });
}

void HtmlPage::scrollTo(int position, bool alignToTop)
{
    if (m_scrollHandler)
        m_scrollHandler(position, alignToTop);
}

} // namespace office::page
