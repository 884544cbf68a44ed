#pragma once

#include "platform/office/powerpoint/pptxpresentation.h"
#include "platform/office/powerpoint/pptxtextrange.h"

namespace office::powerpoint
{

class PptxApplication;

// What the user has selected in the window: nothing, the slide, a shape, or text (an
// insertion point when its length is 0).
class PptxSelection : public Selection
{
public:
    Type type() const override { return m_type; }
    std::unique_ptr<TextRange> textRange() override;

    void clear();
    void selectSlide();
    void selectShape();
    void selectText(TextFrame *frame, int start, int length); // start from 1
    // The text selection's place, or nullptr.
    TextSpan *span() const { return m_type == Type::Text ? m_span.get() : nullptr; }
    PptxTextFrame *frame() const { return m_frame; }

private:
    Type m_type = Type::None;
    PptxTextFrame *m_frame = nullptr; // not owned
    std::shared_ptr<TextSpan> m_span;
};

class PptxWindow : public DocumentWindow, public View
{
public:
    explicit PptxWindow(PptxApplication &application) : m_application(application) {}
    int viewType() const override { return m_viewType; }
    void setViewType(int type) override { m_viewType = type; }
    View &view() override { return *this; }
    Selection &selection() override { return m_selection; }
    void sendKeys(const QString &keys) override;
    Slide *slide() override;

    void show(PptxSlide *slide) { m_slide = slide; }
    PptxSelection &textSelection() { return m_selection; }
    void forget(PptxPresentation *closing);

private:
    PptxApplication &m_application;
    int m_viewType = NormalView;
    PptxSlide *m_slide = nullptr; // not owned
    PptxSelection m_selection;
};

class PptxPresentations : public Presentations
{
public:
    explicit PptxPresentations(PptxApplication &application) : m_application(application) {}
    ~PptxPresentations() override;
    int count() const override { return int(m_open.size()); }
    Presentation *item(int index) override;
    Presentation *item(const QString &name) override;
    platform::Result<Presentation *> open(const QString &fileName, bool readOnly, bool untitled,
                                          bool withWindow) override;
    PptxPresentation *active() const { return m_active; }
    // Makes an open presentation the active one, shown in the window with nothing selected,
    // as the user brings it to the front.
    void activate(Presentation *presentation);

private:
    void remove(PptxPresentation *presentation);

    PptxApplication &m_application;
    std::vector<std::unique_ptr<PptxPresentation>> m_open;
    PptxPresentation *m_active = nullptr;
};

// The presentation host: one window, which shows the active presentation.
class PptxApplication : public Application
{
public:
    Presentations &presentations() override
    {
        documentsRequested();
        return m_presentations;
    }
    Presentation *activePresentation() override
    {
        documentsRequested();
        return m_presentations.active();
    }
    DocumentWindow *activeWindow() override;
    PptxWindow &window() { return m_window; }
    void activate(Presentation *presentation) { m_presentations.activate(presentation); }

private:
    PptxWindow m_window{*this};
    PptxPresentations m_presentations{*this};
};

} // namespace office::powerpoint
