#pragma once

#include "platform/office/package/package.h"
#include "platform/office/powerpoint/powerpoint.h"

#include <QHash>
#include <functional>
#include <vector>

namespace office::powerpoint
{

class PptxPresentation;
class PptxShape;

class PptxSlide : public Slide
{
public:
    PptxSlide(PptxPresentation &presentation, int index, const QString &partName);
    ~PptxSlide() override;
    bool load();

    int slideIndex() const override { return m_index; }
    int shapeCount() const override { return int(m_shapes.size()); }
    Shape *shape(int index) override;
    void select() override;
    PptxPresentation &presentation() const { return m_presentation; }

private:
    PptxPresentation &m_presentation;
    int m_index;
    QString m_partName;
    std::vector<std::unique_ptr<PptxShape>> m_shapes;
};

// A presentation opened from a .pptx file, edited in place.
class PptxPresentation : public Presentation
{
public:
    struct Hooks {
        std::function<void(PptxPresentation *)> close; // deletes the presentation
        std::function<void(PptxSlide *)> selectSlide;
    };

    static platform::Result<std::unique_ptr<PptxPresentation>> open(const QString &fileName);
    ~PptxPresentation() override;
    void setHooks(Hooks hooks) { m_hooks = std::move(hooks); }

    QString name() const override;
    QString path() const override;
    QString fullName() const override { return m_fullName; }
    bool saved() const override { return m_saved; }
    platform::Result<bool> save() override;
    platform::Result<bool> saveAs(const QString &fileName, int fileFormat, int embedFonts) override;
    void close() override;
    int slideCount() const override { return int(m_slides.size()); }
    Slide *slide(int index) override;

    void changed(const QString &partName);
    void selectSlide(PptxSlide *slide);
    // The typeface of text that names none, before theme references are resolved.
    QString defaultTypeface() const { return m_defaultTypeface; }
    // A theme reference ("+mn-lt", "+mj-ea", ...) to the theme's typeface; others as given.
    QString resolveTypeface(const QString &typeface) const;
    Package &package() { return *m_package; }

private:
    PptxPresentation() = default;
    void readTheme();

    std::unique_ptr<Package> m_package;
    std::vector<std::unique_ptr<PptxSlide>> m_slides;
    QString m_fullName;
    QString m_defaultTypeface;
    QHash<QString, QString> m_themeFonts; // "+mn-lt" -> typeface
    bool m_saved = true;
    Hooks m_hooks;
};

} // namespace office::powerpoint
