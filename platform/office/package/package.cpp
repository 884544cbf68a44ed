#include "platform/office/package/package.h"

#include "platform/office/host/filewriteguard.h"
#include "platform/office/package/documentmessages.h"
#include "platform/office/package/storedarchive.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <cctype>
#include <sstream>
#include <zip.h>

namespace office
{

namespace
{

const char contentTypesPart[] = "[Content_Types].xml";
const char officeDocumentType[] =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument";
const char relationshipsNamespace[] =
    "http://schemas.openxmlformats.org/package/2006/relationships";
const char relationshipsContentType[] = "application/vnd.openxmlformats-package.relationships+xml";

// Whitespace-only text is kept where it is an element's only content (a run of spaces in a
// text element); comments and processing instructions are kept so that a rewrite loses nothing.
constexpr unsigned parseOptions = pugi::parse_full | pugi::parse_ws_pcdata_single;

QString partTwice()
{
    return zipFailureText(ZIP_ER_EXISTS);
}

QString damagedArchive()
{
    return zipFailureText(ZIP_ER_INCONS);
}

QString megabytes(qint64 bytes)
{
    return QString::number(bytes / (1024 * 1024));
}

// Whether elements nest deeper than the engines take. The walk keeps no recursion on the
// stack, so that any nesting is measured safely.
bool nestedTooDeep(pugi::xml_document &document)
{
    struct Walker : pugi::xml_tree_walker {
        bool for_each(pugi::xml_node &node) override
        {
            // depth() counts from 0 at the root element.
            return node.type() != pugi::node_element || depth() < Package::maxNestingDepth;
        }
    } walker;
    return !document.traverse(walker);
}

// Whether the part declares a document type. Its entities are not expanded here, so their
// references would be written back as literal text: such a part is refused, as LibreOffice
// refuses it.
bool declaresDocumentType(const pugi::xml_document &document)
{
    for (pugi::xml_node node : document.children()) {
        if (node.type() == pugi::node_doctype)
            return true;
    }
    return false;
}

// The first reference in data to an entity that XML does not predefine ("&e;"), outside
// comments, CDATA sections and processing instructions; empty when there is none. pugixml
// keeps such a reference as literal text, which a rewrite would escape ("&amp;e;").
QByteArray undeclaredEntity(const QByteArray &data)
{
    static const QByteArrayList predefined{"amp", "lt", "gt", "quot", "apos"};
    static const std::pair<QByteArray, QByteArray> literal[] = {
        {"<!--", "-->"}, {"<![CDATA[", "]]>"}, {"<?", "?>"}};
    const auto inName = [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || (c & 0x80) || c == '_' || c == '-' ||
               c == '.' || c == ':';
    };
    for (qsizetype at = 0; at < data.size(); ++at) {
        if (data[at] == '<') {
            for (const auto &[open, close] : literal) {
                if (QByteArrayView(data).sliced(at).startsWith(open)) {
                    at = data.indexOf(close, at + open.size());
                    if (at < 0)
                        return {};
                    at += close.size() - 1;
                    break;
                }
            }
        } else if (data[at] == '&') {
            qsizetype end = at + 1;
            while (end < data.size() && inName(data[end]))
                ++end;
            // A character reference or a lone ampersand names no entity.
            const QByteArray name = data.mid(at + 1, end - at - 1);
            if (end < data.size() && data[end] == ';' && !name.isEmpty() &&
                !predefined.contains(name))
                return name;
        }
    }
    return {};
}

QString extensionOf(const QString &partName)
{
    int slash = partName.lastIndexOf(u'/');
    int dot = partName.lastIndexOf(u'.');
    return dot > slash ? partName.mid(dot + 1) : QString();
}

} // namespace

struct Package::Part {
    QString name;
    QByteArray data;
    // The entry of the stored archive that holds data compressed; -1 when none does.
    zip_int64_t stored = -1;
    zip_int32_t compression = ZIP_CM_DEFLATE;
    time_t modified = 0;
    mutable std::unique_ptr<pugi::xml_document> document;
    mutable QString unreadable; // why the part cannot be parsed, once it was tried
    bool changed = false;
};

Package::Package() = default;
Package::~Package() = default;

platform::Result<std::unique_ptr<Package>> Package::open(const QString &path)
{
    using Opened = platform::Result<std::unique_ptr<Package>>;
    std::unique_ptr<Package> package(new Package);
    auto loaded = package->load(path);
    if (!loaded)
        return Opened::failure(loaded.errorString());
    return Opened(std::move(package));
}

platform::Result<bool> Package::load(const QString &path)
{
    using Loaded = platform::Result<bool>;
    const auto refuse = [&path](const QString &reason) {
        return Loaded::failure(cannotOpen(path, reason));
    };
    if (!QFileInfo(path).isFile())
        return refuse(QStringLiteral("找不到這個檔案"));

    int code = ZIP_ER_READ;
    QFile file(path);
    m_stored = file.open(QIODevice::ReadOnly)
                   ? StoredArchive::open(file.readAll(), ZIP_RDONLY | ZIP_CHECKCONS, &code)
                   : nullptr;
    if (!m_stored)
        return refuse(zipFailureText(code));
    zip_t *archive = m_stored->handle();

    // The sizes are checked before anything is unpacked.
    std::vector<zip_stat_t> entries(
        size_t(std::max<zip_int64_t>(zip_get_num_entries(archive, 0), 0)));
    QSet<QString> names;
    // A name libzip gives otherwise than it is stored (cut at a NUL, converted from another
    // encoding) would be saved under that other name.
    const std::vector<QByteArray> storedNames = m_stored->storedNames();
    qint64 total = 0;
    for (size_t i = 0; i < entries.size(); ++i) {
        zip_stat_t &stat = entries[i];
        zip_stat_init(&stat);
        if (zip_stat_index(archive, i, 0, &stat) != 0)
            return refuse(damagedArchive());
        const QString name = QString::fromUtf8(stat.name);
        if (storedNames.size() == entries.size() && storedNames[i] != name.toUtf8())
            return refuse(
                QStringLiteral("文件中有一個部分的名稱無法照原樣讀出（%1），檔案已損毀").arg(name));
        // Part names match without regard to case: two that differ only in case are one part.
        const QString key = name.toCaseFolded();
        if (names.contains(key))
            return refuse(partTwice());
        names.insert(key);
        if (stat.size > zip_uint64_t(maxPartSize))
            return refuse(
                QStringLiteral("文件中的 %1 解壓縮後超過 %2 MB").arg(name, megabytes(maxPartSize)));
        total += qint64(stat.size);
        if (total > maxPackageSize)
            return refuse(QStringLiteral("文件解壓縮後超過 %1 MB").arg(megabytes(maxPackageSize)));
    }

    for (size_t i = 0; i < entries.size(); ++i) {
        const zip_stat_t &stat = entries[i];
        auto part = std::make_unique<Part>();
        part->name = QString::fromUtf8(stat.name);
        part->compression = stat.comp_method;
        part->modified = stat.mtime;
        part->stored = i;
        part->data.resize(qsizetype(stat.size));
        bool intact = false;
        if (zip_file_t *file = zip_fopen_index(archive, i, 0)) {
            intact = zip_fread(file, part->data.data(), stat.size) == zip_int64_t(stat.size);
            // The checksum is compared when a read meets the entry's end: one more read must
            // give nothing, or fail on a mismatch.
            char beyond = 0;
            intact = intact && zip_fread(file, &beyond, 1) == 0;
            intact = zip_fclose(file) == 0 && intact;
        }
        if (!intact)
            return refuse(QStringLiteral("文件中的 %1 無法讀取，檔案已損毀").arg(part->name));
        m_parts.push_back(std::move(part));
    }

    if (!hasPart(QString::fromLatin1(contentTypesPart)))
        return refuse(QStringLiteral("這不是 Office 文件，其中沒有 %1").arg(contentTypesPart));
    if (!xml(QString::fromLatin1(contentTypesPart)))
        return refuse(m_error);
    const auto packageRelationships = relationships(QString());
    if (!m_error.isEmpty())
        return refuse(m_error);
    for (const Relationship &relationship : packageRelationships) {
        if (relationship.type == QLatin1String(officeDocumentType)) {
            m_mainPart = resolveTarget(QString(), relationship);
            break;
        }
    }
    if (m_mainPart.isEmpty() || !hasPart(m_mainPart))
        return refuse(QStringLiteral("這不是 Office 文件，其中沒有文件的主要部分"));
    return Loaded(true);
}

Package::Part *Package::find(const QString &partName) const
{
    // Parts are only ever added: index those added since the last lookup. A name held twice
    // finds its first part.
    for (; m_indexed < m_parts.size(); ++m_indexed) {
        Part *part = m_parts[m_indexed].get();
        const QString folded = part->name.toCaseFolded();
        if (!m_partIndex.contains(folded))
            m_partIndex.insert(folded, part);
    }
    const auto found = m_partIndex.constFind(partName.toCaseFolded());
    return found != m_partIndex.cend() ? found.value() : nullptr;
}

Package::Part *Package::addPart(const QString &partName)
{
    auto part = std::make_unique<Part>();
    part->name = partName;
    part->modified = time(nullptr);
    m_parts.push_back(std::move(part));
    return m_parts.back().get();
}

bool Package::hasPart(const QString &partName) const
{
    return find(partName) != nullptr;
}

QStringList Package::partNames() const
{
    QStringList names;
    for (const auto &part : m_parts) {
        if (!part->name.endsWith(u'/'))
            names << part->name;
    }
    return names;
}

pugi::xml_document *Package::parsed(Part &part) const
{
    if (part.document)
        return part.document.get();
    if (part.unreadable.isEmpty()) {
        auto document = std::make_unique<pugi::xml_document>();
        const pugi::xml_parse_result result =
            document->load_buffer(part.data.constData(), size_t(part.data.size()), parseOptions);
        if (!result) {
            part.unreadable = QStringLiteral("文件中的 %1 不是格式正確的 XML（在第 %2 個位元組），"
                                             "檔案已損毀")
                                  .arg(part.name)
                                  .arg(result.offset);
        } else if (nestedTooDeep(*document)) {
            part.unreadable = QStringLiteral("文件中的 %1 層層套疊超過 %2 層，檔案已損毀")
                                  .arg(part.name)
                                  .arg(maxNestingDepth);
        } else if (declaresDocumentType(*document)) {
            part.unreadable = QStringLiteral("文件中的 %1 含有文件類型宣告（<!DOCTYPE>），"
                                             "Office 文件不用這種宣告，無法照原樣讀取")
                                  .arg(part.name);
        } else if (const QByteArray entity = undeclaredEntity(part.data); !entity.isEmpty()) {
            part.unreadable = QStringLiteral("文件中的 %1 用了未宣告的實體 &%2;，檔案已損毀")
                                  .arg(part.name, QString::fromUtf8(entity));
        } else {
            part.document = std::move(document);
            return part.document.get();
        }
    }
    m_error = part.unreadable;
    return nullptr;
}

pugi::xml_document *Package::xml(const QString &partName)
{
    Part *part = find(partName);
    if (!part) {
        m_error = QStringLiteral("文件中沒有 %1").arg(partName);
        return nullptr;
    }
    return parsed(*part);
}

void Package::markChanged(const QString &partName)
{
    if (Part *part = find(partName); part && part->document) {
        part->changed = true;
        part->stored = -1;
    }
}

QByteArray Package::bytes(const QString &partName) const
{
    const Part *part = find(partName);
    if (!part)
        return {};
    if (part->changed && part->document) {
        std::ostringstream out;
        part->document->save(out, "", pugi::format_raw, pugi::encoding_utf8);
        return QByteArray::fromStdString(out.str());
    }
    return part->data;
}

void Package::setBytes(const QString &partName, const QByteArray &data, const QString &contentType)
{
    Part *part = find(partName);
    if (!part)
        part = addPart(partName);
    part->data = data;
    part->stored = -1;
    part->document.reset();
    part->unreadable.clear();
    part->changed = false;
    const QString folded = partName.toCaseFolded();
    m_relationshipIds.remove(folded);
    if (folded == QString::fromLatin1(contentTypesPart).toCaseFolded())
        m_overrides.reset();
    if (contentType.isEmpty() || this->contentType(partName) == contentType)
        return;

    pugi::xml_document *types = xml(QString::fromLatin1(contentTypesPart));
    if (!types)
        return;
    const QString overrideName = u'/' + partName;
    pugi::xml_node entry = overrides().value(overrideName.toCaseFolded());
    if (!entry) {
        entry = types->document_element().append_child("Override");
        entry.append_attribute("PartName").set_value(overrideName.toUtf8().constData());
        m_overrides->insert(overrideName.toCaseFolded(), entry);
    }
    pugi::xml_attribute type = entry.attribute("ContentType");
    if (!type)
        type = entry.append_attribute("ContentType");
    type.set_value(contentType.toUtf8().constData());
    markChanged(QString::fromLatin1(contentTypesPart));
}

const QHash<QString, pugi::xml_node> &Package::overrides() const
{
    if (m_overrides)
        return *m_overrides;
    m_overrides.emplace();
    Part *typesPart = find(QString::fromLatin1(contentTypesPart));
    if (pugi::xml_document *types = typesPart ? parsed(*typesPart) : nullptr) {
        for (pugi::xml_node node : types->document_element().children("Override")) {
            const QString name =
                QString::fromUtf8(node.attribute("PartName").value()).toCaseFolded();
            if (!m_overrides->contains(name))
                m_overrides->insert(name, node);
        }
    }
    return *m_overrides;
}

QString Package::contentType(const QString &partName) const
{
    Part *typesPart = find(QString::fromLatin1(contentTypesPart));
    pugi::xml_document *types = typesPart ? parsed(*typesPart) : nullptr;
    if (!types)
        return {};
    if (pugi::xml_node entry = overrides().value((u'/' + partName).toCaseFolded()))
        return QString::fromUtf8(entry.attribute("ContentType").value());
    QString extension = extensionOf(partName);
    for (pugi::xml_node node : types->document_element().children("Default")) {
        if (extension.compare(QString::fromUtf8(node.attribute("Extension").value()),
                              Qt::CaseInsensitive) == 0)
            return QString::fromUtf8(node.attribute("ContentType").value());
    }
    return {};
}

QString Package::relationshipsPartOf(const QString &sourcePart)
{
    int slash = sourcePart.lastIndexOf(u'/');
    return sourcePart.left(slash + 1) + QStringLiteral("_rels/") + sourcePart.mid(slash + 1) +
           QStringLiteral(".rels");
}

QList<Relationship> Package::relationships(const QString &sourcePart) const
{
    QList<Relationship> list;
    Part *part = find(relationshipsPartOf(sourcePart));
    pugi::xml_document *document = part ? parsed(*part) : nullptr;
    if (!document)
        return list;
    for (pugi::xml_node node : document->document_element().children("Relationship")) {
        list.append(
            {QString::fromUtf8(node.attribute("Id").value()),
             QString::fromUtf8(node.attribute("Type").value()),
             QString::fromUtf8(node.attribute("Target").value()),
             QLatin1String(node.attribute("TargetMode").value()) == QLatin1String("External")});
    }
    return list;
}

QString Package::addRelationship(const QString &sourcePart, const QString &type,
                                 const QString &target)
{
    QString relsName = relationshipsPartOf(sourcePart);
    if (!hasPart(relsName)) {
        QByteArray empty =
            QByteArrayLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
                              "<Relationships xmlns=\"") +
            relationshipsNamespace + "\"/>";
        setBytes(relsName, empty, QString::fromLatin1(relationshipsContentType));
    }
    pugi::xml_document *document = xml(relsName);
    if (!document)
        return {};

