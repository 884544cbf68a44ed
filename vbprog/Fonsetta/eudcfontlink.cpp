#include "vbprog/Fonsetta/eudcfontlink.h"

#include "platform/fonts/facefiles.h"
#include "platform/fonts/typefacetable.h"
#include "platform/system/filewrite.h"
#include "platform/system/process.h"
#include "vbprog/Fonsetta/installrows.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMap>
#include <QStandardPaths>
#include <QXmlStreamWriter>
#include <algorithm>
#include <fontconfig/fontconfig.h>
#include <memory>
#include <optional>

namespace fonsetta
{

namespace
{

constexpr int kCacheRefreshTimeoutMs = 120'000;

// The typefaces the system's documents name: the three base faces and the sixteen
// end-user-defined-character faces.
QStringList documentFaces()
{
    return QStringList{QString::fromUtf16(kMingLink), QString::fromUtf16(kNewMingLink),
                       QString::fromUtf16(kKaiLink)} +
           fonts::endUserDefinedFaceNames();
}

// A font linked: the family it brings and the private-use codes it draws.
struct LinkedFont {
    QString family;
    QList<char32_t> privateUseCodes;
};

// The settings file: rules that fontconfig runs on every request for a font, each putting a
// family right after the family asked for. fontconfig tests one value at a time, so each
// name and each code has a rule of its own.
class AliasDocument
{
public:
    AliasDocument() : m_writer(&m_xml)
    {
        m_writer.setAutoFormatting(true);
        m_writer.writeStartDocument();
        m_writer.writeDTD(u"<!DOCTYPE fontconfig SYSTEM \"urn:fontconfig:fonts.dtd\">"_qs);
        m_writer.writeComment(
            u" Written by Fonsetta: the component end-user-defined-character font behind every "
            "typeface, and the faces that stand in for the system's typefaces. "_qs);
        m_writer.writeStartElement(u"fontconfig"_qs);
    }

    // After each of the names asked for.
    void putAfter(const QStringList &asked, const QString &family)
    {
        for (const QString &name : asked)
            writeRule(name, family, std::nullopt);
    }

    // After any family asked for, when the request is for one of the codes, as the fallback
    // for a character that a font lacks is; a request for a typeface alone keeps its answer.
    void putAfterAnyFor(const QList<char32_t> &codes, const QString &family)
    {
        for (const char32_t code : codes)
            writeRule(QString(), family, code);
    }

    QByteArray finish()
    {
        m_writer.writeEndElement();
        m_writer.writeEndDocument();
        return m_xml;
    }

private:
    // With an empty name, the test holds for any first family but the one put after it.
    void writeRule(const QString &asked, const QString &family, std::optional<char32_t> code)
    {
        m_writer.writeStartElement(u"match"_qs);
        m_writer.writeAttribute(u"target"_qs, u"pattern"_qs);
        m_writer.writeStartElement(u"test"_qs);
        m_writer.writeAttribute(u"name"_qs, u"family"_qs);
        m_writer.writeAttribute(u"qual"_qs, u"first"_qs);
        if (asked.isEmpty())
            m_writer.writeAttribute(u"compare"_qs, u"not_eq"_qs);
        m_writer.writeTextElement(u"string"_qs, asked.isEmpty() ? family : asked);
        m_writer.writeEndElement();
        if (code) {
            m_writer.writeStartElement(u"test"_qs);
            m_writer.writeAttribute(u"name"_qs, u"charset"_qs);
            m_writer.writeAttribute(u"compare"_qs, u"contains"_qs);
            m_writer.writeStartElement(u"charset"_qs);
            m_writer.writeTextElement(u"int"_qs, u"0x"_qs + QString::number(uint(*code), 16));
            m_writer.writeEndElement();
            m_writer.writeEndElement();
        }
        // Strong, as the family asked for: it ranks above the language of the text, so the
        // Hong Kong faces that map these codes to other characters never come first.
        m_writer.writeStartElement(u"edit"_qs);
        m_writer.writeAttribute(u"name"_qs, u"family"_qs);
        m_writer.writeAttribute(u"mode"_qs, u"append"_qs);
        m_writer.writeAttribute(u"binding"_qs, u"strong"_qs);
        m_writer.writeTextElement(u"string"_qs, family);
        m_writer.writeEndElement();
        m_writer.writeEndElement();
    }

