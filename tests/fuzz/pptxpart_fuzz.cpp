// The presentation engine on a valid .pptx whose first slide is the input: a slide that is
// not well-formed is refused with a message; any other presentation opens, the walk of the
// text frames of every slide (in groups and table cells too) completes, and an edit of every
// frame saves and reads back.
#include "documentroundtrip.h"
#include "fuzzsupport.h"
#include "packagetemplate.h"
#include "platform/office/powerpoint/pptxpresentation.h"

namespace
{

using namespace office::powerpoint;

fuzz::PackageTemplate *g_template = nullptr;

// The text frames of a shape in the host's order: its group's items, its own frame, its
// table's cells.
void collectFrames(Shape &shape, QList<TextFrame *> &frames)
{
    for (int i = 1; i <= shape.groupItemCount(); ++i) {
        if (Shape *item = shape.groupItem(i))
            collectFrames(*item, frames);
    }
    if (shape.hasTextFrame())
        frames.append(shape.textFrame());
    if (Table *table = shape.hasTable() ? shape.table() : nullptr) {
        for (int row = 1; row <= table->rowCount(); ++row) {
            for (int column = 1; column <= table->columnCount(); ++column) {
                if (Cell *cell = table->cell(row, column))
                    collectFrames(cell->shape(), frames);
            }
        }
    }
}

class PowerPointDocument final : public fuzz::EngineDocument
{
public:
    explicit PowerPointDocument(std::unique_ptr<PptxPresentation> presentation)
        : m_presentation(std::move(presentation))
    {
    }

    std::optional<QStringList> texts() override
    {
        QStringList texts;
        for (TextFrame *frame : frames())
            texts.append(frame->textRange()->text());
        return texts;
    }

    void edit() override
    {
        for (TextFrame *frame : frames()) {
            const auto [start, count] = fuzz::StretchToEdit(frame->textRange()->length());
            frame->textRange()->characters(start + 1, count)->setText(fuzz::EditText());
        }
    }

    platform::Result<bool> save() override { return m_presentation->save(); }

private:
    QList<TextFrame *> frames()
    {
        QList<TextFrame *> frames;
        for (int index = 1; index <= m_presentation->slideCount(); ++index) {
            Slide *slide = m_presentation->slide(index);
            for (int i = 1; i <= slide->shapeCount(); ++i) {
                if (Shape *shape = slide->shape(i))
                    collectFrames(*shape, frames);
            }
        }
        return frames;
    }

    std::unique_ptr<PptxPresentation> m_presentation;
};

fuzz::OpenedDocument openPresentation(const QString &path)
{
    return fuzz::OpenedAs<PowerPointDocument>(PptxPresentation::open(path));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    fuzz::EnsureApplication();
    static fuzz::PackageTemplate sample(QStringLiteral(MURVEL_FUZZ_PACKAGES "/sample.pptx"),
                                        {QStringLiteral("ppt/slides/slide1.xml")});
    g_template = &sample;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::string_view input = fuzz::BytesOf(data, size);
    // Groups are read by recursion into nested groups: inputs stay below the depth it
    // survives.
    if (fuzz::MarkupDepth(input) > fuzz::kMaxMarkupDepth)
        return 0;
    fuzz::CheckRoundTrip(g_template->write(input), openPresentation);
    return 0;
}
