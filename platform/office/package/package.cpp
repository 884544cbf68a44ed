#include "platform/office/package/package.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
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

// A part larger than this is taken for a damaged or hostile archive rather than read.
constexpr zip_uint64_t maxPartSize = zip_uint64_t(512) * 1024 * 1024;

// Whitespace-only text is kept where it is an element's only content (a run of spaces in a
// text element); comments and processing instructions are kept so that a rewrite loses nothing.
constexpr unsigned parseOptions = pugi::parse_full | pugi::parse_ws_pcdata_single;

QString zipErrorText(int code)
{
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    QString text = QString::fromUtf8(zip_error_strerror(&error));
    zip_error_fini(&error);
    return text;
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
    zip_int32_t compression = ZIP_CM_DEFLATE;
    time_t modified = 0;
    mutable std::unique_ptr<pugi::xml_document> document;
    mutable bool malformed = false;
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
    if (!QFileInfo(path).isFile())
        return Loaded::failure(QStringLiteral("The file %1 does not exist.").arg(path));

    int code = 0;
    zip_t *archive =
        zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY | ZIP_CHECKCONS, &code);
    if (!archive)
        return Loaded::failure(
            QStringLiteral("%1 is not an Office document (%2).").arg(path, zipErrorText(code)));
    std::unique_ptr<zip_t, int (*)(zip_t *)> closer(archive, zip_close);

    zip_int64_t count = zip_get_num_entries(archive, 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t stat;
        zip_stat_init(&stat);
        if (zip_stat_index(archive, zip_uint64_t(i), 0, &stat) != 0)
            return Loaded::failure(QStringLiteral("%1 is damaged: %2")
                                       .arg(path, QString::fromUtf8(zip_strerror(archive))));
        QString name = QString::fromUtf8(stat.name);
        if (stat.size > maxPartSize)
            return Loaded::failure(
                QStringLiteral("%1 is damaged: part %2 is too large.").arg(path, name));

        auto part = std::make_unique<Part>();
        part->name = name;
        part->compression = stat.comp_method;
        part->modified = stat.mtime;
        part->data.resize(qsizetype(stat.size));
        bool intact = false;
        if (zip_file_t *file = zip_fopen_index(archive, zip_uint64_t(i), 0)) {
            intact = zip_fread(file, part->data.data(), stat.size) == zip_int64_t(stat.size);
            // Closing reports a CRC mismatch in what was read.
            intact = zip_fclose(file) == 0 && intact;
        }
        if (!intact)
            return Loaded::failure(QStringLiteral("%1 is damaged: part %2 cannot be read (%3).")
                                       .arg(path, name, QString::fromUtf8(zip_strerror(archive))));
        m_parts.push_back(std::move(part));
    }

    if (!hasPart(QString::fromLatin1(contentTypesPart)))
        return Loaded::failure(QStringLiteral("%1 is not an Office document: it has no %2.")
                                   .arg(path, contentTypesPart));
    if (!xml(QString::fromLatin1(contentTypesPart)))
        return Loaded::failure(QStringLiteral("%1 is damaged: %2").arg(path, m_error));
    const auto packageRelationships = relationships(QString());
    if (!m_error.isEmpty())
        return Loaded::failure(QStringLiteral("%1 is damaged: %2").arg(path, m_error));
    for (const Relationship &relationship : packageRelationships) {
        if (relationship.type == QLatin1String(officeDocumentType)) {
            m_mainPart = resolveTarget(QString(), relationship);
            break;
        }
    }
    if (m_mainPart.isEmpty() || !hasPart(m_mainPart))
        return Loaded::failure(
            QStringLiteral("%1 is not an Office document: its main part is missing.").arg(path));
    return Loaded(true);
}

Package::Part *Package::find(const QString &partName) const
{
    for (const auto &part : m_parts) {
        if (part->name.compare(partName, Qt::CaseInsensitive) == 0)
            return part.get();
    }
    return nullptr;
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
    if (part.malformed) {
        m_error = QStringLiteral("Part %1 is not well-formed XML.").arg(part.name);
        return nullptr;
    }
    auto document = std::make_unique<pugi::xml_document>();
    pugi::xml_parse_result result =
        document->load_buffer(part.data.constData(), size_t(part.data.size()), parseOptions);
    if (!result) {
        part.malformed = true;
        m_error = QStringLiteral("Part %1 is not well-formed XML: %2 at byte %3.")
                      .arg(part.name, QString::fromUtf8(result.description()))
                      .arg(result.offset);
        return nullptr;
    }
    part.document = std::move(document);
    return part.document.get();
}

pugi::xml_document *Package::xml(const QString &partName)
{
    Part *part = find(partName);
    if (!part) {
        m_error = QStringLiteral("The document has no part %1.").arg(partName);
        return nullptr;
    }
    return parsed(*part);
}

