#pragma once

#include <QString>
#include <ostream>

// Test failures show a QString as its text in quotes (GoogleTest finds this by the type).
inline void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}
