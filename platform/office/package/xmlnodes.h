#pragma once

#include <QByteArray>
#include <QString>
#include <pugixml.hpp>

// Small helpers for the engines that edit package parts in place.
namespace office::xml
{

QString text(const pugi::xml_node &node); // the node's text content, UTF-8 decoded
QString attribute(const pugi::xml_node &node, const char *name);
void setAttribute(pugi::xml_node node, const char *name, const QString &value);

// The relationship id (r:id) of an element, whatever prefix the part gives its namespace.
QString relationshipId(const pugi::xml_node &node);

// An element and its content as XML text, and back: the text's root element is appended
// to parent (nothing for empty or malformed text). Used to keep formatting elements as
// values that can be compared and copied.
QByteArray serialize(const pugi::xml_node &node);
// True when the two nodes would be written as the same XML text (two missing nodes
// included): the same kind, name, value, attributes in order and content. Compares in
// place, without writing either.
bool sameXml(const pugi::xml_node &left, const pugi::xml_node &right);
pugi::xml_node appendParsed(pugi::xml_node parent, const QByteArray &xmlText);
pugi::xml_node insertParsedBefore(pugi::xml_node parent, const QByteArray &xmlText,
                                  const pugi::xml_node &before);

// Sets a text element's content, keeping leading and trailing spaces.
void setPreservedText(pugi::xml_node element, const QString &value);

} // namespace office::xml
