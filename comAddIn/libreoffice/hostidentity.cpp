#include "comAddIn/libreoffice/hostidentity.h"

#include "platform/office/host/hosttable.h"

#include <algorithm>
#include <cctype>

namespace relay
{

namespace
{

using office::HostKind;

bool isPageUrl(const std::string &url)
{
    const std::size_t dot = url.find_last_of("./");
    if (dot == std::string::npos || url[dot] != '.')
        return false;
    std::string extension = url.substr(dot + 1);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return std::tolower(c); });
    return office::hostIdentity(HostKind::FrontPage).opens(extension);
}

} // namespace

std::string hostOfDocument(const std::string &moduleId, const std::string &documentUrl)
{
    const office::HostIdentity *host = office::hostOfModule(moduleId);
    if (!host)
        return {};
    if (host->kind == HostKind::Word && isPageUrl(documentUrl))
        host = &office::hostIdentity(HostKind::FrontPage);
    return std::string(host->name);
}

} // namespace relay
