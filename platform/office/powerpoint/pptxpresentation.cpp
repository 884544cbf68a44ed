#include "platform/office/powerpoint/pptxpresentation.h"

#include "platform/office/package/documentmessages.h"
#include "platform/office/package/xmlnodes.h"
#include "platform/office/powerpoint/pptxshape.h"

#include <QFileInfo>

namespace office::powerpoint
{

namespace
{

const char slideType[] =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/slide";
const char themeType[] =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/theme";

} // namespace

PptxSlide::PptxSlide(PptxPresentation &presentation, int index, const QString &partName)
    : m_presentation(presentation), m_index(index), m_partName(partName)
{
}

PptxSlide::~PptxSlide() = default;

bool PptxSlide::load()
{
    pugi::xml_document *document = m_presentation.package().xml(m_partName);
    if (!document)
        return false;
    pugi::xml_node tree = document->document_element().child("p:cSld").child("p:spTree");
    m_shapes = PptxShape::childShapes(m_presentation, m_partName, tree);
    return true;
}

Shape *PptxSlide::shape(int index)
{
    if (index < 1 || index > shapeCount())
        return nullptr;
    return m_shapes[size_t(index - 1)].get();
}

void PptxSlide::select()
{
    m_presentation.selectSlide(this);
}

platform::Result<std::unique_ptr<PptxPresentation>> PptxPresentation::open(const QString &fileName)
{
    using Opened = platform::Result<std::unique_ptr<PptxPresentation>>;
    auto package = Package::open(fileName);
    if (!package)
        return Opened::failure(package.errorString());
    std::unique_ptr<PptxPresentation> presentation(new PptxPresentation);
    presentation->m_package = std::move(package).value();
    presentation->m_fullName = QFileInfo(fileName).absoluteFilePath();

    Package &parts = *presentation->m_package;
    QString main = parts.mainPart();
    pugi::xml_document *document = parts.xml(main);
    pugi::xml_node root = document ? document->document_element() : pugi::xml_node();
    if (QByteArray(root.name()) != "p:presentation")
        return Opened::failure(cannotOpen(
            fileName, document ? QStringLiteral("這不是 PowerPoint 簡報") : parts.errorString()));

    const QList<Relationship> relationships = parts.relationships(main);
    for (pugi::xml_node entry : root.child("p:sldIdLst").children("p:sldId")) {
        QString id = xml::relationshipId(entry);
        for (const Relationship &relationship : relationships) {
            if (relationship.id != id || relationship.type != QLatin1String(slideType))
                continue;
            auto slide =
                std::make_unique<PptxSlide>(*presentation, int(presentation->m_slides.size()) + 1,
                                            parts.resolveTarget(main, relationship));
            if (!slide->load())
                return Opened::failure(cannotOpen(fileName, parts.errorString()));
            presentation->m_slides.push_back(std::move(slide));
        }
    }
    pugi::xml_node defaults = root.child("p:defaultTextStyle").child("a:lvl1pPr").child("a:defRPr");
    presentation->m_defaultTypeface = xml::attribute(defaults.child("a:latin"), "typeface");
    if (presentation->m_defaultTypeface.isEmpty())
        presentation->m_defaultTypeface = QStringLiteral("+mn-lt");
    presentation->readTheme();
    return Opened(std::move(presentation));
}

void PptxPresentation::readTheme()
{
    QString main = m_package->mainPart();
    for (const Relationship &relationship : m_package->relationships(main)) {
        if (relationship.type != QLatin1String(themeType))
            continue;
        pugi::xml_document *theme = m_package->xml(m_package->resolveTarget(main, relationship));
        if (!theme)
            return;
        pugi::xml_node scheme =
            theme->document_element().child("a:themeElements").child("a:fontScheme");
        for (auto [element, prefix] : {std::pair{"a:majorFont", "+mj-"}, {"a:minorFont", "+mn-"}}) {
            pugi::xml_node fonts = scheme.child(element);
            m_themeFonts.insert(QLatin1String(prefix) + "lt",
                                xml::attribute(fonts.child("a:latin"), "typeface"));
            m_themeFonts.insert(QLatin1String(prefix) + "ea",
                                xml::attribute(fonts.child("a:ea"), "typeface"));
        }
        return;
    }
}

QString PptxPresentation::resolveTypeface(const QString &typeface) const
{
    return m_themeFonts.value(typeface, typeface.startsWith(u'+') ? QString() : typeface);
}

PptxPresentation::~PptxPresentation() = default;

QString PptxPresentation::name() const
{
    return QFileInfo(m_fullName).fileName();
}

QString PptxPresentation::path() const
{
    return QFileInfo(m_fullName).absolutePath();
}

platform::Result<bool> PptxPresentation::save()
{
    auto saved = m_package->save(m_fullName);
    if (saved)
        m_saved = true;
    return saved;
}

platform::Result<bool> PptxPresentation::saveAs(const QString &fileName, int, int)
{
    auto saved = m_package->save(fileName);
    if (saved) {
        m_fullName = QFileInfo(fileName).absoluteFilePath();
        m_saved = true;
    }
    return saved;
}

void PptxPresentation::close()
{
    if (m_hooks.close)
        m_hooks.close(this); // deletes this presentation
}

Slide *PptxPresentation::slide(int index)
{
    if (index < 1 || index > slideCount())
        return nullptr;
    return m_slides[size_t(index - 1)].get();
}

void PptxPresentation::changed(const QString &partName)
{
    m_package->markChanged(partName);
    m_saved = false;
}

void PptxPresentation::selectSlide(PptxSlide *slide)
{
    if (m_hooks.selectSlide)
        m_hooks.selectSlide(slide);
}

} // namespace office::powerpoint
