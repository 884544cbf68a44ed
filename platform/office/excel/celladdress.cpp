#include "platform/office/excel/celladdress.h"

#include "platform/common/asciichars.h"

#include <QRegularExpression>

namespace office::excel
{

namespace
{

QString columnLetters(int column)
{
    QString letters;
    for (; column > 0; column = (column - 1) / 26)
        letters.prepend(QChar(u'A' + (column - 1) % 26));
    return letters;
}

} // namespace

std::optional<CellAddress> parseCellAddress(const QString &text)
{
    static const QRegularExpression pattern(
        QStringLiteral("^\\$?([A-Za-z]{1,3})\\$?([0-9]{1,7})$"));
    QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    int column = 0;
    for (QChar letter : match.captured(1).toUpper())
        column = column * 26 + (letter.unicode() - u'A' + 1);
    int row = match.captured(2).toInt();
    if (row < 1 || row > maxRows || column > maxColumns)
        return std::nullopt;
    return CellAddress{row, column};
}

std::optional<int> parseDecimal(QStringView text, int limit)
{
    if (text.isEmpty())
        return std::nullopt;
    qint64 number = 0;
    for (QChar digit : text) {
        if (!platform::isAsciiDigit(digit))
            return std::nullopt;
        number = number * 10 + (digit.unicode() - u'0');
        if (number > limit)
            return std::nullopt;
    }
    return int(number);
}

QString cellName(const CellAddress &cell)
{
    return columnLetters(cell.column) + QString::number(cell.row);
}

QString absoluteName(const CellAddress &cell)
{
    return u'$' + columnLetters(cell.column) + u'$' + QString::number(cell.row);
}

} // namespace office::excel
