#include "platform/office/package/xmlnodes.h"

#include <cstring>
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

bool sameXml(const pugi::xml_node &left, const pugi::xml_node &right)
{
    if (left.type() != right.type() || std::strcmp(left.name(), right.name()) != 0 ||
        std::strcmp(left.value(), right.value()) != 0)
        return false;
    pugi::xml_attribute a = left.first_attribute();
    pugi::xml_attribute b = right.first_attribute();
    for (; a && b; a = a.next_attribute(), b = b.next_attribute()) {
        if (std::strcmp(a.name(), b.name()) != 0 || std::strcmp(a.value(), b.value()) != 0)
            return false;
    }
    if (a || b)
        return false;
    pugi::xml_node x = left.first_child();
    pugi::xml_node y = right.first_child();
    for (; x && y; x = x.next_sibling(), y = y.next_sibling()) {
        if (!sameXml(x, y))
            return false;
    }
    return !x && !y;
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
