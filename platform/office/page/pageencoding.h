#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace office::page
{

// The character encoding a page is stored in, found from its bytes and kept for the save.
// Big5 pages go through the system's code page 950 conversion, which holds the
// end-user-defined characters (the formula operators among them).
class PageEncoding
{
public:
    // The encoding of a page's bytes: a byte-order mark, else the charset its <meta>
    // declares, else UTF-8 when the bytes are valid UTF-8, else code page 950.
    // nullopt for a declared charset that this system cannot convert.
    static std::optional<PageEncoding> detect(const QByteArray &bytes);

    // The text of the bytes; nullopt when they are not valid in this encoding.
    std::optional<QString> decode(const QByteArray &bytes) const;
    // The bytes of the text; a character the encoding lacks is written as a numeric
    // character reference, so nothing is lost.
    QByteArray encode(const QString &text) const;

    // The charset as the page declares or this system names it.
    QString name() const { return m_name; }

private:
    enum class Kind { Utf8, Cp950, Other };

    PageEncoding(Kind kind, QString name, bool byteOrderMark)
        : m_kind(kind), m_name(std::move(name)), m_byteOrderMark(byteOrderMark)
    {
    }

    Kind m_kind;
    QString m_name;
    bool m_byteOrderMark;
};

} // namespace office::page
