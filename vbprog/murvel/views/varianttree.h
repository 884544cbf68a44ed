#pragma once

#include "vbprog/murvel/core/scripttables.h"
#include "vbprog/murvel/core/公用變數.h"
#include "vbprog/murvel/views/variantrecords.h"

#include <QString>
#include <functional>

// The trees of the two variant views, built from the records of a glyph's variant groups.

using FaceNames = std::array<QString, FaceCodeCount>;

enum class VariantPicture { None, Node, Unknown, Composite, Leaf };

// One item as a builder adds it.
struct VariantItem {
    QString text;
    QString face;    // ItemFontName
    qint32 data = 0; // ItemData: the glyph's 編號 in the database of its typeface
    int flag = 0;    // ItemFlag: 1 when the glyph's 字形 is Null
    VariantPicture picture = VariantPicture::None;
    int mark = 0; // ItemMark: the variant category; 0 none
};

// Where a builder puts its items: the view's list, or a record of them.
class VariantTreeTarget
{
public:
    virtual ~VariantTreeTarget() = default;
    // Adds the item as the last child of `parent`, at top level when parent is -1; returns
    // its list index.
    virtual int add(const VariantItem &item, int parent) = 0;
    virtual void expand(int index) = 0;
};

// The variant categories (類別) that have a mark picture, with the character it shows.
struct VariantCategory {
    int number;
    QChar label;
};
extern const std::array<VariantCategory, 11> VariantCategories;

// A glyph record by 編號; nullopt when the table holds none.
using GlyphLookup = std::function<std::optional<VariantGlyph>(qint32 number)>;

// The text a member shows: 字形, else 字碼, else "●".
QString VariantMemberText(const VariantGlyph &glyph);

// Builds one load's tree: begin, then for each group beginGroup, addMember for each of its
// rows in order, endGroup. Every row of a group is placed under that group's head (or the
// root, or at top level), never under the head of an earlier group, so that a group without
// a head of its own cannot take the members of another.
class VariantTree
{
public:
    virtual ~VariantTree() = default;

    // Adds the glyph itself: alone when it is in no group, as the root over its groups when
    // the tree has one.
    virtual void begin(const QList<VariantGroup> &groups) = 0;
    void beginGroup() { m_head = m_root; }
    // Adds one row of the group; false when its glyph record is missing and nothing is
    // shown for it.
    virtual bool addMember(const VariantMember &member) = 0;
    // Opens the group's head.
    void endGroup();

protected:
    VariantTree(VariantTreeTarget &target, const FaceNames &faceNames);

    // The typeface of a FaceCode; empty (the list's own) outside the table.
    QString faceOfCode(int code) const;

    VariantTreeTarget &m_target; // not owned
    FaceNames m_faceNames;
    int m_root = -1; // the root item; -1 none
    int m_head = -1; // the current group's head; -1 none
};

// The variant characters of a glyph, from 異體字表 of the database its face chooses.
class VariantCharacterTree : public VariantTree
{
public:
    // `face`, `glyph` and `number` are those of the load; `scriptGlyph` looks up records of
    // the face's 檢字表, `regularGlyph` those of the regular one.
    VariantCharacterTree(VariantTreeTarget &target, const FaceNames &faceNames, QString face,
                         QString glyph, qint32 number, GlyphLookup scriptGlyph,
                         GlyphLookup regularGlyph);

    void begin(const QList<VariantGroup> &groups) override;
    bool addMember(const VariantMember &member) override;

    // Variants added with a category (not Null): the list shows its mark column when any.
    int markCount() const { return m_markCount; }

private:
    bool addRegularGlyph(const VariantMember &member);
    QString memberFace(const VariantGlyph &glyph) const;

    QString m_face;
    QString m_glyph;
    qint32 m_number;
    ScriptId m_script;
    GlyphLookup m_scriptGlyph;
    GlyphLookup m_regularGlyph;
    bool m_grouped = false; // more than one group: a root item holds them
    int m_markCount = 0;
};

// The variant components of a regular glyph, from 異體字根 of murvel.mdb.
class VariantComponentTree : public VariantTree
{
public:
    // `root` is the regular glyph's record (nullopt when missing), shown with `glyph` and
    // `face` of the load in its place then; `regularGlyph` looks up regular records.
    VariantComponentTree(VariantTreeTarget &target, const FaceNames &faceNames,
                         std::optional<VariantGlyph> root, qint32 regularNumber, QString glyph,
                         QString face, GlyphLookup regularGlyph);

    void begin(const QList<VariantGroup> &groups) override;
    bool addMember(const VariantMember &member) override;

private:
    std::optional<VariantGlyph> m_rootGlyph;
    qint32 m_number;
    QString m_rootText;
    QString m_rootFace;
    GlyphLookup m_regularGlyph;
};
