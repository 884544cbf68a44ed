#include "platform/jet/sqltokens.h"

namespace jet
{

namespace
{

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\f';
}

// Letters, digits, _ and $ continue a word, as does every character past ASCII; a $ at the
// start makes a parameter.
bool isWordCharacter(QChar c)
{
    return c.unicode() >= 0x80 || (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') ||
           (c >= u'0' && c <= u'9') || c == u'_' || c == u'$';
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// The end of the quoted run that starts at `at` and closes with `close`, a doubled `close`
// standing for itself; -1 when it is not closed.
qsizetype quotedEnd(QStringView sql, qsizetype at, QChar close, bool doubling)
{
    for (qsizetype i = at + 1; i < sql.size(); ++i) {
        if (sql[i] != close)
            continue;
        if (doubling && i + 1 < sql.size() && sql[i + 1] == close) {
            ++i;
            continue;
        }
        return i + 1;
    }
    return -1;
}

QString unquote(QStringView quoted, QChar close)
{
    QString text = quoted.sliced(1, quoted.size() - 2).toString();
    return text.replace(QString(2, close), QString(close));
}

} // namespace

bool SqlToken::isKeyword(QStringView sql, QLatin1StringView keyword) const
{
    return kind == Kind::Word && in(sql).compare(keyword, Qt::CaseInsensitive) == 0;
}

bool SqlToken::isSymbol(QStringView sql, QLatin1StringView symbol) const
{
    return kind == Kind::Symbol && in(sql) == symbol;
}

QString SqlToken::name(QStringView sql) const
{
    const QStringView token = in(sql);
    if (kind != Kind::QuotedName)
        return token.toString();
    return unquote(token, token.front() == u'[' ? u']' : token.front());
}

QString SqlToken::text(QStringView sql) const
{
    return unquote(in(sql), u'\'');
}

std::optional<QList<SqlToken>> TokenizeSql(QStringView sql)
{
    using Kind = SqlToken::Kind;
    QList<SqlToken> tokens;
    qsizetype at = 0;
    const auto take = [&](Kind kind, qsizetype end) {
        tokens.append({kind, at, end});
        at = end;
    };
    const auto wordEnd = [&](qsizetype from) {
        while (from < sql.size() && isWordCharacter(sql[from]))
            ++from;
        return from;
    };
    while (at < sql.size()) {
        const QChar c = sql[at];
        const QChar next = at + 1 < sql.size() ? sql[at + 1] : QChar();
        if (isBlank(c)) {
            ++at;
        } else if (c == u'-' && next == u'-') {
            const qsizetype lineEnd = sql.indexOf(u'\n', at);
            at = lineEnd < 0 ? sql.size() : lineEnd + 1;
        } else if (c == u'/' && next == u'*') {
            // An unclosed comment runs to the end of the text.
            const qsizetype close = sql.indexOf(u"*/", at + 2);
            at = close < 0 ? sql.size() : close + 2;
        } else if (c == u'\'' || c == u'"' || c == u'`' || c == u'[') {
            const QChar close = c == u'[' ? QChar(u']') : c;
            const qsizetype end = quotedEnd(sql, at, close, c != u'[');
            if (end < 0)
                return std::nullopt;
            take(c == u'\'' ? Kind::String : Kind::QuotedName, end);
        } else if (isDigit(c) || (c == u'.' && isDigit(next))) {
            take(Kind::Number, wordEnd(at + 1));
        } else if (c == u'?' || c == u':' || c == u'@' || c == u'$') {
            take(Kind::Parameter, wordEnd(at + 1));
        } else if (isWordCharacter(c)) {
            take(Kind::Word, wordEnd(at));
        } else {
            static const QStringList pairs = {QStringLiteral("<="), QStringLiteral(">="),
                                              QStringLiteral("<>"), QStringLiteral("!="),
                                              QStringLiteral("=="), QStringLiteral("||"),
                                              QStringLiteral("<<"), QStringLiteral(">>")};
            const bool pair = pairs.contains(sql.sliced(at, qMin<qsizetype>(2, sql.size() - at)));
            take(Kind::Symbol, at + (pair ? 2 : 1));
        }
    }
    return tokens;
}

} // namespace jet
