#pragma once

#include "platform/office/excel/excel.h"
#include "platform/office/package/package.h"

#include <functional>
#include <optional>
#include <vector>

namespace office::excel
{

class XlsxWorksheet;

// A workbook opened from an .xlsx file: its worksheets, shared strings and cell fonts.
class XlsxWorkbook : public Workbook
{
public:
    // onClose is called by close() and deletes the workbook.
    static platform::Result<std::unique_ptr<XlsxWorkbook>> open(const QString &fileName);
    ~XlsxWorkbook() override;
    void setCloseHandler(std::function<void(XlsxWorkbook *)> onClose);

    QString name() const override;
    QString path() const override;
    QString fullName() const override { return m_fullName; }
    bool saved() const override { return m_saved; }
    platform::Result<bool> save() override;
    platform::Result<bool> saveAs(const QString &fileName) override;
    void close() override;
    Worksheet *activeSheet() override;
    int worksheetCount() const override { return int(m_sheets.size()); }
    Worksheet *worksheet(int index) override;
    Worksheet *worksheet(const QString &name) override;

    void setActiveSheet(const XlsxWorksheet *sheet);
    // A sheet part was edited: it is written at the next save.
    void changed(const QString &partName);
    // A cell's content changed: formulas are calculated again when the file is next opened.
    void cellsChanged(const QString &partName);

    Package &package() { return *m_package; }
    // The item of the shared string a cell's value names by its index; a null node when the
    // value is no index of the table (a sign, an exponent, past its end), so that the cell is
    // left alone.
    pugi::xml_node sharedStringItem(const QString &index) const;
    // The typeface of a cell style (the s attribute of a cell), and that font as the
    // formatting element of a rich-text run (<rPr>).
    QString styleFontName(int styleIndex);
    QByteArray styleRunProperties(int styleIndex);

private:
    XlsxWorkbook() = default;
    pugi::xml_node styleFont(int styleIndex);
    // Finds the items of the shared-string table, which is never edited; false when the
    // table cannot be read (the package's errorString() says why).
    bool readSharedStrings();

    std::unique_ptr<Package> m_package;
    std::vector<std::unique_ptr<XlsxWorksheet>> m_sheets; // in tab order
    QString m_fullName;
    int m_activeSheet = 0;
    bool m_saved = true;
    bool m_recalculationAsked = false;
    std::vector<pugi::xml_node> m_sharedStringItems; // in order
    std::function<void(XlsxWorkbook *)> m_onClose;
};

} // namespace office::excel
