#include "comAddIn/porvex/powerpoint/powerpointconversion.h"

#include "comAddIn/porvex/formulascanner.h"
#include "comAddIn/porvex/sourcepositions.h"

#include <utility>
#include <vector>

namespace porvex
{

namespace
{

using namespace office::powerpoint;
using Cursor = office::HostApplication::Cursor;
using ShapePair = std::pair<Shape *, Shape *>; // the copy's shape and the source's

// The shapes of a slide shape that hold text, its groups opened to any depth, copy and
// source taken in step, position by position.
std::vector<ShapePair> textShapesOf(Shape &copy, Shape &source)
{
    std::vector<ShapePair> shapes;
    std::vector<ShapePair> groups;
    if (copy.type() == Shape::Type::Group)
        groups.emplace_back(&copy, &source);
    else
        shapes.emplace_back(&copy, &source);
    while (!groups.empty()) {
        const auto [copyGroup, sourceGroup] = groups.back();
        groups.pop_back();
        for (int k = 1; k <= copyGroup->groupItemCount(); ++k) {
            Shape *copyItem = copyGroup->groupItem(k);
            Shape *sourceItem = sourceGroup->groupItem(k);
            if (!copyItem || !sourceItem)
                continue;
            if (copyItem->type() == Shape::Type::Group)
                groups.emplace_back(copyItem, sourceItem);
            else
                shapes.emplace_back(copyItem, sourceItem);
        }
    }
    return shapes;
}

} // namespace

PowerPointConversion::PowerPointConversion(Application &powerPoint,
                                           const ConversionContext &context)
    : m_powerPoint(powerPoint), m_context(context)
{
}

platform::Result<bool> PowerPointConversion::ConvertPresentationToGlyphs()
{
    Presentation *source = m_powerPoint.activePresentation();
    DocumentWindow *window = m_powerPoint.activeWindow();
    if (!source || !window)
        return true;
    ConversionRun run(m_powerPoint, m_context);
    const int viewType = window->viewType();
    int slideIndex = 0;
    if (viewType == DocumentWindow::NormalView && window->view().slide())
        slideIndex = window->view().slide()->slideIndex();

    const QString sourcePath = source->fullName();
    Presentation *copy = writePreviewCopy(run);
    if (!copy)
        return run.finish();
    source = m_powerPoint.presentations().item(sourcePath);
    if (!source) {
        run.fail(u"找不到原始簡報 %1"_qs.arg(sourcePath));
        return run.finish();
    }
    const int slides = copy->slideCount();
    for (int i = 1; i <= slides; ++i) {
        Slide *copySlide = copy->slide(i);
        Slide *sourceSlide = source->slide(i);
        if (copySlide && sourceSlide)
            convertSlide(run, *copySlide, *sourceSlide);
    }

    if (DocumentWindow *shown = m_powerPoint.activeWindow()) {
        if (shown->viewType() != viewType)
            shown->setViewType(viewType);
        if (shown->viewType() == DocumentWindow::NormalView) {
            for (Presentation *presentation : {source, copy}) {
                if (Slide *slide = presentation->slide(slideIndex))
                    slide->select();
            }
        }
    }
    if (!source->saved()) {
        if (platform::Result<bool> saved = source->save(); !saved)
            run.fail(saved.errorString());
    }
    if (platform::Result<bool> saved = copy->saveAs(copy->fullName()); !saved)
        run.fail(saved.errorString());
    return run.finish();
}

Presentation *PowerPointConversion::writePreviewCopy(ConversionRun &run)
{
    Presentation *source = m_powerPoint.activePresentation();
    if (!source->saved()) {
        if (platform::Result<bool> saved = source->save(); !saved)
            run.fail(saved.errorString());
    }
    if (source->path().isEmpty())
        return nullptr; // never saved: there is nowhere to put the copy
    const QString sourcePath = source->fullName();
    const QString copyPath = PreviewCopyPath(source->path(), source->name(), u"☆.pptx"_qs);

    Presentations &open = m_powerPoint.presentations();
    for (int index = open.count(); index >= 1; --index) {
        if (Presentation *presentation = open.item(index);
            presentation && presentation->fullName() == copyPath)
            presentation->close();
    }
    platform::Result<bool> copied = source->saveAs(copyPath);
    if (!copied) {
        run.fail(copied.errorString());
        return nullptr;
    }
    if (platform::Result<bool> back = source->saveAs(sourcePath); !back)
        run.fail(back.errorString());
    platform::Result<Presentation *> copy = open.open(copyPath);
    if (!copy) {
        run.fail(copy.errorString());
        return nullptr;
    }
    return copy.value();
}

void PowerPointConversion::convertSlide(ConversionRun &run, Slide &copy, Slide &source)
{
    const int shapes = copy.shapeCount();
    for (int j = 1; j <= shapes; ++j) {
        Shape *copyShape = copy.shape(j);
        Shape *sourceShape = source.shape(j);
        if (!copyShape || !sourceShape)
            continue;
        for (const auto &[copyText, sourceText] : textShapesOf(*copyShape, *sourceShape))
            convertShape(run, *copyText, *sourceText);
    }
}

void PowerPointConversion::convertShape(ConversionRun &run, Shape &copy, Shape &source)
{
    if (copy.hasTextFrame()) {
        TextFrame *copyFrame = copy.textFrame();
        TextFrame *sourceFrame = source.textFrame();
        if (copyFrame && sourceFrame && copyFrame->hasText())
            ConvertTextRangeFormulas(run, *copyFrame, *sourceFrame);
        return;
    }
    if (!copy.hasTable() || !source.hasTable())
        return;
    Table &copyTable = *copy.table();
    Table &sourceTable = *source.table();
    for (int r = 1; r <= copyTable.rowCount(); ++r) {
        for (int c = 1; c <= copyTable.columnCount(); ++c) {
            Cell *copyCell = copyTable.cell(r, c);
            Cell *sourceCell = sourceTable.cell(r, c);
            if (!copyCell || !sourceCell)
                continue;
            TextFrame *copyFrame = copyCell->shape().textFrame();
            TextFrame *sourceFrame = sourceCell->shape().textFrame();
            if (copyFrame && sourceFrame)
                ConvertTextRangeFormulas(run, *copyFrame, *sourceFrame);
        }
    }
}

void PowerPointConversion::ConvertTextRangeFormulas(ConversionRun &run, TextFrame &copy,
                                                    TextFrame &source)
{
    const FormulaScanner scanner(FormulaScanner::Mode::Paragraphs);
    SourcePositions positions;
    HostPicker picker(
        *m_context.picker, [&] { m_powerPoint.setCursor(Cursor::Normal); },
        [&] { m_powerPoint.setCursor(Cursor::Wait); });

    int from = 0;
    for (;;) {
        // Read again after every write, which shortens the text.
        const QString text = copy.textRange()->text();
        const std::optional<FoundFormula> found = scanner.next(text, from);
        if (!found)
            break;
        const QString formula = text.mid(found->start, found->length);
        const Lookup &lookup = run.engine().lookUp(formula, picker);
        std::unique_ptr<TextRange> range =
            copy.textRange()->characters(found->start + 1, found->length);
        const GlyphWrite write = lookup.writeFor(range->font().name());
        if (!write.writes())
            continue;
        range->setText(write.text);
        if (write.face)
            range->font().setName(*write.face);

        int sourceLength = found->length;
        if (!lookup.resultText.isEmpty()) {
            // Only the formula at this place changes, not a longer one holding its text.
            const int at = positions.sourcePosition(found->start);
            std::unique_ptr<TextRange> place =
                source.textRange()->characters(at + 1, found->length);
            if (place->text() == formula) {
                place->setText(lookup.resultText);
                sourceLength = int(lookup.resultText.size());
            }
        }
        positions.rewrite(found->start, found->length, int(write.text.size()), sourceLength);
        from = found->start + 1;
    }
}

platform::Result<bool> InsertOperatorInto(Application &powerPoint, int k)
{
    DocumentWindow *window = powerPoint.activeWindow();
    if (!window || window->selection().type() != Selection::Type::Text)
        return true;
    const QString symbol = OperatorSymbol(k);
    if (!symbol.isEmpty()) {
        if (std::unique_ptr<TextRange> selected = window->selection().textRange())
            selected->setText(symbol);
    }
    window->sendKeys(u"{RIGHT}"_qs);
    return true;
}

} // namespace porvex
