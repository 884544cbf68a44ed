#pragma once

#include <QList>
#include <QString>
#include <QStringView>
#include <optional>

namespace jet
{

// One token of an SQL text: where it stands in the text and what kind it is.
struct SqlToken {
    enum class Kind {
        Word,       // a keyword or a bare name
        QuotedName, // "name", [name] or `name`
        String,     // 'text'
        Number,
        Parameter, // ?, ?1, :name, @name, $name
        Symbol,    // an operator or punctuation: ( ) , ; . = <= || ...
    };
    Kind kind;
    qsizetype start;
    qsizetype end; // one past the last character

    QStringView in(QStringView sql) const { return sql.sliced(start, end - start); }
    // A word equal to the keyword, without regard to case.
    bool isKeyword(QStringView sql, QLatin1StringView keyword) const;
    bool isSymbol(QStringView sql, QLatin1StringView symbol) const;
    // The name a Word or QuotedName stands for, quotes removed.
    QString name(QStringView sql) const;
    // The text a String stands for, quotes removed.
    QString text(QStringView sql) const;
};

// The tokens of an SQL text, blanks and comments left out; nullopt when a quote is not
// closed.
std::optional<QList<SqlToken>> TokenizeSql(QStringView sql);

} // namespace jet
