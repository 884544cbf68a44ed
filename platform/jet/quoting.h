#pragma once

#include <QString>

namespace jet
{

// An SQL string literal holding the text unchanged: single quotes around it, every quote
// inside doubled. Text typed by a user goes into an SQL statement only through this.
QString quoteText(const QString &text);

// A quoted SQL identifier (table, field or index name), double quotes doubled.
QString quoteIdentifier(const QString &name);

} // namespace jet
