#include "platform/office/word/docx/inlineshapes.h"

#include "platform/office/word/docx/picturefacts.h"
#include "platform/office/word/docx/storynodes.h"

#include <QFile>
#include <QFileInfo>

namespace word::docx
{
namespace
{

constexpr const char *imageRelationship =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/image";
constexpr qint64 emuPerInch = 914400;

pugi::xml_node drawingOf(const pugi::xml_node &element)
{
    if (!named(element, "mc:AlternateContent"))
        return element;
    return element.child("mc:Choice").first_child();
}

// The root of a part declares the prefixes the new drawing uses.
void declareNamespaces(pugi::xml_node root)
{
    const std::pair<const char *, const char *> prefixes[] = {
        {"xmlns:wp", "http://schemas.openxmlformats.org/drawingml/2006/wordprocessingDrawing"},
        {"xmlns:r", "http://schemas.openxmlformats.org/officeDocument/2006/relationships"},
        {"xmlns:w", "http://schemas.openxmlformats.org/wordprocessingml/2006/main"}};
    for (const auto &[prefix, uri] : prefixes) {
        if (!root.attribute(prefix))
            root.append_attribute(prefix).set_value(uri);
    }
}

QByteArray pictureXml(qint64 width, qint64 height, int id, const QString &name,
                      const QString &relationshipId)
{
    const QByteArray cx = QByteArray::number(width);
    const QByteArray cy = QByteArray::number(height);
    const QByteArray number = QByteArray::number(id);
    const QByteArray fileName = name.toHtmlEscaped().toUtf8();
    return "<wp:inline distT=\"0\" distB=\"0\" distL=\"0\" distR=\"0\">"
           "<wp:extent cx=\"" +
           cx + "\" cy=\"" + cy +
           "\"/>"
           "<wp:effectExtent l=\"0\" t=\"0\" r=\"0\" b=\"0\"/>"
           "<wp:docPr id=\"" +
           number + "\" name=\"Picture " + number +
           "\"/>"
           "<wp:cNvGraphicFramePr><a:graphicFrameLocks "
           "xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\" "
           "noChangeAspect=\"1\"/></wp:cNvGraphicFramePr>"
           "<a:graphic xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\">"
           "<a:graphicData uri=\"http://schemas.openxmlformats.org/drawingml/2006/picture\">"
           "<pic:pic xmlns:pic=\"http://schemas.openxmlformats.org/drawingml/2006/picture\">"
           "<pic:nvPicPr><pic:cNvPr id=\"0\" name=\"" +
           fileName +
           "\"/><pic:cNvPicPr/>"
           "</pic:nvPicPr><pic:blipFill><a:blip r:embed=\"" +
           relationshipId.toUtf8() +
           "\"/><a:stretch><a:fillRect/></a:stretch></pic:blipFill>"
           "<pic:spPr><a:xfrm><a:off x=\"0\" y=\"0\"/><a:ext cx=\"" +
           cx + "\" cy=\"" + cy +
           "\"/></a:xfrm><a:prstGeom prst=\"rect\"><a:avLst/></a:prstGeom></pic:spPr>"
           "</pic:pic></a:graphicData></a:graphic></wp:inline>";
}

} // namespace

bool DocxInlineShape::isInlinePicture(const pugi::xml_node &element)
{
    const pugi::xml_node drawing = drawingOf(element);
    if (named(drawing, "w:drawing"))
        return bool(drawing.child("wp:inline"));
    if (named(drawing, "w:pict")) {
        const pugi::xml_node shape = drawing.child("v:shape");
        return shape && shape.child("v:imagedata") &&
               std::strstr(shape.attribute("style").value(), "position:absolute") == nullptr;
    }
    return false;
}

pugi::xml_attribute DocxInlineShape::altAttribute(bool create) const
{
    const pugi::xml_node drawing = drawingOf(m_element);
    pugi::xml_node holder = named(drawing, "w:drawing")
                                ? drawing.child("wp:inline").child("wp:docPr")
                                : drawing.child("v:shape");
    const char *name = named(drawing, "w:drawing") ? "descr" : "alt";
    pugi::xml_attribute attribute = holder.attribute(name);
    if (!attribute && create && holder)
        attribute = holder.append_attribute(name);
    return attribute;
}

QString DocxInlineShape::alternativeText() const
{
    return QString::fromUtf8(altAttribute(false).value());
}

void DocxInlineShape::setAlternativeText(const QString &text)
{
    pugi::xml_attribute attribute = altAttribute(true);
    if (!attribute)
        return;
    attribute.set_value(text.toUtf8().constData());
    m_document->changed(m_story->part());
}

int DocxInlineShape::position() const
{
    for (const auto &[element, position] : m_story->objects()) {
        if (element == m_element)
            return position;
    }
    return -1;
}

void DocxInlineShape::select()
{
    const int at = position();
    if (at >= 0)
        m_document->select(m_story, at, at + 1);
}

void DocxInlineShape::deleteShape()
{
    const int at = position();
    if (at >= 0)
        m_story->replace(at, at + 1, QString());
}

void DocxInlineShapes::refresh() const
{
    const auto &story = m_document->mainStory();
    if (m_version == story->version())
        return;
    m_version = story->version();
    m_order.clear();
    for (const auto &[element, position] : story->objects()) {
        if (DocxInlineShape::isInlinePicture(element))
            m_order.push_back(element);
    }
}

InlineShape *DocxInlineShapes::shapeFor(const std::shared_ptr<Story> &story,
                                        pugi::xml_node element) const
{
    auto &shape = m_shapes[element.internal_object()];
    if (!shape)
        shape = std::make_unique<DocxInlineShape>(m_document, story, element);
    return shape.get();
}

int DocxInlineShapes::count() const
{
    refresh();
    return int(m_order.size());
}

InlineShape *DocxInlineShapes::item(int index)
{
    refresh();
    if (index < 1 || index > int(m_order.size()))
        return nullptr;
    return shapeFor(m_document->mainStory(), m_order[size_t(index - 1)]);
}

platform::Result<InlineShape *> DocxInlineShapes::addPicture(const QString &fileName, Range &range)
{
    using Added = platform::Result<InlineShape *>;
    auto *target = dynamic_cast<DocxRange *>(&range);
    if (target == nullptr || target->document() != m_document || !target->story()->isOpen())
        return Added::failure(QStringLiteral("範圍不在這份文件中"));
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return Added::failure(QStringLiteral("無法讀取圖片：%1").arg(fileName));
    const QByteArray data = file.readAll();
    const std::optional<PictureFacts> picture = PictureFactsOf(data);
    if (!picture)
        return Added::failure(QStringLiteral("不是圖片檔：%1").arg(fileName));

    const QByteArray &format = picture->format;
    const QString extension = QString::fromLatin1(format == "jpg" ? QByteArray("jpeg") : format);
    office::Package &package = m_document->package();
    const QString part = package.uniquePartName(QStringLiteral("word/media/image%1.") + extension);
    package.setBytes(part, data, QStringLiteral("image/") + extension);
    const QString &storyPart = target->story()->part();
    const QString folder = storyPart.left(storyPart.lastIndexOf(u'/') + 1);
    const QString relationshipId =
        package.addRelationship(storyPart, QString::fromLatin1(imageRelationship),
                                part.startsWith(folder) ? part.mid(folder.size()) : part);
    declareNamespaces(package.xml(storyPart)->document_element());

    // The picture keeps the size its resolution gives it (96 dots per inch when unknown).
    auto dotsPerInch = [](int dotsPerMeter) {
        return dotsPerMeter > 0 ? dotsPerMeter * 0.0254 : 96.0;
    };
    const qint64 width =
        qRound64(picture->pixels.width() * emuPerInch / dotsPerInch(picture->dotsPerMeterX));
    const qint64 height =
        qRound64(picture->pixels.height() * emuPerInch / dotsPerInch(picture->dotsPerMeterY));
    const QByteArray xml = pictureXml(width, height, m_document->newDrawingId(),
                                      QFileInfo(part).fileName(), relationshipId);
    pugi::xml_node drawing;
    const int at =
        target->story()->replaceWithObject(target->start(), target->end(), [&](pugi::xml_node run) {
            drawing = run.append_child("w:drawing");
            drawing.append_buffer(xml.constData(), size_t(xml.size()));
        });
    target->setRange(at, at + 1);
    return Added(shapeFor(target->story(), drawing));
}

} // namespace word::docx
