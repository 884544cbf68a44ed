#include "platform/jet/indexedlike.h"

#include "platform/jet/characterindex.h"
#include "platform/jet/likepattern.h"
#include "platform/jet/planorder.h"
#include "platform/jet/quoting.h"
#include "platform/jet/sqltokens.h"

#include <optional>

namespace jet
{

using namespace Qt::StringLiterals;

namespace
{

using Kind = SqlToken::Kind;

// A search statement's tokens with what the rewrite needs to know of them.
class SearchShape
{
public:
    SearchShape(QStringView sql, const QList<SqlToken> &tokens) : m_sql(sql), m_tokens(tokens) {}

    // Reads the shape; false when the statement is not a plain search.
    bool read()
    {
        m_end = m_tokens.size();
        while (m_end > 0 && m_tokens[m_end - 1].isSymbol(m_sql, ";"_L1))
            --m_end;
        if (m_end == 0 || !keyword(0, "select"_L1))
            return false;
        static const QLatin1StringView refused[] = {
            "select"_L1, "union"_L1,  "intersect"_L1, "except"_L1,   "group"_L1,
            "having"_L1, "limit"_L1,  "offset"_L1,    "distinct"_L1, "join"_L1,
            "window"_L1, "escape"_L1, "indexed"_L1,   "natural"_L1,  "values"_L1};
        qsizetype from = -1;
        for (qsizetype i = 1; i < m_end; ++i) {
            for (const QLatin1StringView word : refused) {
                if (keyword(i, word))
                    return false;
            }
            if (from < 0 && keyword(i, "from"_L1))
                from = i;
            if (from < 0 && m_tokens[i].isSymbol(m_sql, "("_L1))
                return false; // a function among the result columns
        }
        if (from < 0 || from + 2 >= m_end || !isName(from + 1) || !keyword(from + 2, "where"_L1))
            return false;
        m_table = m_tokens[from + 1].name(m_sql);
        m_where = from + 2;
        return readParentheses();
    }

    const QString &table() const { return m_table; }
    qsizetype where() const { return m_where; }
    qsizetype whereEnd() const { return m_whereEnd; }
    bool hasOrderBy() const { return m_whereEnd < m_end; }
    // The texts of the terms that OR joins at the top of the WHERE clause; none when one is
    // empty.
    QStringList orTerms() const
    {
        QStringList terms;
        qsizetype first = m_where + 1;
        for (qsizetype i = first; i <= m_whereEnd; ++i) {
            if (i == m_whereEnd || (m_opening[i] < 0 && keyword(i, "or"_L1))) {
                if (i == first) // an empty term: the statement does not run
                    return {};
                terms << m_sql
                             .sliced(m_tokens[first].start,
                                     m_tokens[i - 1].end - m_tokens[first].start)
                             .toString();
                first = i + 1;
            }
        }
        return terms;
    }
    // Where the text of the statement proper ends, before trailing semicolons and comments.
    qsizetype textEnd() const { return m_tokens[m_end - 1].end; }

    bool keyword(qsizetype i, QLatin1StringView word) const
    {
        return m_tokens[i].isKeyword(m_sql, word);
    }
    bool isName(qsizetype i) const
    {
        return m_tokens[i].kind == Kind::Word || m_tokens[i].kind == Kind::QuotedName;
    }

