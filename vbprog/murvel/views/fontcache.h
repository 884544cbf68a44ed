#pragma once

#include <QFont>
#include <QString>
#include <map>
#include <utility>

// The fonts of a list, made once per typeface name and size and shared by every item
// that shows them.
class FontCache
{
public:
    // The font that draws the system's typeface name at the size in points (> 0). The
    // reference stays valid as long as the cache.
    const QFont &font(const QString &faceName, qreal pointSize);

private:
    std::map<std::pair<QString, qreal>, QFont> m_fonts; // node-based: references are stable
};
