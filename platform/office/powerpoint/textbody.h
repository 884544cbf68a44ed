#pragma once

#include "platform/office/package/styledtext.h"

#include <QString>
#include <functional>
#include <pugixml.hpp>

namespace office::powerpoint
{

// The text of a shape or table cell (<p:txBody>, <a:txBody>) as one styled text: runs
// keep their <a:rPr>, line breaks and fields stay elements of their own, and each
// paragraph break is a "\r" that carries its paragraph's properties.
class TextBody
{
public:
    // container is the <p:sp> or <a:tc>; bodyName "p:txBody" or "a:txBody". onChange is
    // called after every write.
    TextBody(pugi::xml_node container, const char *bodyName, std::function<void()> onChange);

    StyledText read() const;
    void write(const StyledText &text);
    // The typeface the body's own list style gives its first level, if any.
    QString listStyleTypeface() const;

private:
    pugi::xml_node body() const { return m_container.child(m_bodyName); }

    pugi::xml_node m_container;
    const char *m_bodyName;
    std::function<void()> m_onChange;
};

// The typeface named by a run's <a:rPr>: Latin first, else East Asian; empty when the run
// names none.
QString runTypeface(const QByteArray &properties);
// properties with both the Latin and East Asian typefaces set to name.
QByteArray withTypeface(const QByteArray &properties, const QString &name);

} // namespace office::powerpoint
