#pragma once

#include <QString>
#include <QStringList>
#include <libxml/tree.h>

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
class VerbatimMarkup
{
public:
    explicit VerbatimMarkup(const QString &text);

    // The text with placeholders in place of the pieces.
    const QString &maskedText() const { return m_masked; }
    // True when the text stops inside a tag, comment or declaration: a file cut short.
    bool endsInsideMarkup() const { return m_endsInsideMarkup; }

    // Replaces the placeholders in the tree parsed from maskedText() by the pieces.
    void restore(xmlDocPtr doc) const;

private:
    enum class Placeholder { Comment, RawText };
    void mask(const QString &text, qsizetype from, qsizetype to, Placeholder placeholder);
    // The piece a placeholder stands for; null when the content is no placeholder.
    const QString *pieceOf(const xmlChar *content) const;

    QString m_prefix; // Starts every placeholder; found nowhere in the page.
    QStringList m_pieces;
    QString m_masked;
    qsizetype m_copied = 0; // How much of the text is in m_masked.
    bool m_endsInsideMarkup = false;
};

} // namespace office::page
