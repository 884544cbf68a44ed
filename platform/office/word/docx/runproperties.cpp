#include "platform/office/word/docx/runproperties.h"

#include <array>
#include <cstring>
#include <vector>

namespace word::docx
{
namespace
{

// The children of w:rPr in the order the schema requires.
constexpr std::array runPropertyOrder = {"w:rStyle",
                                         "w:rFonts",
                                         "w:b",
                                         "w:bCs",
                                         "w:i",
                                         "w:iCs",
                                         "w:caps",
                                         "w:smallCaps",
                                         "w:strike",
                                         "w:dstrike",
                                         "w:outline",
                                         "w:shadow",
                                         "w:emboss",
                                         "w:imprint",
                                         "w:noProof",
                                         "w:snapToGrid",
                                         "w:vanish",
                                         "w:webHidden",
                                         "w:color",
                                         "w:spacing",
                                         "w:w",
                                         "w:kern",
                                         "w:position",
                                         "w:sz",
                                         "w:szCs",
                                         "w:highlight",
                                         "w:u",
                                         "w:effect",
                                         "w:bdr",
                                         "w:shd",
                                         "w:fitText",
                                         "w:vertAlign",
                                         "w:rtl",
                                         "w:cs",
                                         "w:em",
                                         "w:lang",
                                         "w:eastAsianLayout",
                                         "w:specVanish",
                                         "w:oMath"};

int orderOf(const char *name)
{
    for (size_t i = 0; i < runPropertyOrder.size(); ++i) {
        if (std::strcmp(runPropertyOrder[i], name) == 0)
            return int(i);
    }
    return int(runPropertyOrder.size());
}

pugi::xml_node propertyElement(pugi::xml_node properties, const char *name)
{
    if (pugi::xml_node existing = properties.child(name))
        return existing;
    const int order = orderOf(name);
    for (pugi::xml_node child : properties.children()) {
        if (orderOf(child.name()) > order)
            return properties.insert_child_before(name, child);
    }
    return properties.append_child(name);
}

void setValue(pugi::xml_node properties, const char *name, const QString &value)
{
    pugi::xml_node element = propertyElement(properties, name);
    pugi::xml_attribute val = element.attribute("w:val");
    if (!val)
        val = element.append_attribute("w:val");
    val.set_value(value.toUtf8().constData());
}

void setOnOff(pugi::xml_node properties, const char *name, bool on)
{
    pugi::xml_node element = propertyElement(properties, name);
    element.remove_attribute("w:val");
    if (!on)
        element.append_attribute("w:val").set_value("0");
}

struct UnderlineStyle {
    const char *name;
    int value;
};
constexpr std::array underlineStyles = {
    UnderlineStyle{"none", 0},   UnderlineStyle{"single", 1},     UnderlineStyle{"words", 2},
    UnderlineStyle{"double", 3}, UnderlineStyle{"dotted", 4},     UnderlineStyle{"thick", 6},
    UnderlineStyle{"dash", 7},   UnderlineStyle{"dotDash", 9},    UnderlineStyle{"dotDotDash", 10},
    UnderlineStyle{"wave", 11},  UnderlineStyle{"wavyHeavy", 27}, UnderlineStyle{"wavyDouble", 43}};

int underlineValue(const QString &name)
{
    for (const UnderlineStyle &style : underlineStyles) {
        if (name == QLatin1String(style.name))
            return style.value;
    }
    return 1; // w:u without a known style still underlines
}

QString underlineName(int value)
{
    for (const UnderlineStyle &style : underlineStyles) {
        if (style.value == value)
            return QLatin1String(style.name);
    }
    return QStringLiteral("single");
}

// 0x00BBGGRR from "RRGGBB"; automatic for "auto" and anything unreadable.
int colorValue(const QString &hex)
{
    bool ok = false;
    const uint rgb = hex.toUInt(&ok, 16);
    if (!ok || hex.size() != 6)
        return Font::automaticColor;
    return int(((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF));
}

QString colorText(int color)
{
    if (color == Font::automaticColor)
        return QStringLiteral("auto");
    const uint bgr = uint(color);
    const uint rgb = ((bgr & 0xFF) << 16) | (bgr & 0xFF00) | ((bgr >> 16) & 0xFF);
    return QStringLiteral("%1").arg(rgb, 6, 16, QLatin1Char('0')).toUpper();
}

} // namespace

bool isOn(const pugi::xml_node &element)
{
    if (!element)
        return false;
    const char *value = element.attribute("w:val").value();
    return std::strcmp(value, "0") != 0 && std::strcmp(value, "false") != 0 &&
           std::strcmp(value, "off") != 0;
}

QString attributeText(const pugi::xml_node &node, const char *name)
{
    return QString::fromUtf8(node.attribute(name).value());
}

bool isEastAsian(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= 0x2E80 && u <= 0x9FFF) || (u >= 0xAC00 && u <= 0xD7AF) ||
           (u >= 0xE000 && u <= 0xFAFF) || (u >= 0xFE30 && u <= 0xFE4F) ||
           (u >= 0xFF00 && u <= 0xFFEF) || c.isSurrogate();
}

void applyFont(pugi::xml_node run, const Font &font)
{
    pugi::xml_node properties = run.child("w:rPr");
    if (!properties)
        properties = run.prepend_child("w:rPr");
    if (font.name && !font.name->isEmpty()) {
        pugi::xml_node fonts = propertyElement(properties, "w:rFonts");
        for (const char *theme : {"w:asciiTheme", "w:hAnsiTheme", "w:eastAsiaTheme", "w:cstheme"})
            fonts.remove_attribute(theme);
        const QByteArray name = font.name->toUtf8();
        for (const char *script : {"w:ascii", "w:hAnsi", "w:eastAsia", "w:cs"}) {
            pugi::xml_attribute attribute = fonts.attribute(script);
            if (!attribute)
                attribute = fonts.append_attribute(script);
            attribute.set_value(name.constData());
        }
    }
    if (font.bold) {
        setOnOff(properties, "w:b", *font.bold);
        setOnOff(properties, "w:bCs", *font.bold);
    }
    if (font.italic) {
        setOnOff(properties, "w:i", *font.italic);
        setOnOff(properties, "w:iCs", *font.italic);
    }
    if (font.strikeThrough)
        setOnOff(properties, "w:strike", *font.strikeThrough);
    if (font.hidden)
        setOnOff(properties, "w:vanish", *font.hidden);
    if (font.color)
        setValue(properties, "w:color", colorText(*font.color));
    if (font.size && *font.size > 0) {
        const QString halfPoints = QString::number(qRound(*font.size * 2));
        setValue(properties, "w:sz", halfPoints);
        setValue(properties, "w:szCs", halfPoints);
    }
    if (font.underline)
        setValue(properties, "w:u", underlineName(*font.underline));
}

bool isPrivateUse(QChar c)
{
    return c.unicode() >= 0xE000 && c.unicode() <= 0xF8FF;
}

void markTypedEastAsian(pugi::xml_node run, const QString &eastAsianTypeface)
{
    Font typeface;
    typeface.name = eastAsianTypeface;
    applyFont(run, typeface);
    pugi::xml_node properties = run.child("w:rPr");
    if (!properties)
        properties = run.prepend_child("w:rPr");
    pugi::xml_node fonts = propertyElement(properties, "w:rFonts");
    pugi::xml_attribute hint = fonts.attribute("w:hint");
    if (!hint)
        hint = fonts.append_attribute("w:hint");
    hint.set_value("eastAsia");
}

StyleSheet::StyleSheet(pugi::xml_node styles, pugi::xml_node theme)
    : m_styles(styles), m_theme(theme)
{
    m_defaults = styles.child("w:docDefaults").child("w:rPrDefault").child("w:rPr");
    for (pugi::xml_node style : styles.children("w:style")) {
        const char *isDefault = style.attribute("w:default").value();
        if (std::strcmp(style.attribute("w:type").value(), "paragraph") == 0 &&
            (std::strcmp(isDefault, "1") == 0 || std::strcmp(isDefault, "true") == 0 ||
             std::strcmp(isDefault, "on") == 0)) {
            m_defaultParagraphStyle = attributeText(style, "w:styleId");
            break;
        }
    }
}

void StyleSheet::appendStyleChain(const QString &styleId, std::vector<pugi::xml_node> &chain) const
{
    QString id = styleId;
    // basedOn chains are short; the bound keeps a cyclic one from looping.
    for (int depth = 0; depth < 32 && !id.isEmpty(); ++depth) {
        const QByteArray key = id.toUtf8();
        const pugi::xml_node style =
            m_styles.find_child_by_attribute("w:style", "w:styleId", key.constData());
        if (!style)
            return;
        if (pugi::xml_node properties = style.child("w:rPr"))
            chain.push_back(properties);
        id = attributeText(style.child("w:basedOn"), "w:val");
    }
}

QString StyleSheet::themeFont(const QString &themeName) const
{
    const pugi::xml_node scheme = m_theme.child("a:themeElements").child("a:fontScheme");
    const pugi::xml_node fonts =
        scheme.child(themeName.startsWith(QLatin1String("major")) ? "a:majorFont" : "a:minorFont");
    if (themeName.endsWith(QLatin1String("EastAsia"))) {
        const QString ea = attributeText(fonts.child("a:ea"), "typeface");
        if (!ea.isEmpty())
            return ea;
        return attributeText(fonts.find_child_by_attribute("a:font", "script", "Hant"), "typeface");
    }
    if (themeName.endsWith(QLatin1String("Bidi")))
        return attributeText(fonts.child("a:cs"), "typeface");
    return attributeText(fonts.child("a:latin"), "typeface");
}

Font StyleSheet::resolve(const pugi::xml_node &run, const pugi::xml_node &paragraph,
                         bool eastAsian) const
{
    std::vector<pugi::xml_node> chain;
    const pugi::xml_node own = run.child("w:rPr");
    if (own)
        chain.push_back(own);
    appendStyleChain(attributeText(own.child("w:rStyle"), "w:val"), chain);
    const QString paragraphStyle =
        attributeText(paragraph.child("w:pPr").child("w:pStyle"), "w:val");
    appendStyleChain(paragraphStyle.isEmpty() ? m_defaultParagraphStyle : paragraphStyle, chain);
    if (m_defaults)
        chain.push_back(m_defaults);

    auto first = [&chain](const char *name) {
        for (const pugi::xml_node &properties : chain) {
            if (pugi::xml_node element = properties.child(name))
                return element;
        }
        return pugi::xml_node();
    };

    Font font;
    const bool hintEastAsia =
        std::strcmp(first("w:rFonts").attribute("w:hint").value(), "eastAsia") == 0;
    const bool useEastAsia = eastAsian || hintEastAsia;
    font.name = QString();
    for (const pugi::xml_node &properties : chain) {
        const pugi::xml_node fonts = properties.child("w:rFonts");
        const char *theme = useEastAsia ? "w:eastAsiaTheme" : "w:asciiTheme";
        const char *plain = useEastAsia ? "w:eastAsia" : "w:ascii";
        if (fonts.attribute(theme)) {
            font.name = themeFont(attributeText(fonts, theme));
            break;
        }
        if (fonts.attribute(plain)) {
            font.name = attributeText(fonts, plain);
            break;
        }
    }
    const pugi::xml_node size = first("w:sz");
    font.size = size ? attributeText(size, "w:val").toDouble() / 2 : 10.0;
    font.bold = isOn(first("w:b"));
    font.italic = isOn(first("w:i"));
    font.strikeThrough = isOn(first("w:strike"));
    font.hidden = isOn(first("w:vanish"));
    const pugi::xml_node underline = first("w:u");
    font.underline = underline ? underlineValue(attributeText(underline, "w:val")) : 0;
    font.color = colorValue(attributeText(first("w:color"), "w:val"));
    return font;
}

} // namespace word::docx
