#include "vbprog/Fonsetta/eudcfontlink.h"

#include "platform/fonts/typefacetable.h"
#include "platform/system/filewrite.h"
#include "platform/system/process.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QStandardPaths>
#include <QXmlStreamWriter>
#include <fontconfig/fontconfig.h>
#include <memory>

namespace fonsetta
{

namespace
{

constexpr int kCacheRefreshTimeoutMs = 120'000;

// The typefaces each font serves: the names the documents use and the installed families
// that stand in for them on this desktop.
QStringList servedFaces(const QStringList &names)
{
    QStringList faces = names;
    for (const QString &name : names)
        faces << fonts::installedFamiliesFor(name);
    faces.removeDuplicates();
    return faces;
}

QByteArray aliasDocument(const QList<std::pair<QStringList, QString>> &fallbacks)
{
    QByteArray xml;
    QXmlStreamWriter writer(&xml);
    writer.setAutoFormatting(true);
    writer.writeStartDocument();
    writer.writeDTD(QStringLiteral("<!DOCTYPE fontconfig SYSTEM \"urn:fontconfig:fonts.dtd\">"));
    writer.writeComment(
        QStringLiteral(" Written by Fonsetta: end-user-defined characters for these typefaces. "));
    writer.writeStartElement(QStringLiteral("fontconfig"));
    for (const auto &[faces, family] : fallbacks) {
        for (const QString &face : faces) {
            writer.writeStartElement(QStringLiteral("alias"));
            writer.writeAttribute(QStringLiteral("binding"), QStringLiteral("same"));
            writer.writeTextElement(QStringLiteral("family"), face);
            writer.writeStartElement(QStringLiteral("accept"));
            writer.writeTextElement(QStringLiteral("family"), family);
            writer.writeEndElement();
            writer.writeEndElement();
        }
    }
    writer.writeEndElement();
    writer.writeEndDocument();
    return xml;
}

} // namespace

QStringList fontFileFamilies(const QString &path)
{
    QStringList families;
    int count = 0;
    const QByteArray file = QFile::encodeName(path);
    std::unique_ptr<FcPattern, decltype(&FcPatternDestroy)> face(
        FcFreeTypeQuery(reinterpret_cast<const FcChar8 *>(file.constData()), 0, nullptr, &count),
        FcPatternDestroy);
    if (!face)
        return families;
    FcChar8 *family = nullptr;
    for (int i = 0; FcPatternGetString(face.get(), FC_FAMILY, i, &family) == FcResultMatch; ++i)
        families << QString::fromUtf8(reinterpret_cast<const char *>(family));
    return families;
}

EudcFontLink::EudcFontLink(QString dataHome, QString configHome)
    : m_dataHome(std::move(dataHome)), m_configHome(std::move(configHome))
{
}

EudcFontLink EudcFontLink::forCurrentUser()
{
    return EudcFontLink(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation),
                        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
}

QString EudcFontLink::linkFolder() const
{
    return m_dataHome + QStringLiteral("/fonts/murvel-eudc");
}

QString EudcFontLink::aliasFile() const
{
    return m_configHome + QStringLiteral("/fontconfig/conf.d/50-murvel-eudc.conf");
}

QStringList EudcFontLink::install(const EudcFonts &fonts) const
{
    QStringList failures = removeLinks();
    if (!failures.isEmpty())
        return failures;

    const QList<std::pair<QStringList, QString>> roles = {
        {servedFaces({u"細明體"_qs, u"新細明體"_qs}), fonts.ming},
        {servedFaces({u"標楷體"_qs}), fonts.kai},
    };
    QList<std::pair<QStringList, QString>> fallbacks;
    // The family of each file linked, by its full path; empty for a file that failed. When
    // both roles name the same file it is linked once.
    QHash<QString, QString> linkedFamilies;
    for (const auto &[faces, file] : roles) {
        const QString target = QFileInfo(file).absoluteFilePath();
        if (!linkedFamilies.contains(target))
            linkedFamilies.insert(target, linkFile(file, failures));
        if (!linkedFamilies.value(target).isEmpty())
            fallbacks.append({faces, linkedFamilies.value(target)});
    }
    if (!fallbacks.isEmpty()) {
        QDir().mkpath(QFileInfo(aliasFile()).path());
        QString error;
        if (!sys::replaceFile(aliasFile(), aliasDocument(fallbacks), &error))
            failures << QStringLiteral("無法寫入字型設定檔 %1：%2").arg(aliasFile(), error);
    }
    return failures + refreshCache();
}

QString EudcFontLink::linkFile(const QString &file, QStringList &failures) const
{
    const QFileInfo target(file);
    if (!target.isFile()) {
        failures << QStringLiteral("找不到外字檔「%1」").arg(file);
        return QString();
    }
    const QStringList families = fontFileFamilies(target.absoluteFilePath());
    if (families.isEmpty()) {
        failures << QStringLiteral("「%1」不是字型檔").arg(file);
        return QString();
    }
    // Two files of the same name from two folders get links of their own.
    QString linkPath = linkFolder() + u'/' + target.fileName();
    for (int n = 2; QFileInfo(linkPath).isSymLink(); ++n)
        linkPath = linkFolder() + u'/' + QString::number(n) + u'-' + target.fileName();
    if (!QDir().mkpath(linkFolder()) || !QFile::link(target.absoluteFilePath(), linkPath)) {
        failures << QStringLiteral("無法把外字檔「%1」連結到 %2").arg(file, linkFolder());
        return QString();
    }
    return families.first();
}

QStringList EudcFontLink::remove() const
{
    return removeLinks() + refreshCache();
}

QStringList EudcFontLink::removeLinks() const
{
    QStringList failures;
    if (QFileInfo::exists(aliasFile()) && !QFile::remove(aliasFile()))
        failures << QStringLiteral("無法刪除字型設定檔 %1").arg(aliasFile());
    QDir folder(linkFolder());
    const QFileInfoList entries =
        folder.entryInfoList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot | QDir::Hidden);
    for (const QFileInfo &entry : entries) {
        // Only the links are ours; anything else a user put there stays.
        if (entry.isSymLink() && !QFile::remove(entry.absoluteFilePath()))
            failures << QStringLiteral("無法刪除外字連結 %1").arg(entry.absoluteFilePath());
    }
    if (folder.exists() &&
        folder.isEmpty(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot | QDir::Hidden))
        folder.rmdir(folder.absolutePath());
    return failures;
}

QStringList EudcFontLink::refreshCache() const
{
    const QString fontFolder = m_dataHome + QStringLiteral("/fonts");
    if (!QFileInfo(fontFolder).isDir())
        return {};
    QString error;
    if (!sys::runProcess(QStringLiteral("fc-cache"), {fontFolder}, kCacheRefreshTimeoutMs, &error))
        return {QStringLiteral("無法更新字型快取：%1").arg(error)};
    return {};
}

} // namespace fonsetta
