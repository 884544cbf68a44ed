#include "platform/fonts/eudcfacenames.h"

namespace fonts
{

QString eudcFaceName(const QString &baseFace, int set)
{
    static const QString numerals = QStringLiteral("一二三四五六七八");
    if (set < 1 || set > EudcSetCount)
        return {};
    return baseFace + QStringLiteral("外字集") + numerals[set - 1];
}

} // namespace fonts