    QByteArray m_xml;
    QXmlStreamWriter m_writer;
};

// Each rule puts its family right after the one asked for, in front of those put there
// before: the Kai typefaces get their stand-in first, then the Kai component font, then the
// Ming one. Every name the Kai component font follows answers a face of its own or its
// stand-in, so it is never the answer for a Kai typeface asked for alone.
QByteArray aliasDocument(const LinkedFont &ming, const LinkedFont &kai)
{
    QStringList kaiFaces;
    QMap<QString, QStringList> facesOfStandIn;
    for (const QString &face : documentFaces()) {
        const QStringList standIns = fonts::installedFamiliesFor(face);
        if (fonts::styleOf(face) == fonts::TypefaceStyle::Kai)
            kaiFaces << face << standIns;
        for (const QString &standIn : standIns)
            facesOfStandIn[standIn] << face;
    }
    kaiFaces.removeDuplicates();

    AliasDocument document;
    // Text typed next to a symbol takes the symbol's face, which draws no Chinese: the
    // Chinese comes from the face that stands in for the typefaces of its style.
    for (const auto &[component, typeface] :
         {std::pair(&ming, kMingLink), std::pair(&kai, kKaiLink)}) {
        const QString standIn = fonts::installedFamiliesFor(QString::fromUtf16(typeface)).value(0);
        if (!component->family.isEmpty() && !standIn.isEmpty())
            document.putAfter({component->family}, standIn);
    }
    if (!ming.family.isEmpty())
        document.putAfterAnyFor(ming.privateUseCodes, ming.family);
    if (!kai.family.isEmpty())
        document.putAfter(kaiFaces, kai.family);
    for (auto standIn = facesOfStandIn.cbegin(); standIn != facesOfStandIn.cend(); ++standIn)
        document.putAfter(standIn.value(), standIn.key());
    return document.finish();
}

// The folders of a path that do not exist yet, the deepest first.
QStringList missingFolders(const QString &path)
{
    QStringList missing;
    for (QFileInfo folder(path); !folder.exists() && !folder.isRoot();
         folder = QFileInfo(folder.absolutePath()))
        missing << folder.absoluteFilePath();
    return missing;
}

} // namespace

FontFileFacts fontFileFacts(const QString &path)
{
    FontFileFacts facts;
    int count = 0;
    const QByteArray file = QFile::encodeName(path);
    std::unique_ptr<FcPattern, decltype(&FcPatternDestroy)> face(
        FcFreeTypeQuery(reinterpret_cast<const FcChar8 *>(file.constData()), 0, nullptr, &count),
        FcPatternDestroy);
    if (!face)
        return facts;
    FcChar8 *family = nullptr;
    for (int i = 0; FcPatternGetString(face.get(), FC_FAMILY, i, &family) == FcResultMatch; ++i)
        facts.families << QString::fromUtf8(reinterpret_cast<const char *>(family));
    FcCharSet *characters = nullptr;
    if (FcPatternGetCharSet(face.get(), FC_CHARSET, 0, &characters) == FcResultMatch) {
        for (char32_t code = 0xE000; code <= 0xF8FF; ++code) {
            if (FcCharSetHasChar(characters, code))
                facts.privateUseCodes << code;
        }
    }
    return facts;
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

    // What each file linked brings, by its full path; nothing for a file that failed. A
    // file that two roles name is linked once.
    QHash<QString, FontFileFacts> linked;
    const auto link = [&](const QString &file) {
        const QString target = QFileInfo(file).absoluteFilePath();
        if (!linked.contains(target))
            linked.insert(target, linkFile(file, failures));
        const FontFileFacts &facts = linked[target];
        return LinkedFont{facts.families.value(0), facts.privateUseCodes};
    };
    const LinkedFont ming = link(fonts.ming);
    const LinkedFont kai = link(fonts.kai);
    // The faces found beside the component fonts, under their own names; a face in both
    // folders is taken from the Ming font's.
    QStringList faces = fonts::endUserDefinedFaceNames();
    for (const QString &file : {fonts.ming, fonts.kai}) {
        const QDir folder = QFileInfo(file).absoluteDir();
        for (auto face = faces.begin(); face != faces.end();) {
            const QString faceFile = folder.filePath(fonts::faceFileName(*face));
            if (QFileInfo(faceFile).isFile() && !link(faceFile).family.isEmpty())
                face = faces.erase(face);
            else
                ++face;
        }
    }

    if (!ming.family.isEmpty() || !kai.family.isEmpty()) {
        QString error;
        if (!makeFolder(QFileInfo(aliasFile()).path()) ||
            !sys::replaceFile(aliasFile(), aliasDocument(ming, kai), &error))
            failures << QStringLiteral("無法寫入字型設定檔 %1：%2").arg(aliasFile(), error);
    }
    return failures + refreshCache();
}

FontFileFacts EudcFontLink::linkFile(const QString &file, QStringList &failures) const
{
    const QFileInfo target(file);
    if (!target.isFile()) {
        failures << QStringLiteral("找不到外字檔「%1」").arg(file);
        return {};
    }
    const FontFileFacts facts = fontFileFacts(target.absoluteFilePath());
    if (facts.families.isEmpty()) {
        failures << QStringLiteral("「%1」不是字型檔").arg(file);
        return {};
    }
    // Two files of the same name from two folders get links of their own.
    QString linkPath = linkFolder() + u'/' + target.fileName();
    for (int n = 2; QFileInfo(linkPath).isSymLink(); ++n)
        linkPath = linkFolder() + u'/' + QString::number(n) + u'-' + target.fileName();
    if (!makeFolder(linkFolder()) || !QFile::link(target.absoluteFilePath(), linkPath)) {
        failures << QStringLiteral("無法把外字檔「%1」連結到 %2").arg(file, linkFolder());
        return {};
    }
    return facts;
}

bool EudcFontLink::makeFolder(const QString &path) const
{
    // The record of the folders created lives in the link folder, which is made first.
    QStringList missing = missingFolders(linkFolder());
    if (path != linkFolder())
        missing += missingFolders(path);
    if (missing.isEmpty())
        return true;
    if (!QDir().mkpath(linkFolder()) || !QDir().mkpath(path))
        return false;
    QStringList created = createdFolders();
    for (const QString &folder : missing) {
        if (!created.contains(folder))
            created << folder;
    }
    return sys::replaceFile(createdFoldersRecord(), created.join(u'\n').toUtf8());
}

QString EudcFontLink::createdFoldersRecord() const
{
    return linkFolder() + QStringLiteral("/.created-folders");
}

QStringList EudcFontLink::createdFolders() const
{
    QFile record(createdFoldersRecord());
    if (!record.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(record.readAll()).split(u'\n', Qt::SkipEmptyParts);
}

QStringList EudcFontLink::remove() const
{
    QStringList created = createdFolders();
    QStringList failures = removeLinks();
    if (QFileInfo::exists(createdFoldersRecord()) && !QFile::remove(createdFoldersRecord()))
        failures << QStringLiteral("無法刪除 %1").arg(createdFoldersRecord());
    // The deepest first; a folder that holds anything else stays.
    created << linkFolder();
    std::sort(created.begin(), created.end(),
              [](const QString &a, const QString &b) { return a.size() > b.size(); });
    for (const QString &folder : created)
        QDir().rmdir(folder);
    return failures + refreshCache();
}

QStringList EudcFontLink::removeLinks() const
{
    QStringList failures;
    if (QFileInfo::exists(aliasFile()) && !QFile::remove(aliasFile()))
        failures << QStringLiteral("無法刪除字型設定檔 %1").arg(aliasFile());
    const QFileInfoList entries =
        QDir(linkFolder())
            .entryInfoList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot | QDir::Hidden);
    for (const QFileInfo &entry : entries) {
        // Only the links are ours; anything else a user put there stays.
        if (entry.isSymLink() && !QFile::remove(entry.absoluteFilePath()))
            failures << QStringLiteral("無法刪除外字連結 %1").arg(entry.absoluteFilePath());
    }
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
