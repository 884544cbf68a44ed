#pragma once

#include "platform/office/package/styledtext.h"

#include <pugixml.hpp>

namespace office::excel
{

// The text of a shared string item (<si>) or an inline string (<is>): plain (<t>) or rich
// (<r><rPr/><t/></r>...). Phonetic guides are left out: they do not survive an edit.
StyledText readStringItem(const pugi::xml_node &item);
// Fills an empty <si> or <is> element with text.
void writeStringItem(pugi::xml_node item, const StyledText &text);

} // namespace office::excel
