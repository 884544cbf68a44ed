#pragma once

#include <string>

// Which host a LibreOffice document stands for, by its module and its URL.
namespace relay
{

// The host's name; empty for a module that stands for no host (Draw, Math, Base, ...).
// Writer stands for the page host when its document is a page of the page host's kinds.
std::string hostOfDocument(const std::string &moduleId, const std::string &documentUrl);

} // namespace relay
