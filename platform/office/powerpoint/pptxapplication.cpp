#include "platform/office/powerpoint/pptxapplication.h"

#include "platform/office/powerpoint/pptxshape.h"

#include <QFileInfo>

namespace office::powerpoint
{

std::unique_ptr<TextRange> PptxSelection::textRange()
{
    if (m_type != Type::Text)
        return nullptr;
    return std::make_unique<PptxTextRange>(*m_frame, m_span);
}

void PptxSelection::clear()
{
    m_type = Type::None;
    m_frame = nullptr;
}

void PptxSelection::selectSlide()
{
    clear();
    m_type = Type::Slides;
}

void PptxSelection::selectShape()
{
    clear();
    m_type = Type::Shapes;
}

void PptxSelection::selectText(TextFrame *frame, int start, int length)
{
    clear();
    m_frame = dynamic_cast<PptxTextFrame *>(frame);
    if (!m_frame)
        return;
    m_type = Type::Text;
    m_span = std::make_shared<TextSpan>(TextSpan{std::max(start - 1, 0), std::max(length, 0)});
}

void PptxWindow::sendKeys(const QString &keys)
{
    TextSpan *span = m_selection.span();
    // Only the arrow that leaves the caret after inserted text is understood.
    if (keys != u"{RIGHT}" || !span)
        return;
    if (span->length > 0)
        span->start += span->length;
    else
        span->start = std::min(span->start + 1, m_selection.frame()->body().read().length());
    span->length = 0;
}

Slide *PptxWindow::slide()
{
    PptxPresentation *shown =
        m_application.presentations().count() > 0
            ? static_cast<PptxPresentation *>(m_application.activePresentation())
            : nullptr;
    if (m_slide && &m_slide->presentation() == shown)
        return m_slide;
    return shown ? shown->slide(1) : nullptr;
}

void PptxWindow::forget(PptxPresentation *closing)
{
    if (m_slide && &m_slide->presentation() == closing)
        m_slide = nullptr;
    // A text selection in the closing presentation would point at freed shapes.
    m_selection.clear();
}

PptxPresentations::~PptxPresentations() = default;

Presentation *PptxPresentations::item(int index)
{
    if (index < 1 || index > count())
        return nullptr;
    return m_open[size_t(index - 1)].get();
}

Presentation *PptxPresentations::item(const QString &name)
{
    QString full = QFileInfo(name).absoluteFilePath();
    for (const auto &presentation : m_open) {
        if (presentation->fullName() == full || presentation->name() == name)
            return presentation.get();
    }
    return nullptr;
}

platform::Result<Presentation *> PptxPresentations::open(const QString &fileName, bool, bool, bool)
{
    auto opened = PptxPresentation::open(fileName);
    if (!opened)
        return platform::Result<Presentation *>::failure(opened.errorString());
    PptxPresentation *presentation = opened.value().get();
    presentation->setHooks({[this](PptxPresentation *closing) { remove(closing); },
                            [this](PptxSlide *slide) {
                                if (&slide->presentation() == m_active)
                                    m_application.window().show(slide);
                            }});
    m_open.push_back(std::move(opened).value());
    m_active = presentation;
    m_application.window().textSelection().clear();
    return platform::Result<Presentation *>(presentation);
}

void PptxPresentations::activate(Presentation *presentation)
{
    const auto found = std::find_if(m_open.begin(), m_open.end(), [presentation](const auto &open) {
        return open.get() == presentation;
    });
    if (found == m_open.end() || found->get() == m_active)
        return;
    m_active = found->get();
    m_application.window().textSelection().clear();
}

void PptxPresentations::remove(PptxPresentation *presentation)
{
    auto found = std::find_if(m_open.begin(), m_open.end(), [presentation](const auto &open) {
        return open.get() == presentation;
    });
    if (found == m_open.end())
        return;
    m_application.window().forget(presentation);
    std::unique_ptr<PptxPresentation> closing = std::move(*found);
    m_open.erase(found);
    if (m_active == presentation)
        m_active = m_open.empty() ? nullptr : m_open.back().get();
}

DocumentWindow *PptxApplication::activeWindow()
{
    documentsRequested();
    return m_presentations.active() ? &m_window : nullptr;
}

} // namespace office::powerpoint
