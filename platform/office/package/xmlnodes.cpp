#include "platform/office/package/xmlnodes.h"

#include <sstream>

namespace office::xml
{

namespace
{

pugi::xml_document parse(const QByteArray &xmlText, bool &ok)
{
    pugi::xml_document document;
    ok = !xmlText.isEmpty() &&
         document.load_buffer(xmlText.constData(), size_t(xmlText.size()),
                              pugi::parse_default | pugi::parse_ws_pcdata_single) &&
         document.document_element();
    return document;
}

} // namespace

QString text(const pugi::xml_node &node)
{
    return QString::fromUtf8(node.text().get());
}

QString attribute(const pugi::xml_node &node, const char *name)
{
    return QString::fromUtf8(node.attribute(name).value());
}

void setAttribute(pugi::xml_node node, const char *name, const QString &value)
{
    pugi::xml_attribute attribute = node.attribute(name);
    if (!attribute)
        attribute = node.append_attribute(name);
    attribute.set_value(value.toUtf8().constData());
}

QString relationshipId(const pugi::xml_node &node)
{
    for (pugi::xml_attribute attribute : node.attributes()) {
        if (QByteArray(attribute.name()).endsWith(":id"))
            return QString::fromUtf8(attribute.value());
    }
    return {};
}

QByteArray serialize(const pugi::xml_node &node)
{
    if (!node)
        return {};
    std::ostringstream out;
    node.print(out, "", pugi::format_raw);
    return QByteArray::fromStdString(out.str());
}

pugi::xml_node appendParsed(pugi::xml_node parent, const QByteArray &xmlText)
{
    bool ok = false;
    pugi::xml_document document = parse(xmlText, ok);
    return ok ? parent.append_copy(document.document_element()) : pugi::xml_node();
}

pugi::xml_node insertParsedBefore(pugi::xml_node parent, const QByteArray &xmlText,
                                  const pugi::xml_node &before)
{
    bool ok = false;
    pugi::xml_document document = parse(xmlText, ok);
    if (!ok)
        return {};
    return before ? parent.insert_copy_before(document.document_element(), before)
                  : parent.append_copy(document.document_element());
}

void setPreservedText(pugi::xml_node element, const QString &value)
{
    element.text().set(value.toUtf8().constData());
    bool padded = !value.isEmpty() && (value.front().isSpace() || value.back().isSpace());
    pugi::xml_attribute space = element.attribute("xml:space");
    if (padded && !space)
        element.append_attribute("xml:space").set_value("preserve");
}

} // namespace office::xml
