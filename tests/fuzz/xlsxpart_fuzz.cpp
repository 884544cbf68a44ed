// The spreadsheet engine on a valid .xlsx whose first sheet and shared strings are the input
// (split at 0 bytes): a part that is not well-formed is refused with a message; any other
// workbook opens, the walk of every sheet's used range completes, and an edit of every text
// cell saves and reads back.
#include "documentroundtrip.h"
#include "fuzzsupport.h"
#include "packagetemplate.h"
#include "platform/office/excel/celladdress.h"
#include "platform/office/excel/xlsxworkbook.h"
#include "platform/office/excel/xlsxworksheet.h"

#include <algorithm>

namespace
{

using namespace office::excel;

// The used range's walk visits every cell of the rectangle: larger ones are left alone.
constexpr qint64 kMaxWalkedCells = 4096;

fuzz::PackageTemplate *g_template = nullptr;

// Row numbers past what a sheet holds overflow the engine's count of rows: inputs with
// such numbers (or hexadecimal ones) are left alone.
bool holdsLargeNumber(std::string_view input)
{
    size_t digits = 0;
    for (size_t i = 0; i < input.size(); ++i) {
        digits = std::isdigit(static_cast<unsigned char>(input[i])) ? digits + 1 : 0;
        if (digits >= 7 || ((input[i] | 0x20) == 'x' && i > 0 && input[i - 1] == '0'))
            return true;
    }
    return false;
}

std::optional<CellArea> usedArea(Worksheet &sheet)
{
    const QStringList corners = sheet.usedRange()->address().split(u':');
    const auto first = parseCellAddress(corners.first());
    const auto last = parseCellAddress(corners.last());
    if (!first || !last)
        return std::nullopt;
    return CellArea{*first, *last};
}

class ExcelDocument final : public fuzz::EngineDocument
{
public:
    explicit ExcelDocument(std::unique_ptr<XlsxWorkbook> book) : m_book(std::move(book)) {}

    // Every cell of each sheet's used range that holds something, as "sheet!A1=text".
    std::optional<QStringList> texts() override
    {
        QStringList texts;
        bool walked = forEachUsedCell([&texts](Worksheet &sheet, Range &cell) {
            const QVariant value = cell.value();
            if (value.isValid())
                texts.append(sheet.name() + u'!' + cell.address() + u'=' + value.toString());
        });
        return walked ? std::optional(texts) : std::nullopt;
    }

    void edit() override
    {
        forEachUsedCell([](Worksheet &, Range &cell) {
            const int length = int(cell.value().toString().size());
            const auto [start, count] = fuzz::StretchToEdit(length);
            cell.characters(start + 1, count)->insert(fuzz::EditText());
        });
    }

    platform::Result<bool> save() override { return m_book->save(); }

private:
    // False, having visited nothing, when a used range is too large to walk.
    template<typename Visit> bool forEachUsedCell(Visit visit)
    {
        std::vector<std::pair<Worksheet *, CellArea>> areas;
        for (int index = 1; index <= m_book->worksheetCount(); ++index) {
            Worksheet *sheet = m_book->worksheet(index);
            if (const std::optional<CellArea> area = usedArea(*sheet)) {
                const qint64 cells = qint64(area->last.row - area->first.row + 1) *
                                     (area->last.column - area->first.column + 1);
                if (cells > kMaxWalkedCells)
                    return false;
                areas.emplace_back(sheet, *area);
            }
        }
        for (const auto &[sheet, area] : areas) {
            for (int row = area.first.row; row <= area.last.row; ++row) {
                for (int column = area.first.column; column <= area.last.column; ++column) {
                    if (std::unique_ptr<Range> cell = sheet->range(cellName({row, column})))
                        visit(*sheet, *cell);
                }
            }
        }
        return true;
    }

    std::unique_ptr<XlsxWorkbook> m_book;
};

fuzz::OpenedDocument openWorkbook(const QString &path)
{
    return fuzz::OpenedAs<ExcelDocument>(XlsxWorkbook::open(path));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    fuzz::EnsureApplication();
    static fuzz::PackageTemplate sample(
        QStringLiteral(MURVEL_FUZZ_PACKAGES "/sample.xlsx"),
        {QStringLiteral("xl/worksheets/sheet1.xml"), QStringLiteral("xl/sharedStrings.xml")});
    g_template = &sample;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::string_view input = fuzz::BytesOf(data, size);
    if (holdsLargeNumber(input))
        return 0;
    fuzz::CheckRoundTrip(g_template->write(input), openWorkbook);
    return 0;
}