    RelationshipIds &ids = m_relationshipIds[relsName.toCaseFolded()];
    if (ids.next == 0) {
        ids.next = 1;
        for (const Relationship &relationship : relationships(sourcePart))
            ids.taken.insert(relationship.id);
    }
    QString id;
    do
        id = QStringLiteral("rId%1").arg(ids.next++);
    while (ids.taken.contains(id));
    ids.taken.insert(id);

    pugi::xml_node node = document->document_element().append_child("Relationship");
    node.append_attribute("Id").set_value(id.toUtf8().constData());
    node.append_attribute("Type").set_value(type.toUtf8().constData());
    node.append_attribute("Target").set_value(target.toUtf8().constData());
    markChanged(relsName);
    return id;
}

QString Package::resolveTarget(const QString &sourcePart, const Relationship &relationship) const
{
    if (relationship.external)
        return {};
    if (relationship.target.startsWith(u'/'))
        return relationship.target.mid(1);
    QString folder = sourcePart.left(sourcePart.lastIndexOf(u'/') + 1);
    QString resolved = QDir::cleanPath(folder + relationship.target);
    // A target that climbs out of the package names no part.
    return resolved.startsWith(QLatin1String("..")) ? QString() : resolved;
}

QString Package::uniquePartName(const QString &pattern) const
{
    // Parts are never removed, so the numbers below the last one answered stay taken.
    int &number = m_firstFreeNumber[pattern];
    number = std::max(number, 1);
    while (hasPart(pattern.arg(number)))
        ++number;
    return pattern.arg(number);
}

