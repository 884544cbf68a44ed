#include "platform/office/page/verbatimmarkup.h"

#include "platform/common/asciichars.h"
#include "platform/office/page/characterreference.h"
#include "platform/office/page/htmlnodes.h"
#include "platform/office/page/htmlwriter.h"

#include <algorithm>

namespace office::page
{
namespace
{

using platform::isAsciiDigit;
using platform::isAsciiLetter;

bool startsAt(const QString &text, qsizetype at, QLatin1StringView word)
{
    return QStringView(text).sliced(at).startsWith(word, Qt::CaseInsensitive);
}

// The blanks of libxml2's HTML parser, which ends names and unquoted values at them.
bool isBlank(QChar ch)
{
    return ch == u' ' || ch == u'\t' || ch == u'\n' || ch == u'\r';
}

// True at the "/>" that closes an empty element's tag.
bool closesEmptyTagAt(const QString &text, qsizetype at)
{
    return text[at] == u'/' && at + 1 < text.size() && text[at + 1] == u'>';
}

qsizetype skipBlanks(const QString &text, qsizetype at)
{
    while (at < text.size() && isBlank(text[at]))
        ++at;
    return at;
}

// The index after the tag or attribute name at `at`, as libxml2 reads one: a letter, "_",
// ":" or "." first, then also digits and "-", at most 100 characters (the rest starts the
// next name); `at` when no name starts there.
qsizetype nameEnd(const QString &text, qsizetype at)
{
    constexpr qsizetype kMaxNameLength = 100;
    const auto isNameStart = [](QChar ch) {
        return isAsciiLetter(ch) || ch == u'_' || ch == u':' || ch == u'.';
    };
    if (at >= text.size() || !isNameStart(text[at]))
        return at;
    const qsizetype last = std::min(text.size(), at + kMaxNameLength);
    qsizetype end = at;
    while (end < last && (isNameStart(text[end]) || isAsciiDigit(text[end]) || text[end] == u'-'))
        ++end;
    return end;
}

// The elements whose content the parser takes as raw text.
QLatin1StringView rawTextElementAt(const QString &text, qsizetype nameAt)
{
    for (QLatin1StringView name : {QLatin1StringView("script"), QLatin1StringView("style")}) {
        if (startsAt(text, nameAt, name) && nameEnd(text, nameAt) == nameAt + name.size())
            return name;
    }
    return {};
}

// Where a tag ends, as libxml2 reads it: the index of its ">" (-1 when there is none),
// whether a quoted value was left open, and whether the tag closes its element itself.
struct TagEnd {
    qsizetype at = -1;
    bool quoteLeftOpen = false;
    bool closesItself = false;
};

// An end tag ends at its first ">". A start tag holds attributes after its name: a quoted
// value may hold ">", where anything that is no attribute name is skipped up to a blank or
// the tag's end; "/>" closes the element, but not as part of an unquoted value. A quote
// left open gives the first ">", as a parser that gives up on the value goes on there.
TagEnd tagEnd(const QString &text, qsizetype from)
{
    if (text[from + 1] == u'/')
        return {text.indexOf(u'>', from)};
    qsizetype at = skipBlanks(text, nameEnd(text, from + 1));
    while (at < text.size() && text[at] != u'>') {
        if (closesEmptyTagAt(text, at))
            return {at + 1, false, true};
        const qsizetype attributeEnd = nameEnd(text, at);
        if (attributeEnd == at) {
            while (at < text.size() && !isBlank(text[at]) && text[at] != u'>' &&
                   !closesEmptyTagAt(text, at))
                ++at;
        } else {
            at = skipBlanks(text, attributeEnd);
            if (at < text.size() && text[at] == u'=') {
                at = skipBlanks(text, at + 1);
                if (at < text.size() && (text[at] == u'"' || text[at] == u'\'')) {
                    const qsizetype close = text.indexOf(text[at], at + 1);
                    if (close < 0)
                        return {text.indexOf(u'>', from), true};
                    at = close + 1;
                } else {
                    while (at < text.size() && !isBlank(text[at]) && text[at] != u'>')
                        ++at;
                }
            }
        }
        at = skipBlanks(text, at);
    }
    return {at < text.size() ? at : -1};
}

// The index after the comment opened at `from` ("<!-->" and "<!--->" are empty comments,
// "--!>" closes one too, as in a browser); -1 when it is never closed.
qsizetype commentEnd(const QString &text, qsizetype from)
{
    const qsizetype content = from + 4;
    if (startsAt(text, content, QLatin1StringView(">")))
        return content + 1;
    if (startsAt(text, content, QLatin1StringView("->")))
        return content + 2;
    const qsizetype close = text.indexOf(QLatin1StringView("--"), content);
    for (qsizetype at = close; at >= 0; at = text.indexOf(QLatin1StringView("--"), at + 1)) {
        if (startsAt(text, at + 2, QLatin1StringView(">")))
            return at + 3;
        if (startsAt(text, at + 2, QLatin1StringView("!>")))
            return at + 4;
    }
    return -1;
}

// The index after the declaration or processing instruction opened at `from`: its first
// ">", or for a doctype with an internal subset the "]>" that ends the subset (the first
// ">" again when no "]>" follows, as a browser reads it). -1 when it is never closed.
qsizetype declarationEnd(const QString &text, qsizetype from)
{
    const qsizetype close = text.indexOf(u'>', from);
    if (close < 0)
        return -1;
    const qsizetype subset = QStringView(text).sliced(from, close - from).indexOf(u'[');
    if (subset < 0 || !startsAt(text, from, QLatin1StringView("<!doctype")))
        return close + 1;
    for (qsizetype bracket = text.indexOf(u']', from + subset); bracket >= 0;
         bracket = text.indexOf(u']', bracket + 1)) {
        qsizetype after = bracket + 1;
        while (after < text.size() && text[after].isSpace())
            ++after;
        if (after < text.size() && text[after] == u'>')
            return after + 1;
    }
    return close + 1;
}

// The index of the end tag that closes raw text begun at `from`; -1 when there is none.
qsizetype rawTextEnd(const QString &text, qsizetype from, QLatin1StringView name)
{
    const QString endTag = QLatin1StringView("</") + name;
    for (qsizetype at = text.indexOf(endTag, from, Qt::CaseInsensitive); at >= 0;
         at = text.indexOf(endTag, at + 1, Qt::CaseInsensitive)) {
        if (nameEnd(text, at + 2) == at + endTag.size())
            return at;
    }
    return -1;
}

} // namespace

VerbatimMarkup::VerbatimMarkup(const QString &text, Tags tags) : m_keepTags(tags == Tags::AsRead)
{
    for (int n = 0; m_prefix.isEmpty() || text.contains(m_prefix); ++n)
        m_prefix = QStringLiteral("verbatim%1:").arg(n);

    qsizetype textFrom = 0; // where the text after the last markup begins
    for (qsizetype at = text.indexOf(u'<'); at >= 0 && at + 1 < text.size();
         at = text.indexOf(u'<', at)) {
        maskReferences(text, textFrom, at);
        const QChar next = text[at + 1];
        qsizetype end = -1;
        if (startsAt(text, at, QLatin1StringView("<!--"))) {
            end = commentEnd(text, at);
            if (end >= 0)
                mask(text, at, end, Placeholder::Comment);
        } else if (next == u'!' || next == u'?') {
            end = declarationEnd(text, at);
            if (end >= 0)
                mask(text, at, end, Placeholder::Comment);
        } else if (isAsciiLetter(next) ||
                   (next == u'/' && at + 2 < text.size() && isAsciiLetter(text[at + 2]))) {
            const TagEnd tag = tagEnd(text, at);
            end = tag.at;
            // The parser takes "<script/>" as an empty element.
            const bool opensContent = end >= 0 && next != u'/' && !tag.closesItself;
            const QLatin1StringView raw =
                opensContent ? rawTextElementAt(text, at + 1) : QLatin1StringView();
            if (end >= 0)
                ++end;
            // A value left open may run on past the tag for libxml2: the tag is kept only
            // where the two read it alike. The writer takes a kept tag that ends in "/>" for
            // one that closes its element, which "<a b=c/>" does not.
            if (end >= 0 && next != u'/' && !tag.quoteLeftOpen &&
                tag.closesItself == (text[end - 2] == u'/'))
                markStartTag(text, at, end);
            // The end tag of raw text is the parser's end of the text, where no placeholder
            // may stand.
            if (m_keepTags && end >= 0 && next == u'/' && rawTextElementAt(text, at + 2).isEmpty())
                markEndTag(text, at, end);
            if (!raw.isEmpty()) {
                // Raw text left open runs to the end of the page, as the parser reads it.
                const qsizetype close = rawTextEnd(text, end, raw);
                if (close > end)
                    mask(text, end, close, Placeholder::RawText);
                end = close < 0 ? text.size() : close;
            }
        } else {
            end = at + 1;
        }
        if (end < 0) {
            m_endsInsideMarkup = true;
            break;
        }
        at = end;
        textFrom = end;
    }
    if (!m_endsInsideMarkup)
        maskReferences(text, textFrom, text.size());
    m_masked += QStringView(text).sliced(m_copied);
}

void VerbatimMarkup::maskReferences(const QString &text, qsizetype from, qsizetype to)
{
    for (qsizetype at = text.indexOf(u'&', from); at >= 0 && at < to; at = text.indexOf(u'&', at)) {
        const CharacterReference reference =
            characterReferenceAt(QStringView(text).first(to), at, false);
        // An "&" that starts no reference is one too: the writer would escape it.
        const qsizetype length = std::max<qsizetype>(reference.length, 1);
        m_meanings[m_pieces.size()] = reference.length > 0 ? reference.meaning : u"&"_qs;
        mask(text, at, at + length, Placeholder::Comment);
        at += length;
    }
}

void VerbatimMarkup::markStartTag(const QString &text, qsizetype from, qsizetype to)
{
    // The marker goes right after the name, where libxml2 reads the attributes from.
    const QStringView tag = QStringView(text).sliced(from, to - from);
    const qsizetype nameLength = nameEnd(text, from + 1) - from;
    m_masked += QStringView(text).sliced(m_copied, from - m_copied);
    m_masked += tag.first(nameLength);
    m_masked += QStringLiteral(" %1tag=\"%2\"").arg(m_prefix).arg(m_startTags.size());
    m_masked += withPlainReferences(tag.sliced(nameLength), true);
    m_copied = to;
    m_startTags << tag.toString();
}

void VerbatimMarkup::markEndTag(const QString &text, qsizetype from, qsizetype to)
{
    m_endTags.insert(m_pieces.size());
    // The placeholder goes before the tag, which stays for the parser.
    mask(text, from, to, Placeholder::Comment);
    m_masked += m_pieces.back();
}

void VerbatimMarkup::restoreEndTag(xmlNodePtr placeholder, const QString &tag) const
{
    xmlNodePtr element = placeholder->parent;
    const QByteArray name = tag.sliced(2, nameEnd(tag, 2) - 2).toUtf8();
    // The writer's own form needs no keeping.
    if (placeholder->next == nullptr && element != nullptr && element->type == XML_ELEMENT_NODE &&
        xmlStrcasecmp(element->name, reinterpret_cast<const xmlChar *>(name.constData())) == 0 &&
        tag != QLatin1StringView("</") +
                   QString::fromUtf8(reinterpret_cast<const char *>(element->name)) +
                   QLatin1Char('>'))
        keepEndTag(element, tag);
}

void VerbatimMarkup::mask(const QString &text, qsizetype from, qsizetype to,
                          Placeholder placeholder)
{
    const QString marker = m_prefix + QString::number(m_pieces.size());
    m_pieces << text.sliced(from, to - from);
    m_masked += QStringView(text).sliced(m_copied, from - m_copied);
    m_masked +=
        placeholder == Placeholder::Comment ? QStringLiteral("<!--%1-->").arg(marker) : marker;
    m_copied = to;
}

qsizetype VerbatimMarkup::pieceIndexOf(const xmlChar *content) const
{
    const QByteArray prefix = m_prefix.toLatin1();
    if (content == nullptr ||
        xmlStrncmp(content, reinterpret_cast<const xmlChar *>(prefix.constData()),
                   static_cast<int>(prefix.size())) != 0)
        return -1;
    bool ok = false;
    const qsizetype index =
        QByteArray(reinterpret_cast<const char *>(content) + prefix.size()).toLongLong(&ok);
    return ok && index >= 0 && index < m_pieces.size() ? index : -1;
}

void VerbatimMarkup::restoreStartTag(xmlNodePtr element) const
{
    const QByteArray marker = (m_prefix + QLatin1StringView("tag")).toLatin1();
    const auto markerName = reinterpret_cast<const xmlChar *>(marker.constData());
    xmlChar *value = xmlGetProp(element, markerName);
    if (value == nullptr)
        return;
    bool ok = false;
    const qsizetype index = QByteArray(reinterpret_cast<const char *>(value)).toLongLong(&ok);
    xmlFree(value);
    xmlUnsetProp(element, markerName);
    if (!ok || index < 0 || index >= m_startTags.size())
        return;
    const QString written = writeStartTag(element);
    if (m_keepTags && m_startTags[index] != written)
        keepStartTag(element, m_startTags[index], written);
}

void VerbatimMarkup::restore(xmlDocPtr doc) const
{
    if (m_pieces.isEmpty() && m_startTags.isEmpty())
        return;
    const auto root = reinterpret_cast<xmlNodePtr>(doc);
    for (xmlNodePtr node = root->children; node != nullptr;) {
        if (node->type == XML_ELEMENT_NODE)
            restoreStartTag(node);
        const bool mayHold = node->type == XML_COMMENT_NODE || node->type == XML_TEXT_NODE ||
                             node->type == XML_CDATA_SECTION_NODE;
        const qsizetype index = mayHold ? pieceIndexOf(node->content) : -1;
        if (index < 0) {
            node = nextInTree(node, root);
            continue;
        }
        if (m_endTags.count(index) != 0) {
            // An end tag's placeholder only marks the element it closes.
            xmlNodePtr next = nextInTree(node, root);
            restoreEndTag(node, m_pieces[index]);
            xmlUnlinkNode(node);
            xmlFreeNode(node);
            node = next;
            continue;
        }
        const auto meaning = m_meanings.find(index);
        xmlNodePtr verbatim = meaning != m_meanings.end()
                                  ? newReferenceNode(doc, m_pieces[index], meaning->second)
                                  : newVerbatimNode(doc, m_pieces[index]);
        xmlReplaceNode(node, verbatim);
        xmlFreeNode(node);
        node = nextInTree(verbatim, root);
    }
}

} // namespace office::page
