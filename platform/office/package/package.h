#pragma once

#include "platform/common/result.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <pugixml.hpp>
#include <vector>

namespace office
{

class StoredArchive;

struct Relationship {
    QString id;
    QString type;
    QString target; // as stored: relative to the source part's folder unless external
    bool external = false;
};

// One opened .docx/.xlsx/.pptx: a zip of parts, their content types and relationships.
// Part names carry no leading '/' ("word/document.xml") and match without regard to case.
// Every part is held in memory; XML parts are parsed on first use. Saving writes the parts
// in the order they were read, unchanged ones byte for byte, so a document keeps whatever this
// layer does not understand; a part that has not changed since it was read or last saved is
// copied compressed as it was stored. Lookups by name, content type and relationship id take
// constant time, so adding many parts (a picture each) grows linearly.
class Package
{
public:
    // Fails with a message that names the file when it is missing, not a zip, truncated or
    // damaged, holds a part twice, unpacks to more than maxPartSize in one part or
    // maxPackageSize in all, or lacks [Content_Types].xml or the main document part.
    static platform::Result<std::unique_ptr<Package>> open(const QString &path);

    // Every part is held in memory: a package that unpacks to more is taken for a damaged
    // or hostile archive rather than read.
    static constexpr qint64 maxPartSize = qint64(512) * 1024 * 1024;
    static constexpr qint64 maxPackageSize = qint64(1024) * 1024 * 1024;
    // A part whose elements nest deeper than this is refused as damaged: no document comes
    // near it, and the engines follow the nesting of what they walk on the stack.
    static constexpr int maxNestingDepth = 1000;
    ~Package();

    // The part that _rels/.rels names as the office document ("xl/workbook.xml").
    QString mainPart() const { return m_mainPart; }

    bool hasPart(const QString &partName) const;
    QStringList partNames() const;

    // Parsed on first use and kept; nullptr when the part is missing, not well-formed or
    // nested deeper than maxNestingDepth (errorString() says which). Owned by the package. Call
    // markChanged() after editing.
    pugi::xml_document *xml(const QString &partName);
    void markChanged(const QString &partName);

    QByteArray bytes(const QString &partName) const;
    // Adds or replaces a part. A content type that differs from what the part would get
    // by its extension is recorded as an override; empty keeps the current one.
    void setBytes(const QString &partName, const QByteArray &data, const QString &contentType);
    QString contentType(const QString &partName) const;

    // sourcePart "" means the package itself (_rels/.rels). Relationship parts are edited
    // through addRelationship (or replaced with setBytes) only.
    QList<Relationship> relationships(const QString &sourcePart) const;
    // target as it is to be stored (relative to the source part's folder); returns the new
    // relationship's unique id ("rId7").
    QString addRelationship(const QString &sourcePart, const QString &type, const QString &target);
    // The part name a relationship points at; empty for an external target.
    QString resolveTarget(const QString &sourcePart, const Relationship &relationship) const;
    // pattern holds %1 ("word/media/image%1.png"); the first free name counting from 1.
    QString uniquePartName(const QString &pattern) const;

    // Writes a temporary file beside path and renames it over path, so a failed save
    // leaves the file on disk as it was and no part of the new one. The failure says what
    // kept the file from being written (a full disk among them).
    platform::Result<bool> save(const QString &path);

    QString errorString() const { return m_error; }

    static QString relationshipsPartOf(const QString &sourcePart);

private:
    struct Part;
    struct RelationshipIds {
        QSet<QString> taken;
        int next = 0; // 0 until taken is read from the part
    };
    Package();
    Part *find(const QString &partName) const;
    Part *addPart(const QString &partName);
    pugi::xml_document *parsed(Part &part) const;
    platform::Result<bool> load(const QString &path);
    platform::Result<QByteArray> serialize() const;
    // The archive just saved becomes the one unchanged parts are copied from.
    void adoptSaved(QByteArray zipped);
    // The Override entries of [Content_Types].xml by case-folded part name ("/word/x.xml").
    const QHash<QString, pugi::xml_node> &overrides() const;

    std::vector<std::unique_ptr<Part>> m_parts; // in the zip's entry order
    std::unique_ptr<StoredArchive> m_stored;    // what was read or last saved
    QString m_mainPart;
    mutable QString m_error; // why the last part asked for cannot be read: errorString()
    // Indexes, each kept as parts are added: parts by case-folded name (the first
    // m_indexed parts), the first number each uniquePartName pattern may still find free,
    // relationship ids by case-folded relationship part, Override entries.
    mutable QHash<QString, Part *> m_partIndex;
    mutable size_t m_indexed = 0;
    mutable QHash<QString, int> m_firstFreeNumber;
    QHash<QString, RelationshipIds> m_relationshipIds;
    mutable std::optional<QHash<QString, pugi::xml_node>> m_overrides;
};

} // namespace office
