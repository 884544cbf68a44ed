#pragma once

#include "platform/common/result.h"
#include "vbprog/murvel/core/formula.h"

#include <QString>
#include <iterator>

namespace office
{
class HostApplication;
}

namespace porvex
{

// The operator numbers of the operator toolbar's buttons 1..9, in its order.
inline constexpr int kOperatorButtonNumbers[] = {1, 2, 3, 12, 13, 5, 4, 6, 9};

// The symbol of operator button k, 1..9; empty for any other k. Named apart from the
// formula model's OperatorSymbol so that a code point can never be taken for a button.
inline QString OperatorButtonSymbol(int k)
{
    if (k < 1 || k > int(std::size(kOperatorButtonNumbers)))
        return {};
    return QString(QChar(StandardOperatorCode(kOperatorButtonNumbers[k - 1])));
}

// Types the symbol of operator button k at the host's caret. A k outside 1..9, or a host
// without an open document, is a failure that changes nothing.
platform::Result<bool> InsertOperator(office::HostApplication &host, int k);

} // namespace porvex
