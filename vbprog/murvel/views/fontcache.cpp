#include "vbprog/murvel/views/fontcache.h"

#include "platform/fonts/typefacetable.h"

const QFont &FontCache::font(const QString &faceName, qreal pointSize)
{
    std::pair key(faceName, pointSize);
    auto found = m_fonts.find(key);
    if (found == m_fonts.end())
        found = m_fonts.emplace(std::move(key), fonts::fontFor(faceName, pointSize)).first;
    return found->second;
}
