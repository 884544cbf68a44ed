#include "comAddIn/libreoffice/hostidentity.h"

#include <algorithm>
#include <cctype>

namespace relay
{

namespace
{

bool isPageUrl(const std::string &url)
{
    const std::size_t dot = url.find_last_of("./");
    if (dot == std::string::npos || url[dot] != '.')
        return false;
    std::string extension = url.substr(dot + 1);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return std::tolower(c); });
    return extension == "html" || extension == "htm";
}

} // namespace

std::string hostOfDocument(const std::string &moduleId, const std::string &documentUrl)
{
    if (moduleId == webModule)
        return frontPageHost;
    if (moduleId == writerModule)
        return isPageUrl(documentUrl) ? frontPageHost : wordHost;
    if (moduleId == calcModule)
        return excelHost;
    if (moduleId == impressModule)
        return powerPointHost;
    return {};
}

} // namespace relay
