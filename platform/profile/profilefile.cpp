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

// The leading decimal integer as GetPrivateProfileInt reads it: optional sign, then
// digits up to the first other character. Windows lets a too large number wrap around;
// here it saturates at the limits of int.
int leadingInteger(QStringView text)
{
    constexpr qint64 kSaturation = qint64(std::numeric_limits<int>::max()) + 1;
    qsizetype pos = 0;
    const bool negative = !text.isEmpty() && text[0] == u'-';
    if (!text.isEmpty() && (text[0] == u'-' || text[0] == u'+'))
        ++pos;
    qint64 magnitude = 0;
    for (; pos < text.size() && text[pos] >= u'0' && text[pos] <= u'9'; ++pos)
        magnitude = std::min(kSaturation, magnitude * 10 + (text[pos].unicode() - u'0'));
    const qint64 result = negative ? -magnitude : magnitude;
    return static_cast<int>(std::clamp<qint64>(result, std::numeric_limits<int>::min(),
                                               std::numeric_limits<int>::max()));
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
    m_encoding = Encoding::Utf8;
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
    if (!codepage::isValidUtf8(data)) {
        // Big5 trail bytes are never '\n' or '\r', so the lines split the same after.
        m_encoding = Encoding::Cp950;
        data = codepage::fromCp950(data).toUtf8();
    }

    qsizetype start = 0;
    while (start < data.size()) {
        const qsizetype newline = data.indexOf('\n', start);
        if (newline < 0) {
            m_lines.append(parseLine(data.sliced(start), {}));
            break;
        }
        QByteArray bytes = data.sliced(start, newline - start);
        const bool crlf = bytes.endsWith('\r');
        if (crlf)
            bytes.chop(1);
        m_lines.append(parseLine(std::move(bytes), crlf ? "\r\n" : "\n"));
        start = newline + 1;
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
    m_encoding = Encoding::Utf8;
    m_error.clear();
    return true;
}

std::optional<QString> ProfileFile::value(QStringView section, QStringView key) const
{
    const qsizetype sectionLine = findSection(section);
    if (sectionLine < 0)
        return std::nullopt;
    const qsizetype keyLine = findKey(sectionLine, key);
    if (keyLine < 0)
        return std::nullopt;
    return m_lines[keyLine].value;
}

QString ProfileFile::stringValue(QStringView section, QStringView key, const QString &defaultValue,
                                 int bufferSize) const
{
    const QString text = value(section, key).value_or(defaultValue);
    return truncateToBytes(text, std::max(bufferSize - 1, 0), m_encoding);
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
        // The key keeps the spelling it has in the file.
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
    const QString text = QString::fromUtf8(line.bytes);
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
        line.value = trimBlanks(trimmed.sliced(equals + 1)).toString();
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
        if (!line.ending.isEmpty()) {
            newline = line.ending;
            break;
        }
    }
    if (index > 0 && m_lines[index - 1].ending.isEmpty())
        m_lines[index - 1].ending = newline;
    m_lines.insert(index, parseLine(text.toUtf8(), newline));
}

} // namespace profile
