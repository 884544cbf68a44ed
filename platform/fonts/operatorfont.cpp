#include "platform/fonts/operatorfont.h"

namespace fonts
{

// Both names come from the build, which passes the same values to the script that writes
// the font.
QString operatorFamily()
{
    return QStringLiteral(MURVEL_OPERATOR_FONT_FAMILY);
}

QString operatorFontFileName()
{
    return QStringLiteral(MURVEL_OPERATOR_FONT_FILE);
}

} // namespace fonts
