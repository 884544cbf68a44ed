#include "platform/office/page/characterreference.h"

#include "platform/common/asciichars.h"

#include <QList>
#include <libxml/HTMLparser.h>

namespace office::page
{
namespace
{

constexpr char32_t kReplacement = 0xFFFD;

// What a number stands for.
char32_t numberMeaning(char32_t number)
{
    // The characters of Windows-1252 at 0x80..0x9F; 0 where it has none.
    static const char16_t kWindows1252[32] = {
        0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
    if (number == 0 || number > 0x10FFFF || (number >= 0xD800 && number <= 0xDFFF))
        return kReplacement;
    if (number >= 0x80 && number <= 0x9F && kWindows1252[number - 0x80] != 0)
        return kWindows1252[number - 0x80];
    return number;
}

CharacterReference numericReferenceAt(QStringView text, qsizetype at)
{
    qsizetype end = at + 2; // past "&#"
    const bool hex = end < text.size() && (text[end] == u'x' || text[end] == u'X');
    if (hex)
        ++end;
    const qsizetype digits = end;
    char32_t number = 0;
    for (; end < text.size(); ++end) {
        const int digit =
            hex ? platform::hexDigitValue(text[end])
                : (platform::isAsciiDigit(text[end]) ? text[end].unicode() - u'0' : -1);
        if (digit < 0)
            break;
        // Past Unicode the number only needs to stay past it.
        if (number <= 0x10FFFF)
            number = number * (hex ? 16 : 10) + char32_t(digit);
    }
    if (end == digits)
        return {};
    if (end < text.size() && text[end] == u';')
        ++end;
    const char32_t meaning = numberMeaning(number);
    return {end - at, QString::fromUcs4(&meaning, 1)};
}

// The value of a named reference with its semicolon; 0 when the name is none.
int namedValue(const QString &name)
{
    static const struct {
        const char *name;
        int value;
    } kUpperCase[] = {{"AMP", '&'}, {"COPY", 0xA9}, {"GT", '>'},
                      {"LT", '<'},  {"QUOT", '"'},  {"REG", 0xAE}};
    const QByteArray latin = name.toLatin1();
    for (const auto &entry : kUpperCase) {
        if (latin == entry.name)
            return entry.value;
    }
    const htmlEntityDesc *entity =
        htmlEntityLookup(reinterpret_cast<const xmlChar *>(latin.constData()));
    return entity != nullptr ? int(entity->value) : 0;
}

// The value of a name that may stand without its semicolon; 0 when it may not.
int legacyValue(const QString &name)
{
    const int value = namedValue(name);
    const bool latin1 = value >= 0xA0 && value <= 0xFF;
    const bool markup = value == '&' || value == '<' || value == '>' || value == '"';
    return latin1 || markup ? value : 0;
}

CharacterReference namedReferenceAt(QStringView text, qsizetype at, bool inAttribute)
{
    qsizetype end = at + 1;
    while (end < text.size() && platform::isAsciiAlnum(text[end]))
        ++end;
    const QString name = text.sliced(at + 1, end - at - 1).toString();
    if (name.isEmpty())
        return {};
    if (end < text.size() && text[end] == u';') {
        if (const int value = namedValue(name))
            return {end + 1 - at, QString(QChar(value))};
    }
    for (qsizetype length = name.size(); length > 0; --length) {
        const int value = legacyValue(name.left(length));
        if (value == 0)
            continue;
        const qsizetype after = at + 1 + length;
        if (inAttribute && after < text.size() &&
            (platform::isAsciiAlnum(text[after]) || text[after] == u'='))
            return {};
        return {1 + length, QString(QChar(value))};
    }
    return {};
}

} // namespace

CharacterReference characterReferenceAt(QStringView text, qsizetype at, bool inAttribute)
{
    if (at + 1 >= text.size() || text[at] != u'&')
        return {};
    if (text[at + 1] == u'#')
        return numericReferenceAt(text, at);
    return namedReferenceAt(text, at, inAttribute);
}

QString withPlainReferences(QStringView text, bool inAttribute)
{
    QString out;
    qsizetype copied = 0;
    for (qsizetype at = text.indexOf(u'&'); at >= 0; at = text.indexOf(u'&', at + 1)) {
        out += text.sliced(copied, at - copied);
        const CharacterReference reference = characterReferenceAt(text, at, inAttribute);
        if (reference.length == 0) {
            out += QLatin1StringView("&amp;");
            copied = at + 1;
            continue;
        }
        for (const char32_t ch : QStringView(reference.meaning).toUcs4())
            out += QStringLiteral("&#x%1;").arg(uint(ch), 0, 16);
        copied = at + reference.length;
        at = copied - 1;
    }
    out += text.sliced(copied);
    return out;
}

} // namespace office::page
