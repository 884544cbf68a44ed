#pragma once

#include <QString>
#include <QStringList>
#include <libxml/tree.h>
#include <unordered_map>
#include <unordered_set>

namespace office::page
{

// The markup of a page that libxml2's HTML parser would change on its way through and that
// the page writes back as it was read: comments (conditional comments among them), other
// declarations (the doctype with any internal subset, the <![if ...]> markup of pages saved
// by Office), processing instructions, and the content of script and style, which the
// parser would end at the first "</" of another name.
//
// Before the parse each piece gives way to a placeholder that the parser keeps as it is (a
// comment, or the text of the script); restore() then puts the pieces back into the tree as
// verbatim nodes (see htmlnodes.h), which the writer writes unchanged and which are no text
// of the page.
//
// Character references in the text ("&nbsp", "&#0;", "&copy;", a lone "&") are pieces too:
// they come back as reference nodes, text that holds what a browser reads and is written as
// it was read. In a start tag they are written out as numbers for the parser, so that an
// attribute's value is read whole and as a browser reads it; and every start tag is kept
// with its element as it was read (its case, quotes and references), for the writer to
// write while the element's attributes stay as they were read, and so is the end tag that
// closes it.
class VerbatimMarkup
{
public:
    // Whether the tags are kept as read (a page's), or written in the writer's form (new
    // markup).
    enum class Tags { AsRead, InWritersForm };
    VerbatimMarkup(const QString &text, Tags tags);

    // The text with placeholders in place of the pieces.
    const QString &maskedText() const { return m_masked; }
    // True when the text stops inside a tag, comment or declaration: a file cut short.
    bool endsInsideMarkup() const { return m_endsInsideMarkup; }

    // Replaces the placeholders in the tree parsed from maskedText() by the pieces.
    void restore(xmlDocPtr doc) const;

private:
    enum class Placeholder { Comment, RawText };
    void mask(const QString &text, qsizetype from, qsizetype to, Placeholder placeholder);
    // Masks the references of the text between from and to.
    void maskReferences(const QString &text, qsizetype from, qsizetype to);
    // Gives the parser the start tag between from and to with its references as numbers and
    // an attribute that names the tag as read.
    void markStartTag(const QString &text, qsizetype from, qsizetype to);
    // Takes the attribute off the element and keeps the tag it names with it.
    void restoreStartTag(xmlNodePtr element) const;
    // Puts a placeholder before the end tag between from and to, which stays.
    void markEndTag(const QString &text, qsizetype from, qsizetype to);
    // Keeps the end tag with the element the placeholder ends, when it is the one it names.
    void restoreEndTag(xmlNodePtr placeholder, const QString &tag) const;
    // The index of the piece a placeholder stands for; -1 when the content is no placeholder.
    qsizetype pieceIndexOf(const xmlChar *content) const;

    QString m_prefix; // Starts every placeholder; found nowhere in the page.
    QStringList m_pieces;
    std::unordered_map<qsizetype, QString> m_meanings; // of the pieces that are references
    QStringList m_startTags;                           // as read, in the page's order
    std::unordered_set<qsizetype> m_endTags;           // the pieces that are end tags
    bool m_keepTags = true;
    QString m_masked;
    qsizetype m_copied = 0; // How much of the text is in m_masked.
    bool m_endsInsideMarkup = false;
};

} // namespace office::page
