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
    if (moduleId == "com.sun.star.text.WebDocument")
        return frontPageHost;
    if (moduleId == "com.sun.star.text.TextDocument")
        return isPageUrl(documentUrl) ? frontPageHost : wordHost;
    if (moduleId == "com.sun.star.sheet.SpreadsheetDocument")
        return excelHost;
    if (moduleId == "com.sun.star.presentation.PresentationDocument")
        return powerPointHost;
    return {};
}

} // namespace relay