platform::Result<QByteArray> Package::serialize() const
{
    std::vector<ArchiveEntry> entries;
    entries.reserve(m_parts.size());
    for (const auto &part : m_parts) {
        ArchiveEntry entry{
            part->name, {}, part->stored, part->compression != ZIP_CM_STORE, part->modified};
        if (entry.storedIndex < 0)
            entry.data = bytes(part->name);
        entries.push_back(std::move(entry));
    }
    return WriteArchive(entries, m_stored.get());
}

void Package::adoptSaved(QByteArray zipped)
{
    int code = 0;
    std::unique_ptr<StoredArchive> saved =
        StoredArchive::open(std::move(zipped), ZIP_RDONLY, &code);
    if (!saved)
        return;
    m_stored = std::move(saved);
    for (size_t i = 0; i < m_parts.size(); ++i) {
        Part &part = *m_parts[i];
        // A part edited in place is written from its XML at every save.
        part.stored = part.changed && part.document ? -1 : zip_int64_t(i);
    }
}

platform::Result<bool> Package::save(const QString &path)
{
    using Saved = platform::Result<bool>;
    const auto failed = [&path](const QString &reason) {
        return Saved::failure(cannotSave(path, reason));
    };
    if (const std::optional<QString> refused = FileWriteGuard::refusal(path))
        return failed(*refused);
    platform::Result<QByteArray> zipped = serialize();
    if (!zipped.ok())
        return failed(zipped.errorString());
    if (const std::optional<QString> failure = FileWriteGuard::write(path, zipped.value()))
        return failed(*failure);
    // The next save copies what this one compressed, unless it changes again.
    adoptSaved(std::move(zipped.value()));
    return Saved(true);
}

} // namespace office
