#pragma once

#include "platform/jet/snapshot.h"
#include "vbprog/murvel/core/公用變數.h"
#include "vbprog/murvel/views/derivationquery.h"

#include <QString>
#include <array>
#include <optional>

class OutlineList;

// One record of a derivation answer, as the tree shows it.
struct DerivationRecord {
    QString text;                   // 字形, else 字碼, else "●"
    bool hasGlyph = false;          // 字形 is not Null
    int faceCode = 0;               // 字體; Null reads as 0
    qint32 number = 0;              // 編號
    std::optional<int> formulaKind; // 連接符號; nullopt for Null
    int count = 0;                  // the set's count field; Null reads as 0
    bool outsideSet = false;        // the glyph is not in the active character set

    // Glyphs are built with it beyond itself: more than one glyph, or one outside the set.
    bool expandable() const { return count > 1 || (count == 1 && outsideSet); }
};

// The current record of an answer of BuildDerivationSql, read for the set it filtered on.
DerivationRecord ReadDerivationRecord(const jet::Snapshot &answer, CharacterSet set);

// Adds the records of one answer under one item of the list: the root of a search (item 0)
// or an item being opened. Only component searches give items that open further: a glyph
// that is expandable and composed gets the composite picture and an empty placeholder
// child, loaded when the user opens it.
class DerivationTree
{
public:
    enum class Outcome { Parent, Skipped, Added };

    // `list` and `faceNames` (typeface by FaceCode) must outlive the tree.
    DerivationTree(OutlineList &list, int parent, QString column,
                   const std::array<QString, FaceCodeCount> &faceNames);

    // The parent's own record is left to the caller (Parent); a root glyph of a component
    // search is left out (Skipped); every other record becomes a child (Added).
    Outcome add(const DerivationRecord &record);

    // The search's root takes its own record: picture, typeface, number and flag.
    void describeParent(const DerivationRecord &record);

private:
    QString faceNameOf(const DerivationRecord &record) const;

    OutlineList &m_list;
    int m_parent;
    QString m_column;
    const std::array<QString, FaceCodeCount> &m_faceNames;
};

// What the status box shows while a search fills the tree: the share of the answer's
// records loaded so far, rounded to the nearest whole percent, halves to the even one.
QString DerivationProgressMessage(int loaded, int total);

// The end message of a search or an expansion counts the records of its answer:
// "載入完畢！ 共 " & total & this suffix.
inline const QString DerivationEndSuffix = QStringLiteral(" 個字形(部件)");
QString DerivationEndMessage(int total);
