#include "platform/fonts/programfonts.h"

#include "platform/fonts/componenttypeface.h"
#include "platform/fonts/facefiles.h"
#include "platform/fonts/operatorfont.h"
#include "platform/fonts/typefacetable.h"

#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QHash>
#include <optional>

namespace fonts
{

namespace
{

// Adds one font file to the application's font database, once per file: gives the
// families it brought, or nothing when the file is missing or holds no usable font.
std::optional<QStringList> registerFontFile(const QString &path)
{
    static QHash<QString, QStringList> registered; // canonical path -> its families
    const QString canonicalPath = QFileInfo(path).canonicalFilePath();
    if (canonicalPath.isEmpty())
        return std::nullopt;
    if (const auto known = registered.constFind(canonicalPath); known != registered.cend())
        return *known;

    const int id = QFontDatabase::addApplicationFont(canonicalPath);
    if (id < 0)
        return std::nullopt;
    const QStringList families = QFontDatabase::applicationFontFamilies(id);
    if (families.isEmpty()) {
        QFontDatabase::removeApplicationFont(id);
        return std::nullopt;
    }
    registered.insert(canonicalPath, families);
    return families;
}

} // namespace

QStringList registerProgramFonts(const QString &programFolder)
{
    const QDir folder(programFolder);
    QStringList failed;

    for (const QString &name :
         {operatorFontFileName(), privateUseBoxFileName(),
          componentFontFileName(TypefaceStyle::Ming), componentFontFileName(TypefaceStyle::Kai)}) {
        const QString path = folder.filePath(name);
        if (!registerFontFile(path))
            failed << path;
    }

    for (const QString &face : fileFaceNames()) {
        const QString path = folder.filePath(faceFileName(face));
        if (!QFileInfo::exists(path))
            continue;
        if (const std::optional<QStringList> families = registerFontFile(path))
            recordFaceFileFamilies(face, *families);
        else
            failed << path;
    }
    return failed;
}

} // namespace fonts
