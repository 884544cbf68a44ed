#pragma once

#include <QString>
#include <QStringView>

namespace jet
{

// False for text that SQL cannot hold as it is: a NUL ends SQLite's reading of a
// statement, and an unpaired surrogate has no UTF-8 form (it would become "?", which a
// LIKE pattern takes for any character). Such text is refused wherever it would reach
// the engine: in a statement's text, as a bound value, as a seek key.
bool isSqlSafeText(QStringView text);
// The message of that refusal.
QString unsafeTextMessage();

// An SQL string literal holding the text unchanged: single quotes around it, every quote
// inside doubled. Text typed by a user goes into an SQL statement only through this.
QString quoteText(const QString &text);

// A quoted SQL identifier (table, field or index name), double quotes doubled.
QString quoteIdentifier(const QString &name);

} // namespace jet
