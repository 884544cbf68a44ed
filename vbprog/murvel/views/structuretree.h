#pragma once

#include "vbprog/murvel/core/公用變數.h"

#include <QList>
#include <QString>
#include <array>
#include <optional>

// The structure tree of a glyph, built from the records of a script's 檢字表 without any
// widget: the root item of a glyph, and the children of one item, one level at a time.
// Regular-script trees follow the component sequence 部件序; ancient-script trees follow the
// analysis 解形 (the small seal 解形 or 解形二), whose role letters mark the components.

// The ItemData of a pseudo item: a component that is not in the database or cannot be shown.
constexpr qint32 PseudoItemData = -999999;

// The scripts by the rules their trees follow.
enum class StructureScript { Regular, SmallSeal, OtherAncient };

// The fields of one 檢字表 record that the tree reads; a Null field is nullopt, or the
// default where a Null counts as that value.
struct GlyphRecord {
    std::optional<qint32> number;        // 編號
    std::optional<qint32> regularNumber; // 楷書編號 (ancient scripts)
    std::optional<QString> glyph;        // 字形
    std::optional<QString> code;         // 字碼
    std::optional<int> face;             // 字體, a FaceCode
    int kind = 0;                        // 連接符號; Null counts as a root
    QString components;                  // 部件序
    std::optional<QString> analysis;     // 解形 (ancient scripts)
    std::optional<QString> analysis2;    // 解形二 (small seal)
    int repeated = 0;                    // 重複; Null counts as the principal record
};

// The 檢字表 of one script as the tree reads it.
class StructureRecords
{
public:
    virtual ~StructureRecords() = default;
    virtual StructureScript script() const = 0;
    // The record with this 編號; nullopt when there is none.
    virtual std::optional<GlyphRecord> withNumber(qint32 number) = 0;
    // Every record whose 字形 is the text, in the order of index 字形; empty when none is.
    virtual QList<GlyphRecord> withGlyph(const QString &glyph) = 0;
};

// What the tree takes from its view.
struct StructureOptions {
    std::array<QString, FaceCodeCount> faceNames; // typeface by FaceCode (the view's copy)
    bool explanationOrder = true; // small seal: 解形 (說文's order) when set, else 解形二
};

enum class StructurePicture { Leaf, Composite, Unknown, Question };

// One item of the tree, as the outline list gets it.
struct StructureItem {
    QString text{};
    QString face{}; // ItemFontName; empty: the list's own typeface
    StructurePicture picture = StructurePicture::Leaf;
    qint32 data = 0; // ItemData: 編號 in the item's script, or PseudoItemData
    int flag = 0;    // ItemFlag: 0 a glyph, 1 no 字形 or analysis □, 3 a pseudo item
    int mark = 0;    // ItemMark, a RoleMarks number
    // A composite whose children load when it is opened: it gets one empty child.
    bool placeholder = false;

    friend bool operator==(const StructureItem &, const StructureItem &) = default;
};

struct StructureRoot {
    StructureItem item;
    // The root's children are loaded at once (from the table of the root's typeface) and
    // shown.
    bool composite = false;
};

// The root for glyph number `number` of the records' script. A glyph not in the table, or
// any number up to 19782 while the main window's glyph box holds an operator symbol
// (`panelHoldsOperator`), gives a pseudo root showing `glyph`.
StructureRoot BuildStructureRoot(StructureRecords &records, const QString &glyph, qint32 number,
                                 bool panelHoldsOperator, const StructureOptions &options);

// The children of the item with ItemData `number` and text `text` (looked up by text when
// the number is 0), whose typeface `face` chose the records.
QList<StructureItem> BuildStructureChildren(StructureRecords &records, qint32 number,
                                            const QString &text, const QString &face,
                                            const StructureOptions &options);
