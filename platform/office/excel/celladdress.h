#pragma once

#include <QString>
#include <optional>

namespace office::excel
{

// A cell's row and column, both from 1.
struct CellAddress {
    int row = 1;
    int column = 1;

    friend bool operator==(const CellAddress &, const CellAddress &) = default;
    // Row-major order, the order in which the host searches.
    friend bool operator<(const CellAddress &a, const CellAddress &b)
    {
        return a.row != b.row ? a.row < b.row : a.column < b.column;
    }
};

constexpr int maxRows = 1048576;
constexpr int maxColumns = 16384;

// "B3" or "$B$3"; nothing for anything else or a cell outside the sheet.
std::optional<CellAddress> parseCellAddress(const QString &text);
// A number the file writes in decimal digits alone ("7", "007"); nothing for anything else
// (a sign, an exponent, spaces) or a number above limit.
std::optional<int> parseDecimal(QStringView text, int limit);
QString cellName(const CellAddress &cell);     // "B3"
QString absoluteName(const CellAddress &cell); // "$B$3"

} // namespace office::excel
