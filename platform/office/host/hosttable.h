#pragma once

#include <array>
#include <cstddef>
#include <string_view>

// What the system knows of each office host, in one table without Qt, so that the
// LibreOffice extension (plain C++ inside the office) reads it as our programs do: the
// Application's Name that the add-ins dispatch on, the host's part of the registry's add-in
// keys, the kinds of file it opens and the LibreOffice module that stands for it.
namespace office
{

// The four hosts, in the order of the add-ins' per-host tables.
enum class HostKind { Word, Excel, PowerPoint, FrontPage };

struct HostIdentity {
    HostKind kind;
    std::string_view name;         // the Application's Name: "Microsoft Word", ...
    std::string_view registryPart; // Software\Microsoft\Office\<part>\Addins
    // The file kinds it opens, in lower case: the first is the one it saves, the second
    // may be empty.
    std::array<std::string_view, 2> fileKinds;
    std::string_view libreOfficeModule;

    constexpr bool opens(std::string_view lowerSuffix) const
    {
        return !lowerSuffix.empty() && (lowerSuffix == fileKinds[0] || lowerSuffix == fileKinds[1]);
    }
};

inline constexpr std::array<HostIdentity, 4> kHostTable{{
    {HostKind::Word, "Microsoft Word", "Word", {"docx", ""}, "com.sun.star.text.TextDocument"},
    {HostKind::Excel,
     "Microsoft Excel",
     "Excel",
     {"xlsx", ""},
     "com.sun.star.sheet.SpreadsheetDocument"},
    {HostKind::PowerPoint,
     "Microsoft PowerPoint",
     "PowerPoint",
     {"pptx", ""},
     "com.sun.star.presentation.PresentationDocument"},
    {HostKind::FrontPage,
     "Microsoft FrontPage",
     "FrontPage",
     {"html", "htm"},
     "com.sun.star.text.WebDocument"},
}};

constexpr const HostIdentity &hostIdentity(HostKind kind)
{
    return kHostTable[std::size_t(kind)];
}

// The host whose Application is named so, compared exactly; nullptr for any other name.
constexpr const HostIdentity *hostNamed(std::string_view name)
{
    for (const HostIdentity &host : kHostTable) {
        if (host.name == name)
            return &host;
    }
    return nullptr;
}

// The host that opens files of that kind (a suffix in lower case); nullptr for none.
constexpr const HostIdentity *hostOpening(std::string_view lowerSuffix)
{
    for (const HostIdentity &host : kHostTable) {
        if (host.opens(lowerSuffix))
            return &host;
    }
    return nullptr;
}

// The host a LibreOffice module stands for; nullptr for a module that stands for none.
constexpr const HostIdentity *hostOfModule(std::string_view moduleId)
{
    for (const HostIdentity &host : kHostTable) {
        if (host.libreOfficeModule == moduleId)
            return &host;
    }
    return nullptr;
}

} // namespace office
