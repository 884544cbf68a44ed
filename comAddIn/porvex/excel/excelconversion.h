#pragma once

#include "comAddIn/porvex/conversionrun.h"
#include "comAddIn/porvex/sourcepositions.h"
#include "platform/office/excel/excel.h"

#include <QHash>

namespace porvex
{

// The spreadsheet host's conversion: the workbook's preview copy "name☆.xlsx", with the
// glyph of every formula found in its cells, and the ordinary glyphs and picked formulas
// written back into the source workbook.
class ExcelConversion
{
public:
    ExcelConversion(office::excel::Application &excel, const ConversionContext &context);

    platform::Result<bool> ConvertWorkbookToGlyphs();

private:
    bool refuseProtectedSheet();
    void convertWorksheet(ConversionRun &run, office::excel::Worksheet &copy,
                          office::excel::Workbook &source);
    void ConvertCellFormulas(ConversionRun &run, office::excel::Range &copyCell,
                             office::excel::Range &sourceCell);

    office::excel::Application &m_excel;
    const ConversionContext &m_context;
    // Per source cell ("sheet!$A$1"), how its text lies against the copy's.
    QHash<QString, SourcePositions> m_positions;
};

} // namespace porvex
