#pragma once

#include <string>

// Which host a LibreOffice document stands for, by its module and its URL.
namespace relay
{

inline constexpr const char wordHost[] = "Microsoft Word";
inline constexpr const char excelHost[] = "Microsoft Excel";
inline constexpr const char powerPointHost[] = "Microsoft PowerPoint";
inline constexpr const char frontPageHost[] = "Microsoft FrontPage";

// The host name; empty for a module that stands for no host (Draw, Math, Base, ...).
std::string hostOfDocument(const std::string &moduleId, const std::string &documentUrl);

} // namespace relay
