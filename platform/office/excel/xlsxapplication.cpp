#include "platform/office/excel/xlsxapplication.h"

#include "platform/office/excel/celladdress.h"
#include "platform/office/excel/xlsxworkbook.h"
#include "platform/office/excel/xlsxworksheet.h"

namespace office::excel
{

XlsxWorkbooks::~XlsxWorkbooks() = default;

Workbook *XlsxWorkbooks::item(int index)
{
    if (index < 1 || index > count())
        return nullptr;
    return m_books[size_t(index - 1)].get();
}

platform::Result<Workbook *> XlsxWorkbooks::open(const QString &fileName)
{
    auto opened = XlsxWorkbook::open(fileName);
    if (!opened)
        return platform::Result<Workbook *>::failure(opened.errorString());
    XlsxWorkbook *book = opened.value().get();
    book->setCloseHandler([this](XlsxWorkbook *closing) { remove(closing); });
    m_books.push_back(std::move(opened).value());
    m_active = book;
    return platform::Result<Workbook *>(book);
}

void XlsxWorkbooks::activate(Workbook *book)
{
    if (std::any_of(m_books.begin(), m_books.end(),
                    [book](const auto &open) { return open.get() == book; }))
        m_active = book;
}

void XlsxWorkbooks::remove(XlsxWorkbook *book)
{
    auto found = std::find_if(m_books.begin(), m_books.end(),
                              [book](const auto &open) { return open.get() == book; });
    if (found == m_books.end())
        return;
    std::unique_ptr<XlsxWorkbook> closing = std::move(*found);
    m_books.erase(found);
    if (m_active == book)
        m_active = m_books.empty() ? nullptr : m_books.back().get();
}

std::unique_ptr<Range> XlsxApplication::activeCell()
{
    Workbook *book = activeWorkbook();
    auto *sheet = book ? static_cast<XlsxWorksheet *>(book->activeSheet()) : nullptr;
    return sheet ? sheet->range(cellName(sheet->activeCell())) : nullptr;
}

} // namespace office::excel
