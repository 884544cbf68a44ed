#include "platform/fonts/fontfiles.h"

#include "platform/fonts/componenttypeface.h"
#include "platform/fonts/facefiles.h"
#include "platform/fonts/operatorfont.h"
#include "platform/fonts/typefacetable.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <fontconfig/fontconfig.h>
#include <memory>
#include <optional>

namespace fonts
{

namespace
{

struct PatternDeleter {
    void operator()(FcPattern *pattern) const { FcPatternDestroy(pattern); }
};
using Pattern = std::unique_ptr<FcPattern, PatternDeleter>;

// A configuration of our own, released at exit: fontconfig's shared default one is never
// released and would show as a leak.
FcConfig *configuration()
{
    struct ConfigDeleter {
        void operator()(FcConfig *config) const { FcConfigDestroy(config); }
    };
    static const std::unique_ptr<FcConfig, ConfigDeleter> config(FcInitLoadConfigAndFonts());
    return config.get();
}

// The file of an installed family; nullopt when fontconfig has no font of that family.
std::optional<FontFile> installedFile(const QString &family)
{
    Pattern wanted(FcPatternCreate());
    const QByteArray name = family.toUtf8();
    FcPatternAddString(wanted.get(), FC_FAMILY,
                       reinterpret_cast<const FcChar8 *>(name.constData()));
    FcConfig *config = configuration();
    if (config == nullptr)
        return std::nullopt;
    FcConfigSubstitute(config, wanted.get(), FcMatchPattern);
    FcDefaultSubstitute(wanted.get());
    FcResult result = FcResultNoMatch;
    Pattern match(FcFontMatch(config, wanted.get(), &result));
    if (!match)
        return std::nullopt;
    FcChar8 *matchedFamily = nullptr;
    FcChar8 *file = nullptr;
    int index = 0;
    if (FcPatternGetString(match.get(), FC_FAMILY, 0, &matchedFamily) != FcResultMatch ||
        FcPatternGetString(match.get(), FC_FILE, 0, &file) != FcResultMatch)
        return std::nullopt;
    FcPatternGetInteger(match.get(), FC_INDEX, 0, &index);
    // fontconfig always answers with some font; only one of the family asked for counts.
    if (QString::fromUtf8(reinterpret_cast<const char *>(matchedFamily))
            .compare(family, Qt::CaseInsensitive) != 0)
        return std::nullopt;
    return FontFile{QFile::decodeName(reinterpret_cast<const char *>(file)), index};
}

std::optional<FontFile> cachedInstalledFile(const QString &family)
{
    static QHash<QString, std::optional<FontFile>> cache;
    if (const auto known = cache.constFind(family); known != cache.cend())
        return *known;
    return *cache.insert(family, installedFile(family));
}

} // namespace

QList<FontFile> fontFilesFor(const QString &faceName, const QString &programFolder)
{
    const QDir folder(programFolder);
    QStringList programFiles;
    if (mayComeFromFaceFile(faceName))
        programFiles << faceFileName(faceName);
    programFiles << componentFontFileName(styleOf(faceName)) << operatorFontFileName();
    QList<FontFile> files;
    for (const QString &name : programFiles) {
        if (const QString path = folder.filePath(name); QFile::exists(path))
            files.append({path, 0});
    }
    for (const QString &family : installedFamiliesFor(faceName)) {
        if (const std::optional<FontFile> file = cachedInstalledFile(family))
            files.append(*file);
    }
    return files;
}

} // namespace fonts
