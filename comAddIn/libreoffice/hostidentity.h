#pragma once

#include <string>

// Which host a LibreOffice document stands for, by its module and its URL.
namespace relay
{

inline constexpr const char wordHost[] = "Microsoft Word";
inline constexpr const char excelHost[] = "Microsoft Excel";
inline constexpr const char powerPointHost[] = "Microsoft PowerPoint";
inline constexpr const char frontPageHost[] = "Microsoft FrontPage";

inline constexpr const char writerModule[] = "com.sun.star.text.TextDocument";
inline constexpr const char webModule[] = "com.sun.star.text.WebDocument";
inline constexpr const char calcModule[] = "com.sun.star.sheet.SpreadsheetDocument";
inline constexpr const char impressModule[] = "com.sun.star.presentation.PresentationDocument";

// The modules that stand for a host: the ones the add-ins' bars can be mirrored into.
inline constexpr const char *hostModules[] = {writerModule, webModule, calcModule, impressModule};

// The host name; empty for a module that stands for no host (Draw, Math, Base, ...).
std::string hostOfDocument(const std::string &moduleId, const std::string &documentUrl);

} // namespace relay
