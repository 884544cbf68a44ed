#include "platform/office/page/pageencoding.h"

#include "platform/codepage/cp950.h"

#include <QRegularExpression>
#include <QStringDecoder>
#include <QStringEncoder>

namespace office::page
{
namespace
{

const QByteArray kUtf8Mark("\xEF\xBB\xBF");

// The attributes of the tag whose name ends at at, read as a browser reads them (a quoted
// value may hold '>'); at moves to the tag's end.
QList<std::pair<QByteArray, QByteArray>> tagAttributes(const QByteArray &text, qsizetype &at)
{
    QList<std::pair<QByteArray, QByteArray>> attributes;
    const auto isSpace = [](char c) {
        return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
    };
    const auto skipSpace = [&] {
        while (at < text.size() && (isSpace(text[at]) || text[at] == '/'))
            ++at;
    };
    for (skipSpace(); at < text.size() && text[at] != '>'; skipSpace()) {
        const qsizetype nameStart = at;
        while (at < text.size() && !isSpace(text[at]) && text[at] != '/' && text[at] != '>' &&
               text[at] != '=')
            ++at;
        QByteArray name = text.mid(nameStart, std::max<qsizetype>(at - nameStart, 1)).toLower();
        at = std::max(at, nameStart + 1);
        while (at < text.size() && isSpace(text[at]))
            ++at;
        QByteArray value;
        if (at < text.size() && text[at] == '=') {
            ++at;
            while (at < text.size() && isSpace(text[at]))
                ++at;
            if (at < text.size() && (text[at] == '"' || text[at] == '\'')) {
                const qsizetype close = text.indexOf(text[at], at + 1);
                const qsizetype end = close < 0 ? text.size() : close;
                value = text.mid(at + 1, end - at - 1);
                at = end + 1;
            } else {
                const qsizetype valueStart = at;
                while (at < text.size() && !isSpace(text[at]) && text[at] != '>')
                    ++at;
                value = text.mid(valueStart, at - valueStart);
            }
        }
        attributes.append({name, value});
    }
    return attributes;
}

// The charset a <meta> tag's attributes declare: charset="..." or content="...; charset=...".
QString charsetOf(const QList<std::pair<QByteArray, QByteArray>> &attributes)
{
    static const QRegularExpression name(QStringLiteral(R"(^\s*["']?\s*([A-Za-z0-9_.:\-]+))"));
    static const QRegularExpression inContent(
        QStringLiteral(R"(charset\s*=\s*["']?\s*([A-Za-z0-9_.:\-]+))"),
        QRegularExpression::CaseInsensitiveOption);
    for (const auto &[attribute, value] : attributes) {
        const QString text = QString::fromLatin1(value);
        const QRegularExpressionMatch match = attribute == "charset"   ? name.match(text)
                                              : attribute == "content" ? inContent.match(text)
                                                                       : QRegularExpressionMatch();
        if (match.hasMatch())
            return match.captured(1);
    }
    return {};
}

// The charset of the first <meta> that declares one, within the page's head. A charset
// written inside another attribute's value is none: the page is read as its parser reads it.
QString declaredCharset(const QByteArray &bytes)
{
    static const QRegularExpression meta(QStringLiteral(R"(<meta(?=[\s/>]))"),
                                         QRegularExpression::CaseInsensitiveOption);
    const QByteArray head = bytes.left(8192);
    const QString text = QString::fromLatin1(head);
    for (qsizetype at = 0;;) {
        const QRegularExpressionMatch found = meta.match(text, at);
        if (!found.hasMatch())
            return {};
        at = found.capturedEnd();
        const QString charset = charsetOf(tagAttributes(head, at));
        if (!charset.isEmpty())
            return charset;
    }
}

bool isBig5Name(const QString &name)
{
    static const QStringList names{"big5",  "cp950",  "windows-950", "x-x-big5",
                                   "ms950", "csbig5", "x-big5"};
    return names.contains(name.toLower());
}

bool isUtf8Name(const QString &name)
{
    return name.compare(QLatin1String("utf-8"), Qt::CaseInsensitive) == 0 ||
           name.compare(QLatin1String("utf8"), Qt::CaseInsensitive) == 0;
}

QString characterReference(char32_t codePoint)
{
    return QStringLiteral("&#%1;").arg(static_cast<uint>(codePoint));
}

// Splits text into runs the encoder takes as they are and characters it lacks, which
// become references.
template<typename CanEncode, typename EncodeRun>
QByteArray encodeWithReferences(const QString &text, CanEncode canEncode, EncodeRun encodeRun)
{
    QByteArray out;
    QString run;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text.at(i);
        if (ch.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            const char32_t codePoint = QChar::surrogateToUcs4(ch, text.at(i + 1));
            const QString pair = text.mid(i, 2);
            ++i;
            if (canEncode(pair)) {
                run += pair;
                continue;
            }
            out += encodeRun(run) + characterReference(codePoint).toLatin1();
            run.clear();
            continue;
        }
        if (canEncode(QString(ch))) {
            run += ch;
            continue;
        }
        out += encodeRun(run) + characterReference(ch.unicode()).toLatin1();
        run.clear();
    }
    return out + encodeRun(run);
}

} // namespace

std::optional<PageEncoding> PageEncoding::detect(const QByteArray &bytes)
{
    if (bytes.startsWith(kUtf8Mark))
        return PageEncoding(Kind::Utf8, QStringLiteral("UTF-8"), true);
    if (bytes.startsWith("\xFF\xFE"))
        return PageEncoding(Kind::Other, QStringLiteral("UTF-16LE"), true);
    if (bytes.startsWith("\xFE\xFF"))
        return PageEncoding(Kind::Other, QStringLiteral("UTF-16BE"), true);

    const QString declared = declaredCharset(bytes);
    if (declared.isEmpty()) {
        if (codepage::isValidUtf8(bytes))
            return PageEncoding(Kind::Utf8, QStringLiteral("UTF-8"), false);
        return PageEncoding(Kind::Cp950, QStringLiteral("big5"), false);
    }
    if (isUtf8Name(declared))
        return PageEncoding(Kind::Utf8, declared, false);
    if (isBig5Name(declared))
        return PageEncoding(Kind::Cp950, declared, false);
    if (!QStringDecoder(declared.toLatin1().constData()).isValid())
        return std::nullopt;
    return PageEncoding(Kind::Other, declared, false);
}

std::optional<QString> PageEncoding::decode(const QByteArray &bytes) const
{
    switch (m_kind) {
    case Kind::Utf8: {
        const QByteArray body = m_byteOrderMark ? bytes.mid(kUtf8Mark.size()) : bytes;
        if (!codepage::isValidUtf8(body))
            return std::nullopt;
        return QString::fromUtf8(body);
    }
    case Kind::Cp950:
        return codepage::fromCp950Strict(bytes);
    case Kind::Other: {
        QStringDecoder decoder(m_name.toLatin1().constData(), QStringDecoder::Flag::Stateless);
        QString text = decoder.decode(bytes);
        if (decoder.hasError())
            return std::nullopt;
        return text;
    }
    }
    return std::nullopt;
}

QByteArray PageEncoding::encode(const QString &text) const
{
    switch (m_kind) {
    case Kind::Utf8:
        return (m_byteOrderMark ? kUtf8Mark : QByteArray()) + text.toUtf8();
    case Kind::Cp950:
        return encodeWithReferences(
            text,
            [](const QString &ch) {
                return ch.size() == 1 && codepage::big5Code(ch.at(0)).has_value();
            },
            [](const QString &run) { return codepage::toCp950(run); });
    case Kind::Other: {
        QStringEncoder whole(m_name.toLatin1().constData(), m_byteOrderMark
                                                                ? QStringEncoder::Flag::WriteBom
                                                                : QStringEncoder::Flag::Default);
        QByteArray bytes = whole.encode(text);
        if (!whole.hasError())
            return bytes;
        const QByteArray mark = m_byteOrderMark ? QStringEncoder(m_name.toLatin1().constData(),
                                                                 QStringEncoder::Flag::WriteBom)
                                                      .encode(u"")
                                                : QByteArray();
        return mark + encodeWithReferences(
                          text,
                          [this](const QString &ch) {
                              QStringEncoder probe(m_name.toLatin1().constData());
                              const QByteArray unused = probe.encode(ch);
                              return !probe.hasError();
                          },
                          [this](const QString &run) {
                              QStringEncoder encoder(m_name.toLatin1().constData());
                              return QByteArray(encoder.encode(run));
                          });
    }
    }
    return {};
}

} // namespace office::page
