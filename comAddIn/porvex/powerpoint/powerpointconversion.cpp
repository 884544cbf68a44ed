#include "comAddIn/porvex/powerpoint/powerpointconversion.h"

#include "comAddIn/porvex/formulascanner.h"
#include "comAddIn/porvex/textconversion.h"

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

// The text of a text frame, taken afresh for every step since writing changes its length.
// A glyph's typeface goes to all of the written text.
class FrameText : public EditableText
{
public:
    explicit FrameText(TextFrame &frame) : m_frame(frame) {}

    QString text() const override { return m_frame.textRange()->text(); }
    QString face(int start, int length) const override
    {
        return stretch(start, length)->font().name();
    }
    bool replace(int start, int length, const QString &text) override
    {
        stretch(start, length)->setText(text);
        return true;
    }
    void setGlyphFace(int start, int length, const QString &face) override
    {
        stretch(start, length)->font().setName(face);
    }

private:
    std::unique_ptr<TextRange> stretch(int start, int length) const
    {
        return m_frame.textRange()->characters(start + 1, length);
    }

    TextFrame &m_frame;
};

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
    if (ConversionRun::inProgress() || !source || !window)
        return true;
    ConversionRun run(m_powerPoint, m_context);
    const int viewType = window->viewType();
    int slideIndex = 0;
    if (viewType == DocumentWindow::NormalView && window->view().slide())
        slideIndex = window->view().slide()->slideIndex();

    const QString sourcePath = source->fullName();
    Presentation *copy = OpenPreviewCopy(run, *source, m_powerPoint.presentations(), u"☆.pptx"_qs);
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
    SaveSource(run, *source);
    SaveCopy(run, *copy);
    return run.finish();
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
    HostPicker picker(
        *m_context.picker, [&] { m_powerPoint.setCursor(Cursor::Normal); },
        [&] { m_powerPoint.setCursor(Cursor::Wait); });
    FrameText copyText(copy);
    FrameText sourceText(source);
    SourcePositions positions;
    ConvertTextFormulas(run, picker, copyText, sourceText, positions);
}

} // namespace porvex
