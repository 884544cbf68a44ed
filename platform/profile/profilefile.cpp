#include "platform/profile/profilefile.h"

#include "platform/codepage/cp950.h"
#include "platform/system/filewrite.h"

#include <QDir>
#include <QFile>
#include <algorithm>
#include <limits>

namespace profile
{
namespace
{

const QByteArray kUtf8Bom("\xEF\xBB\xBF");

bool isBlank(QChar ch)
{
    return ch == u' ' || ch == u'\t';
}

// Only blanks and tabs, as the Windows calls trim: an ideographic space stays.
QStringView trimBlanks(QStringView text)
{
    while (!text.isEmpty() && isBlank(text.front()))
        text = text.sliced(1);
    while (!text.isEmpty() && isBlank(text.back()))
        text.chop(1);
    return text;
}

bool sameName(QStringView a, QStringView b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

bool hasLineBreakOrNul(QStringView text)
{
    return text.contains(u'\n') || text.contains(u'\r') || text.contains(QChar(u'\0'));
}

qsizetype encodedSize(QStringView character, ProfileFile::Encoding encoding)
{
    return encoding == ProfileFile::Encoding::Utf8 ? character.toUtf8().size()
                                                   : codepage::toCp950(character).size();
}

// The longest prefix of whole characters that fits in maxBytes in the given encoding.
QString truncateToBytes(const QString &text, qsizetype maxBytes, ProfileFile::Encoding encoding)
{
    qsizetype used = 0;
    qsizetype end = 0;
    while (end < text.size()) {
        const bool pair =
            text[end].isHighSurrogate() && end + 1 < text.size() && text[end + 1].isLowSurrogate();
        const qsizetype units = pair ? 2 : 1;
        used += encodedSize(QStringView(text).sliced(end, units), encoding);
        if (used > maxBytes)
            break;
        end += units;
    }
    return text.left(end);
}

int digitValue(QChar ch)
{
    const char16_t c = ch.unicode();
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'a' && c <= u'z')
        return c - u'a' + 10;
    if (c >= u'A' && c <= u'Z')
        return c - u'A' + 10;
    return 99;
}

// The leading integer as GetPrivateProfileInt reads it, with base 0: optional sign, then
// "0x" for hexadecimal, "0o" for octal, "0b" for binary digits, else decimal ones (a
// leading 0 alone does not make it octal), up to the first other character. Windows lets
// a too large number wrap around; here it saturates at the limits of int.
int leadingInteger(QStringView text)
{
    constexpr qint64 kSaturation = qint64(std::numeric_limits<int>::max()) + 1;
    qsizetype pos = 0;
    const bool negative = !text.isEmpty() && text[0] == u'-';
    if (!text.isEmpty() && (text[0] == u'-' || text[0] == u'+'))
        ++pos;
    int base = 10;
    if (pos + 1 < text.size() && text[pos] == u'0') {
        const char16_t prefix = text[pos + 1].toLower().unicode();
        base = prefix == u'x' ? 16 : prefix == u'o' ? 8 : prefix == u'b' ? 2 : 10;
        if (base != 10)
            pos += 2;
    }
    qint64 magnitude = 0;
    for (; pos < text.size() && digitValue(text[pos]) < base; ++pos)
        magnitude = std::min(kSaturation, magnitude * base + digitValue(text[pos]));
    const qint64 result = negative ? -magnitude : magnitude;
    return static_cast<int>(std::clamp<qint64>(result, std::numeric_limits<int>::min(),
                                               std::numeric_limits<int>::max()));
}

// The value as the Windows calls give it: trimmed, and one pair of double quotes around
// it dropped.
QString unquotedValue(QStringView text)
{
    text = trimBlanks(text);
    if (text.size() >= 2 && text.front() == u'"' && text.back() == u'"')
        text = text.sliced(1, text.size() - 2);
    return text.toString();
}

QString readError(const QString &path, const QString &reason)
{
    return QStringLiteral("無法讀取 %1（%2）").arg(QDir::toNativeSeparators(path), reason);
}

} // namespace

ProfileFile::ProfileFile(QString path) : m_path(std::move(path))
{
}

bool ProfileFile::load()
{
    m_lines.clear();
    m_hasBom = false;
    m_loaded = false;
    m_error.clear();

    QFile file(m_path);
    if (!file.exists()) {
        m_loaded = true;
        return true;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        m_error = readError(m_path, file.errorString());
        return false;
    }
    QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        m_error = readError(m_path, file.errorString());
        return false;
    }

    if (data.startsWith(kUtf8Bom)) {
        m_hasBom = true;
        data.remove(0, kUtf8Bom.size());
    }
    // Each line is decoded on its own (Big5 trail bytes are never '\n' or '\r'), so a
    // section an older tool wrote in cp950 does not spoil the UTF-8 ones around it.
    qsizetype start = 0;
    while (start < data.size()) {
        const qsizetype newline = data.indexOf('\n', start);
        const qsizetype end = newline < 0 ? data.size() : newline;
        QByteArray bytes = data.sliced(start, end - start);
        QByteArray ending = newline < 0 ? QByteArray() : QByteArray("\n");
        if (bytes.endsWith('\r')) {
            bytes.chop(1);
            ending.prepend('\r');
        }
        m_lines.append(parseLine(std::move(bytes), std::move(ending)));
        start = end + 1;
    }
    m_loaded = true;
    return true;
}

