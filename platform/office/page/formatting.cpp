#include "platform/office/page/formatting.h"

#include "platform/office/page/htmlnodes.h"

#include <QColor>
#include <QRegularExpression>
#include <array>
#include <functional>
#include <optional>

namespace office::page
{
namespace
{

// The value of one property in the element's style attribute, empty when not set.
QString styleProperty(xmlNodePtr element, const QString &property)
{
    const QStringList declarations = attributeOf(element, "style").split(QLatin1Char(';'));
    for (const QString &declaration : declarations) {
        const qsizetype colon = declaration.indexOf(QLatin1Char(':'));
        if (colon > 0 &&
            declaration.left(colon).trimmed().compare(property, Qt::CaseInsensitive) == 0)
            return declaration.mid(colon + 1).trimmed();
    }
    return {};
}

bool hasAnyName(xmlNodePtr element, std::initializer_list<const char *> names)
{
    for (const char *name : names) {
        if (hasName(element, name))
            return true;
    }
    return false;
}

// Walks from the node's element outward; the first element for which read gives a value
// decides.
template<typename T>
std::optional<T> nearest(xmlNodePtr node, const std::function<std::optional<T>(xmlNodePtr)> &read)
{
    for (xmlNodePtr element = node; element != nullptr; element = element->parent) {
        if (element->type != XML_ELEMENT_NODE)
            continue;
        if (std::optional<T> value = read(element))
            return value;
    }
    return std::nullopt;
}

// HTML font size 1..7 from a CSS length in points or pixels, as the browser rounds it.
std::optional<int> htmlSizeFromCss(const QString &value)
{
    static const QRegularExpression length(QStringLiteral(R"(^([0-9.]+)\s*(pt|px)$)"),
                                           QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = length.match(value);
    if (!match.hasMatch())
        return std::nullopt;
    double points = match.captured(1).toDouble();
    if (match.captured(2).compare(QLatin1String("px"), Qt::CaseInsensitive) == 0)
        points *= 0.75;
    static constexpr std::array kSteps{10.0, 12.0, 14.0, 18.0, 24.0, 36.0};
    int size = 1;
    for (double step : kSteps) {
        if (points >= step)
            ++size;
    }
    return size;
}

std::optional<int> htmlSizeFromAttribute(const QString &value)
{
    bool ok = false;
    const int number = value.trimmed().toInt(&ok);
    if (!ok)
        return std::nullopt;
    const bool relative = value.trimmed().startsWith(QLatin1Char('+')) ||
                          value.trimmed().startsWith(QLatin1Char('-'));
    return std::clamp(relative ? 3 + number : number, 1, 7);
}

std::optional<qint64> colourNumber(const QString &text)
{
    static const QRegularExpression rgb(
        QStringLiteral(R"(^rgb\(\s*(\d+)\s*,\s*(\d+)\s*,\s*(\d+)\s*\)$)"),
        QRegularExpression::CaseInsensitiveOption);
    QColor colour;
    const QRegularExpressionMatch match = rgb.match(text.trimmed());
    if (match.hasMatch())
        colour.setRgb(match.captured(1).toInt(), match.captured(2).toInt(),
                      match.captured(3).toInt());
    else
        colour = QColor::fromString(text.trimmed());
    if (!colour.isValid())
        return std::nullopt;
    return static_cast<qint64>(colour.red()) | static_cast<qint64>(colour.green()) << 8 |
           static_cast<qint64>(colour.blue()) << 16;
}

std::optional<QString> fontName(xmlNodePtr element)
{
    QString name = styleProperty(element, QStringLiteral("font-family"));
    if (name.isEmpty() && hasName(element, "font"))
        name = attributeOf(element, "face");
    name.remove(QLatin1Char('"')).remove(QLatin1Char('\''));
    return name.isEmpty() ? std::nullopt : std::optional<QString>(name.trimmed());
}

std::optional<int> fontSize(xmlNodePtr element)
{
    const QString css = styleProperty(element, QStringLiteral("font-size"));
    if (!css.isEmpty())
        return htmlSizeFromCss(css);
    if (hasName(element, "font"))
        return htmlSizeFromAttribute(attributeOf(element, "size"));
    return std::nullopt;
}

std::optional<qint64> foreColour(xmlNodePtr element)
{
    const QString css = styleProperty(element, QStringLiteral("color"));
    if (!css.isEmpty())
        return colourNumber(css);
    if (hasName(element, "font"))
        return colourNumber(attributeOf(element, "color"));
    return std::nullopt;
}

std::optional<bool> bold(xmlNodePtr element)
{
    const QString weight = styleProperty(element, QStringLiteral("font-weight")).toLower();
    if (!weight.isEmpty())
        return weight == QLatin1String("bold") || weight == QLatin1String("bolder") ||
               weight.toInt() >= 600;
    if (hasAnyName(element, {"b", "strong", "th", "h1", "h2", "h3", "h4", "h5", "h6"}))
        return true;
    return std::nullopt;
}

std::optional<bool> italic(xmlNodePtr element)
{
    const QString style = styleProperty(element, QStringLiteral("font-style")).toLower();
    if (!style.isEmpty())
        return style == QLatin1String("italic") || style == QLatin1String("oblique");
    if (hasAnyName(element, {"i", "em", "cite", "var", "dfn", "address"}))
        return true;
    return std::nullopt;
}

std::optional<bool> underline(xmlNodePtr element)
{
    const QString decoration = styleProperty(element, QStringLiteral("text-decoration")).toLower();
    if (!decoration.isEmpty())
        return decoration.contains(QLatin1String("underline"));
    if (hasAnyName(element, {"u", "ins"}))
        return true;
    return std::nullopt;
}

bool is(const QString &command, const char *name)
{
    return command.compare(QLatin1String(name), Qt::CaseInsensitive) == 0;
}

} // namespace

QVariant formattingValue(xmlNodePtr node, const QString &command)
{
    if (is(command, "FontName")) {
        if (auto name = nearest<QString>(node, fontName))
            return *name;
    } else if (is(command, "FontSize")) {
        if (auto size = nearest<int>(node, fontSize))
            return *size;
    } else if (is(command, "ForeColor")) {
        if (auto colour = nearest<qint64>(node, foreColour))
            return *colour;
    }
    return {};
}

bool formattingState(xmlNodePtr node, const QString &command)
{
    if (is(command, "Bold"))
        return nearest<bool>(node, bold).value_or(false);
    if (is(command, "Italic"))
        return nearest<bool>(node, italic).value_or(false);
    if (is(command, "Underline"))
        return nearest<bool>(node, underline).value_or(false);
    return false;
}

} // namespace office::page