    // True when the tokens first..last form a term that stands in an AND/OR tree right under
    // WHERE, as do the parentheses around it.
    bool isBooleanTerm(qsizetype first, qsizetype last) const
    {
        for (qsizetype open = m_opening[first]; open >= 0; open = m_opening[open]) {
            if (!opensTerm(open) || !closesTerm(m_closing[open] + 1))
                return false;
        }
        return opensTerm(first) && closesTerm(last + 1);
    }

private:
    // Matches the parentheses of the WHERE clause and finds where it ends.
    bool readParentheses()
    {
        m_opening.fill(-1, m_end);
        m_closing.fill(-1, m_end);
        QList<qsizetype> open;
        m_whereEnd = m_end;
        for (qsizetype i = m_where + 1; i < m_end; ++i) {
            m_opening[i] = open.isEmpty() ? -1 : open.last();
            if (m_tokens[i].isSymbol(m_sql, "("_L1)) {
                open.append(i);
            } else if (m_tokens[i].isSymbol(m_sql, ")"_L1)) {
                if (open.isEmpty())
                    return false;
                m_closing[open.takeLast()] = i;
            } else if (open.isEmpty() && keyword(i, "order"_L1)) {
                m_whereEnd = i;
                break;
            }
        }
        return open.isEmpty();
    }

    bool opensTerm(qsizetype i) const
    {
        const qsizetype before = i - 1;
        return before == m_where || keyword(before, "and"_L1) || keyword(before, "or"_L1) ||
               m_tokens[before].isSymbol(m_sql, "("_L1);
    }
    bool closesTerm(qsizetype after) const
    {
        return after == m_whereEnd || keyword(after, "and"_L1) || keyword(after, "or"_L1) ||
               m_tokens[after].isSymbol(m_sql, ")"_L1);
    }

    QStringView m_sql;
    const QList<SqlToken> &m_tokens;
    qsizetype m_end = 0;
    qsizetype m_where = 0;
    qsizetype m_whereEnd = 0;
    QString m_table;
    QList<qsizetype> m_opening; // innermost '(' around each token, -1 at the top
    QList<qsizetype> m_closing; // the ')' of each '('
};

struct IndexedTerm {
    qsizetype start; // in the text
    qsizetype end;
    QString column;
    QString characters;
};

} // namespace

QString WithCharacterIndex(sqlite3 *db, CharacterIndex &index, const QString &sql)
{
    // SQLite ends a statement at a NUL, where the tokens would not: such a text is not rewritten.
    if (sql.contains(QChar(0)))
        return sql;
    const std::optional<QList<SqlToken>> tokens = TokenizeSql(sql);
    if (!tokens)
        return sql;
    SearchShape shape(sql, *tokens);
    if (!shape.read())
        return sql;

    QList<IndexedTerm> terms;
    for (qsizetype i = shape.where() + 1; i + 2 < shape.whereEnd(); ++i) {
        const SqlToken &pattern = (*tokens)[i + 2];
        if (!shape.keyword(i + 1, "like"_L1) || pattern.kind != Kind::String)
            continue;
        const LikePattern like(pattern.text(sql));
        // The statement fails on its first record; with the index it might read none.
        if (!like.isValid())
            return sql;
        const std::u32string required = like.requiredCharacters();
        const QString column = (*tokens)[i].name(sql);
        if (!shape.isName(i) || !shape.isBooleanTerm(i, i + 2) || required.empty() ||
            !index.covers(shape.table(), column))
            continue;
        terms.append({(*tokens)[i].start, pattern.end, column,
                      QString::fromUcs4(required.data(), qsizetype(required.size()))});
    }
    if (terms.isEmpty())
        return sql;
    const std::optional<QString> order = PlanReadOrder(db, sql, shape.table(), shape.orTerms());
    if (!order)
        return sql;

    QString indexed = sql.left(shape.textEnd()) + (shape.hasOrderBy() ? u", "_s : u" ORDER BY "_s) +
                      *order + sql.sliced(shape.textEnd());
    // From the last term back, so that the earlier terms' positions still hold.
    for (auto term = terms.crbegin(); term != terms.crend(); ++term) {
        const QString candidates =
            QStringLiteral("rowid IN (SELECT record FROM jet_candidates(%1, %2, %3))")
                .arg(quoteText(shape.table()), quoteText(term->column),
                     quoteText(term->characters));
        indexed.replace(term->start, term->end - term->start,
                        u'(' + candidates + u" AND "_s +
                            sql.sliced(term->start, term->end - term->start) + u')');
    }
    return indexed;
}

} // namespace jet
