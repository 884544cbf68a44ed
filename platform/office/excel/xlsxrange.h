#pragma once

#include "platform/office/excel/xlsxworksheet.h"

namespace office::excel
{

class XlsxRange : public Range
{
public:
    XlsxRange(XlsxWorksheet &sheet, const CellArea &area) : m_sheet(sheet), m_area(area) {}

    QString address() const override;
    QVariant value() const override;
    Worksheet &worksheet() const override { return m_sheet; }
    std::unique_ptr<Characters> characters(int start, int length) override;
    std::unique_ptr<Range> find(const QString &what, LookIn lookIn) override;
    std::unique_ptr<Range> findNext(const Range &after) override;
    bool replace(const QString &what, const QString &replacement) override;
    void activate() override;

    const CellArea &area() const { return m_area; }

private:
    XlsxWorksheet &m_sheet;
    CellArea m_area;
};

class XlsxCharacters;

class XlsxFont : public Font
{
public:
    explicit XlsxFont(XlsxCharacters &characters) : m_characters(characters) {}
    QString name() const override;
    void setName(const QString &name) override;

private:
    XlsxCharacters &m_characters;
};

// Characters [start, start + length) of one cell, positions from 0.
class XlsxCharacters : public Characters
{
public:
    XlsxCharacters(XlsxWorksheet &sheet, const CellAddress &cell, int start, int length);

    QString text() const override;
    int count() const override;
    Font &font() override { return m_font; }
    bool insert(const QString &text) override;
    std::unique_ptr<Range> parent() const override;

private:
    friend class XlsxFont;
    // The stretch, clipped to the cell's current text.
    std::pair<int, int> span(const StyledText &text) const;

    XlsxWorksheet &m_sheet;
    CellAddress m_cell;
    int m_start;
    int m_length; // -1: to the end of the text
    XlsxFont m_font{*this};
};

} // namespace office::excel
