#include "platform/office/excel/xlsxapplication.h"
#include "tests/platform/office/excel/sampleworkbook.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

// A sheet of one column of shared strings, each cell its own string, opened and every cell
// read as the host shows them.
namespace
{

void BM_OpenAndReadEverySharedString(benchmark::State &state)
{
    const int rows = int(state.range(0));
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("strings.xlsx"));
    if (!writeSharedStringsWorkbook(path, rows)) {
        state.SkipWithError("the workbook cannot be written");
        return;
    }
    for (auto _ : state) {
        office::excel::XlsxApplication excel;
        auto book = excel.workbooks().open(path);
        if (!book.ok()) {
            state.SkipWithError(book.errorString().toUtf8().constData());
            return;
        }
        office::excel::Worksheet *sheet = book.value()->worksheet(1);
        for (int i = 1; i <= rows; ++i)
            benchmark::DoNotOptimize(sheet->range(QStringLiteral("A%1").arg(i))->value());
    }
    state.SetComplexityN(rows);
}

BENCHMARK(BM_OpenAndReadEverySharedString)
    ->RangeMultiplier(4)
    ->Range(2000, 32000)
    ->Complexity()
    ->Unit(benchmark::kMillisecond);

} // namespace