bool ProfileFile::save()
{
    if (!m_loaded) {
        m_error = QStringLiteral("%1 未能讀取，不予改寫").arg(QDir::toNativeSeparators(m_path));
        return false;
    }
    QByteArray data = m_hasBom ? kUtf8Bom : QByteArray();
    for (const Line &line : std::as_const(m_lines))
        data += line.bytes + line.ending;
    if (!sys::replaceFile(m_path, data, &m_error))
        return false;
    m_error.clear();
    return true;
}

const ProfileFile::Line *ProfileFile::findLine(QStringView section, QStringView key) const
{
    const qsizetype sectionLine = findSection(section);
    const qsizetype keyLine = sectionLine < 0 ? -1 : findKey(sectionLine, key);
    return keyLine < 0 ? nullptr : &m_lines[keyLine];
}

std::optional<QString> ProfileFile::value(QStringView section, QStringView key) const
{
    const Line *line = findLine(section, key);
    return line != nullptr ? std::optional(line->value) : std::nullopt;
}

QString ProfileFile::stringValue(QStringView section, QStringView key, const QString &defaultValue,
                                 int bufferSize) const
{
    const Line *line = findLine(section, key);
    return truncateToBytes(line != nullptr ? line->value : defaultValue,
                           std::max(bufferSize - 1, 0),
                           line != nullptr ? line->encoding : Encoding::Utf8);
}

int ProfileFile::intValue(QStringView section, QStringView key, int defaultValue) const
{
    const std::optional<QString> text = value(section, key);
    if (!text || text->isEmpty())
        return defaultValue;
    return leadingInteger(*text);
}

bool ProfileFile::setValue(const QString &section, const QString &key, const QString &value)
{
    const bool sectionOk = !section.isEmpty() && trimBlanks(section).size() == section.size() &&
                           !hasLineBreakOrNul(section) && !section.contains(u']');
    const bool keyOk = !key.isEmpty() && trimBlanks(key).size() == key.size() &&
                       !hasLineBreakOrNul(key) && !key.contains(u'=') && !key.startsWith(u'[') &&
                       !key.startsWith(u';');
    if (!sectionOk || !keyOk || hasLineBreakOrNul(value)) {
        m_error = QStringLiteral("設定檔無法存入 [%1] %2").arg(section, key);
        return false;
    }

    const qsizetype sectionLine = findSection(section);
    if (sectionLine < 0) {
        insertLine(m_lines.size(), u'[' + section + u']');
        insertLine(m_lines.size(), key + u'=' + value);
        return true;
    }
    const qsizetype keyLine = findKey(sectionLine, key);
    if (keyLine >= 0) {
        Line &line = m_lines[keyLine];
        // A line that already holds the value stays as it is, in its own encoding; a
        // changed one keeps the key's spelling and is written in UTF-8.
        if (line.value != value)
            line = parseLine((line.name + u'=' + value).toUtf8(), line.ending);
        return true;
    }
    qsizetype lastKeyOrHeader = sectionLine;
    for (qsizetype i = sectionLine + 1; i < m_lines.size(); ++i) {
        if (m_lines[i].kind == LineKind::Section)
            break;
        if (m_lines[i].kind == LineKind::Key)
            lastKeyOrHeader = i;
    }
    insertLine(lastKeyOrHeader + 1, key + u'=' + value);
    return true;
}

ProfileFile::Line ProfileFile::parseLine(QByteArray bytes, QByteArray ending)
{
    Line line;
    line.bytes = std::move(bytes);
    line.ending = std::move(ending);
    line.encoding = codepage::isValidUtf8(line.bytes) ? Encoding::Utf8 : Encoding::Cp950;
    const QString text = line.encoding == Encoding::Utf8 ? QString::fromUtf8(line.bytes)
                                                         : codepage::fromCp950(line.bytes);
    const QStringView trimmed = trimBlanks(text);
    if (trimmed.startsWith(u'[')) {
        const qsizetype close = trimmed.indexOf(u']');
        line.kind = LineKind::Section;
        line.name =
            trimBlanks(trimmed.sliced(1, (close < 0 ? trimmed.size() : close) - 1)).toString();
    } else if (const qsizetype equals = trimmed.indexOf(u'=');
               equals >= 0 && !trimmed.startsWith(u';')) {
        line.kind = LineKind::Key;
        line.name = trimBlanks(trimmed.first(equals)).toString();
        line.value = unquotedValue(trimmed.sliced(equals + 1));
    }
    return line;
}

qsizetype ProfileFile::findSection(QStringView section) const
{
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        if (m_lines[i].kind == LineKind::Section && sameName(m_lines[i].name, section))
            return i;
    }
    return -1;
}

qsizetype ProfileFile::findKey(qsizetype sectionLine, QStringView key) const
{
    for (qsizetype i = sectionLine + 1; i < m_lines.size(); ++i) {
        if (m_lines[i].kind == LineKind::Section)
            break;
        if (m_lines[i].kind == LineKind::Key && sameName(m_lines[i].name, key))
            return i;
    }
    return -1;
}

void ProfileFile::insertLine(qsizetype index, const QString &text)
{
    QByteArray newline = "\n";
    for (const Line &line : std::as_const(m_lines)) {
        if (line.ending.endsWith('\n')) {
            newline = line.ending;
            break;
        }
    }
    // Only a last line lacks "\n"; the line after it needs one between them.
    if (index > 0 && !m_lines[index - 1].ending.endsWith('\n'))
        m_lines[index - 1].ending = newline;
    m_lines.insert(index, parseLine(text.toUtf8(), newline));
}

} // namespace profile
