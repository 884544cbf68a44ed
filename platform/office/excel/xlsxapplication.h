#pragma once

#include "platform/office/excel/xlsxworkbook.h"

#include <vector>

namespace office::excel
{

// The workbooks open in the host, the last opened one active.
class XlsxWorkbooks : public Workbooks
{
public:
    ~XlsxWorkbooks() override;
    int count() const override { return int(m_books.size()); }
    Workbook *item(int index) override;
    platform::Result<Workbook *> open(const QString &fileName) override;
    Workbook *active() const { return m_active; }
    // Makes an open workbook the active one, as the user brings its window to the front.
    void activate(Workbook *book);

private:
    void remove(XlsxWorkbook *book);

    std::vector<std::unique_ptr<XlsxWorkbook>> m_books;
    Workbook *m_active = nullptr;
};

class XlsxApplication : public Application
{
public:
    Workbooks &workbooks() override
    {
        documentsRequested();
        return m_workbooks;
    }
    Workbook *activeWorkbook() override
    {
        documentsRequested();
        return m_workbooks.active();
    }
    std::unique_ptr<Range> activeCell() override;
    void activate(Workbook *book) { m_workbooks.activate(book); }

private:
    XlsxWorkbooks m_workbooks;
};

} // namespace office::excel
