#include "platform/office/excel/stringitem.h"

#include "platform/office/package/xmlnodes.h"

namespace office::excel
{

StyledText readStringItem(const pugi::xml_node &item)
{
    QList<StyledRun> runs;
    if (item.child("t"))
        runs << StyledRun{xml::text(item.child("t")), {}, {}};
    for (pugi::xml_node run : item.children("r"))
        runs << StyledRun{xml::text(run.child("t")), xml::serialize(run.child("rPr")), {}};
    return StyledText(runs);
}

void writeStringItem(pugi::xml_node item, const StyledText &text)
{
    bool rich = false;
    for (const StyledRun &run : text.runs())
        rich = rich || !run.properties.isEmpty();
    if (!rich) {
        xml::setPreservedText(item.append_child("t"), text.text());
        return;
    }
    for (const StyledRun &run : text.runs()) {
        pugi::xml_node element = item.append_child("r");
        if (!run.properties.isEmpty())
            xml::appendParsed(element, run.properties);
        xml::setPreservedText(element.append_child("t"), run.text);
    }
}

} // namespace office::excel