void Package::markChanged(const QString &partName)
{
    if (Part *part = find(partName); part && part->document)
        part->changed = true;
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
    part->document.reset();
    part->malformed = false;
    part->changed = false;
    if (contentType.isEmpty() || this->contentType(partName) == contentType)
        return;

    pugi::xml_document *types = xml(QString::fromLatin1(contentTypesPart));
    if (!types)
        return;
    pugi::xml_node root = types->document_element();
    QString overrideName = u'/' + partName;
    pugi::xml_node entry;
    for (pugi::xml_node node : root.children("Override")) {
        if (overrideName.compare(QString::fromUtf8(node.attribute("PartName").value()),
                                 Qt::CaseInsensitive) == 0) {
            entry = node;
            break;
        }
    }
    if (!entry) {
        entry = root.append_child("Override");
        entry.append_attribute("PartName").set_value(overrideName.toUtf8().constData());
    }
    pugi::xml_attribute type = entry.attribute("ContentType");
    if (!type)
        type = entry.append_attribute("ContentType");
    type.set_value(contentType.toUtf8().constData());
    markChanged(QString::fromLatin1(contentTypesPart));
}

QString Package::contentType(const QString &partName) const
{
    Part *typesPart = find(QString::fromLatin1(contentTypesPart));
    pugi::xml_document *types = typesPart ? parsed(*typesPart) : nullptr;
    if (!types)
        return {};
    pugi::xml_node root = types->document_element();
    QString overrideName = u'/' + partName;
    for (pugi::xml_node node : root.children("Override")) {
        if (overrideName.compare(QString::fromUtf8(node.attribute("PartName").value()),
                                 Qt::CaseInsensitive) == 0)
            return QString::fromUtf8(node.attribute("ContentType").value());
    }
    QString extension = extensionOf(partName);
    for (pugi::xml_node node : root.children("Default")) {
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

    QStringList taken;
    for (const Relationship &relationship : relationships(sourcePart))
        taken << relationship.id;
    int number = 1;
    while (taken.contains(QStringLiteral("rId%1").arg(number)))
        ++number;
    QString id = QStringLiteral("rId%1").arg(number);

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
    for (int number = 1;; ++number) {
        QString name = pattern.arg(number);
        if (!hasPart(name))
            return name;
    }
}

QByteArray Package::serialize() const
{
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t *buffer = zip_source_buffer_create(nullptr, 0, 0, &error);
    if (!buffer) {
        m_error = QString::fromUtf8(zip_error_strerror(&error));
        zip_error_fini(&error);
        return {};
    }
    zip_source_keep(buffer);
    std::unique_ptr<zip_source_t, void (*)(zip_source_t *)> bufferOwner(buffer, zip_source_free);
    zip_t *archive = zip_open_from_source(buffer, ZIP_TRUNCATE, &error);
    if (!archive) {
        m_error = QString::fromUtf8(zip_error_strerror(&error));
        zip_error_fini(&error);
        return {};
    }
    zip_error_fini(&error);

    // libzip reads the entries' data only when the archive is closed: keep it alive till then.
    std::vector<QByteArray> contents;
    contents.reserve(m_parts.size());
    for (const auto &part : m_parts) {
        contents.push_back(bytes(part->name));
        const QByteArray &data = contents.back();
        zip_source_t *source =
            zip_source_buffer(archive, data.constData(), zip_uint64_t(data.size()), 0);
        QByteArray name = part->name.toUtf8();
        zip_int64_t index =
            source ? zip_file_add(archive, name.constData(), source, ZIP_FL_ENC_UTF_8) : -1;
        if (index < 0) {
            if (source)
                zip_source_free(source);
            m_error = QString::fromUtf8(zip_strerror(archive));
            zip_discard(archive);
            return {};
        }
        zip_int32_t method = part->compression == ZIP_CM_STORE ? ZIP_CM_STORE : ZIP_CM_DEFLATE;
        zip_set_file_compression(archive, zip_uint64_t(index), method, 0);
        zip_file_set_mtime(archive, zip_uint64_t(index), part->modified, 0);
    }
    if (zip_close(archive) != 0) {
        m_error = QString::fromUtf8(zip_strerror(archive));
        zip_discard(archive);
        return {};
    }

    QByteArray zipped;
    if (zip_source_open(buffer) == 0) {
        zip_source_seek(buffer, 0, SEEK_END);
        zip_int64_t size = zip_source_tell(buffer);
        zip_source_seek(buffer, 0, SEEK_SET);
        zipped.resize(qsizetype(size));
        if (zip_source_read(buffer, zipped.data(), zip_uint64_t(size)) != size)
            zipped.clear();
        zip_source_close(buffer);
    }
    if (zipped.isEmpty())
        m_error = QStringLiteral("The document could not be assembled.");
    return zipped;
}

platform::Result<bool> Package::save(const QString &path)
{
    using Saved = platform::Result<bool>;
    QByteArray zipped = serialize();
    if (zipped.isEmpty())
        return Saved::failure(QStringLiteral("%1 was not saved: %2").arg(path, m_error));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(zipped) != zipped.size() || !file.commit())
        return Saved::failure(QStringLiteral("%1 was not saved: %2").arg(path, file.errorString()));
    return Saved(true);
}

} // namespace office
