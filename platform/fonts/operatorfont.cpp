#include "platform/fonts/operatorfont.h"

namespace fonts
{

// The names come from the build, which passes the same values to the script that writes
// the fonts.
QString operatorFamily()
{
    return QStringLiteral(MURVEL_OPERATOR_FONT_FAMILY);
}

QString operatorFontFileName()
{
    return QStringLiteral(MURVEL_OPERATOR_FONT_FILE);
}

QString privateUseBoxFamily()
{
    return QStringLiteral(MURVEL_BOX_FONT_FAMILY);
}

QString privateUseBoxFileName()
{
    return QStringLiteral(MURVEL_BOX_FONT_FILE);
}

} // namespace fonts
