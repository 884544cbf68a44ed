#include "comAddIn/libreoffice/unotext.h"

#include <cstdio>

namespace lohost
{

void logProblem(const std::string &text)
{
    std::fprintf(stderr, "murvel add-ins: %s\n", text.c_str());
}

} // namespace lohost
