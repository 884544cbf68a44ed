// PowerPoint: one text per text frame of every slide of each open presentation (shapes in
// groups and table cells too), with the window's text selection.
#include "comAddIn/officehost/hostkinds.h"
#include "platform/office/powerpoint/pptxapplication.h"
#include "platform/office/powerpoint/pptxshape.h"

namespace officehost
{

namespace
{

using namespace office::powerpoint;

struct FramePlace {
    Slide *slide = nullptr;     // owned by the presentation
    TextFrame *frame = nullptr; // owned by its shape
};

void collectFrames(Slide *slide, Shape *shape, QList<FramePlace> &places)
{
    for (int i = 1; i <= shape->groupItemCount(); ++i)
        collectFrames(slide, shape->groupItem(i), places);
    if (shape->hasTextFrame())
        places.append({slide, shape->textFrame()});
    if (Table *table = shape->hasTable() ? shape->table() : nullptr) {
        for (int row = 1; row <= table->rowCount(); ++row) {
            for (int column = 1; column <= table->columnCount(); ++column) {
                if (Cell *cell = table->cell(row, column))
                    collectFrames(slide, &cell->shape(), places);
            }
        }
    }
}

class PowerPointPresentation final : public HostDocument
{
public:
    // Both owned by the application.
    PowerPointPresentation(PptxApplication &application, Presentation *presentation)
        : m_application(application), m_presentation(presentation)
    {
    }

    Presentation *model() const { return m_presentation; }

    office::HostApplication &application() override { return m_application; }
    QString fullName() const override { return m_presentation->fullName(); }

    QList<TextSegment> segments() override
    {
        m_frames.clear();
        for (int index = 1; index <= m_presentation->slideCount(); ++index) {
            Slide *slide = m_presentation->slide(index);
            for (int i = 1; i <= slide->shapeCount(); ++i)
                collectFrames(slide, slide->shape(i), m_frames);
        }
        QList<TextSegment> segments;
        for (const FramePlace &place : std::as_const(m_frames)) {
            segments.append(
                {u"投影片 %1"_qs.arg(place.slide->slideIndex()), place.frame->textRange()->text()});
        }
        return segments;
    }

    QString faceAt(int segment, int position) override
    {
        if (segment < 0 || segment >= m_frames.size())
            return QString();
        return m_frames[segment].frame->textRange()->characters(position + 1)->font().name();
    }

    void select(const SegmentSelection &selection) override
    {
        if (selection.segment < 0 || selection.segment >= m_frames.size())
            return;
        const FramePlace &place = m_frames[selection.segment];
        place.slide->select();
        m_application.window().textSelection().selectText(place.frame, selection.start + 1,
                                                          selection.end - selection.start);
    }

    std::optional<SegmentSelection> selection() override
    {
        PptxSelection &selection = m_application.window().textSelection();
        const TextSpan *span = selection.span();
        if (!span)
            return std::nullopt;
        for (int i = 0; i < m_frames.size(); ++i) {
            if (m_frames[i].frame == static_cast<TextFrame *>(selection.frame()))
                return SegmentSelection{i, span->start, span->start + span->length};
        }
        return std::nullopt;
    }

    bool saved() const override { return m_presentation->saved(); }
    platform::Result<bool> save() override { return m_presentation->save(); }

private:
    PptxApplication &m_application;
    Presentation *m_presentation;
    QList<FramePlace> m_frames; // of the segments last given
};

class PowerPointSession final
    : public MultiDocumentSession<PptxApplication, Presentation, PowerPointPresentation>
{
private:
    platform::Result<Presentation *> openModel(const QString &path) override
    {
        return m_application.presentations().open(path, false, false, true);
    }
    QList<Presentation *> openModels() override { return itemsOf(m_application.presentations()); }
    Presentation *activeModel() override { return m_application.activePresentation(); }
    void activateModel(Presentation *presentation) override
    {
        m_application.activate(presentation);
    }
    void closeModel(Presentation *presentation) override { presentation->close(); }
    std::unique_ptr<PowerPointPresentation> adapt(Presentation *presentation) override
    {
        return std::make_unique<PowerPointPresentation>(m_application, presentation);
    }
};

} // namespace

std::unique_ptr<HostSession> newPowerPointSession()
{
    return std::make_unique<PowerPointSession>();
}

} // namespace officehost
