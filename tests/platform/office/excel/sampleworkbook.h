#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// Writes a workbook of three sheets made for the tests:
//   "說文" (active, active cell B2):
//     A1 shared string "甲\uF6A4乙" in a cell font 標楷體 (style 1)
//     B1 number 42, C1 formula =B1*2 (84)
//     A2 inline rich text: "abc" in 新細明體, then "def" in the cell font
//     B2 formula ="\uF6A4"&A1 giving a string
//     A3 and B3 the same shared string "重複"
//     page margins after the cell data
//   "保護": protected, A1 "鎖"
//   "空": one formatted cell A1 without a value
bool writeSampleWorkbook(const QString &path);

// The sample workbook with the rows of its first sheet "說文" replaced by rowsXml (the
// content of <sheetData>) and its shared strings by strings, one <si> each.
bool writeWorkbookWithRows(const QString &path, const QByteArray &rowsXml,
                           const QList<QByteArray> &strings);

// The sample workbook whose first sheet holds, in column A, the shared strings "字1" to
// "字<count>", one a row and each its own.
bool writeSharedStringsWorkbook(const QString &path, int count);
