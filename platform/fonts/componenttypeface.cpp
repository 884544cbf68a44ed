#include "platform/fonts/componenttypeface.h"

namespace fonts
{

// The names that make-eudc-fonts.py gives the files and their families.
QString componentFamily(TypefaceStyle style)
{
    return style == TypefaceStyle::Kai ? QStringLiteral("Qeleudck") : QStringLiteral("Qeleudc");
}

QString componentFontFileName(TypefaceStyle style)
{
    return style == TypefaceStyle::Kai ? QStringLiteral("qeleudck.tte")
                                       : QStringLiteral("Qeleudc.tte");
}

} // namespace fonts
