#pragma once

#include "platform/common/result.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <memory>
#include <pugixml.hpp>
#include <vector>

namespace office
{

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
// layer does not understand.
class Package
{
public:
    // Fails with a clear message for a file that is missing, not a zip, truncated or
    // damaged, or that lacks [Content_Types].xml or the main document part.
    static platform::Result<std::unique_ptr<Package>> open(const QString &path);
    ~Package();

    // The part that _rels/.rels names as the office document ("xl/workbook.xml").
    QString mainPart() const { return m_mainPart; }

    bool hasPart(const QString &partName) const;
    QStringList partNames() const;

    // Parsed on first use and kept; nullptr when the part is missing or not well-formed
    // (errorString() says which). Owned by the package. Call markChanged() after editing.
    pugi::xml_document *xml(const QString &partName);
    void markChanged(const QString &partName);

    QByteArray bytes(const QString &partName) const;
    // Adds or replaces a part. A content type that differs from what the part would get
    // by its extension is recorded as an override; empty keeps the current one.
    void setBytes(const QString &partName, const QByteArray &data, const QString &contentType);
    QString contentType(const QString &partName) const;

    // sourcePart "" means the package itself (_rels/.rels).
    QList<Relationship> relationships(const QString &sourcePart) const;
    // target as it is to be stored (relative to the source part's folder); returns the new
    // relationship's unique id ("rId7").
    QString addRelationship(const QString &sourcePart, const QString &type, const QString &target);
    // The part name a relationship points at; empty for an external target.
    QString resolveTarget(const QString &sourcePart, const Relationship &relationship) const;
    // pattern holds %1 ("word/media/image%1.png"); the first free name counting from 1.
    QString uniquePartName(const QString &pattern) const;

    // Writes a temporary file beside path and renames it over path, so a failed save
    // leaves the file on disk as it was.
    platform::Result<bool> save(const QString &path);

    QString errorString() const { return m_error; }

    static QString relationshipsPartOf(const QString &sourcePart);

private:
    struct Part;
    Package();
    Part *find(const QString &partName) const;
    Part *addPart(const QString &partName);
    pugi::xml_document *parsed(Part &part) const;
    platform::Result<bool> load(const QString &path);
    QByteArray serialize() const;

    std::vector<std::unique_ptr<Part>> m_parts; // in the zip's entry order
    QString m_mainPart;
    mutable QString m_error;
};

} // namespace office
