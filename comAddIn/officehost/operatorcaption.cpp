#include "comAddIn/officehost/operatorcaption.h"

#include "vbprog/murvel/core/formula.h"

#include <algorithm>

namespace officehost
{

bool needsOperatorFont(QStringView caption)
{
    return std::any_of(caption.begin(), caption.end(), [](QChar c) {
        return IsOperatorSymbol(c) || (c.unicode() >= 0xEDC0 && c.unicode() <= 0xEDC7);
    });
}

} // namespace officehost
