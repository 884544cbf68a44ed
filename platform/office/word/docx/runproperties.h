#pragma once

#include "platform/office/word/font.h"

#include <QString>
#include <pugixml.hpp>

// The character formatting of WordprocessingML runs (w:rPr) and the styles it inherits.
namespace word::docx
{

// True for a present on/off element whose w:val is not false, 0 or off.
bool isOn(const pugi::xml_node &element);
QString attributeText(const pugi::xml_node &node, const char *name);

// Characters that take a run's East Asian typeface: CJK, Hangul, the full-width forms and
// the private-use area, where the end-user-defined characters live.
bool isEastAsian(QChar c);

// Writes every property that font holds into the run's w:rPr (made when missing), each
// element at its place in the schema's order. A typeface is set for every script of the
// run, replacing theme fonts, so that every reader shows it.
void applyFont(pugi::xml_node run, const Font &font);

// True for the private-use characters U+E000..U+F8FF, the operator symbols and the
// end-user-defined glyphs among them.
bool isPrivateUse(QChar c);

// Gives the run the properties that Word gives typed East Asian text: the hint that its
// characters are East Asian, so that Word draws them with the East Asian typeface (and the
// end-user-defined glyphs linked to it). Readers that ignore the hint pick a typeface by
// their own script rules, so the typeface is also set for every script of the run.
void markTypedEastAsian(pugi::xml_node run, const QString &eastAsianTypeface);

// The formatting of runs as the document shows it: the run's own properties, then its
// character style, its paragraph's style (or the default one), the document defaults and
// the theme's fonts.
class StyleSheet
{
public:
    StyleSheet() = default;
    StyleSheet(pugi::xml_node styles, pugi::xml_node theme);

    // Every property holds a value. eastAsian: the text is East Asian (see isEastAsian),
    // so the typeface is the run's East Asian one.
    Font resolve(const pugi::xml_node &run, const pugi::xml_node &paragraph, bool eastAsian) const;

private:
    void appendStyleChain(const QString &styleId, std::vector<pugi::xml_node> &chain) const;
    QString themeFont(const QString &themeName) const;

    pugi::xml_node m_styles;
    pugi::xml_node m_theme;
    pugi::xml_node m_defaults;
    QString m_defaultParagraphStyle;
};

} // namespace word::docx
