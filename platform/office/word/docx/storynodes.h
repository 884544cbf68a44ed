#pragma once

#include <QString>
#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <pugixml.hpp>

// What the files of a document's stories and shapes ask of its XML nodes.
namespace word::docx
{

inline bool named(const pugi::xml_node &node, const char *name)
{
    return std::strcmp(node.name(), name) == 0;
}

inline bool namedAnyOf(const pugi::xml_node &node, std::initializer_list<const char *> names)
{
    return std::any_of(names.begin(), names.end(),
                       [&node](const char *name) { return named(node, name); });
}

inline QString elementText(const pugi::xml_node &element)
{
    return QString::fromUtf8(element.child_value());
}

} // namespace word::docx
