#pragma once

#include "vbprog/murvel/refviews/referencerecords.h"
#include "vbprog/murvel/refviews/referencerows.h"

// What the index view shows of one glyph: its regular record and the records its
// cross-numbers lead to. A record that is absent was not linked, or its table lacks it: its
// block is left out.
struct IndexRecords {
    qint32 number = 0; // the regular 編號
    RecordFields regular;
    std::optional<RecordFields> seal;       // by 小篆編號
    std::optional<RecordFields> bronze;     // by 金文編號
    std::optional<RecordFields> supplement; // 補遺, only for a glyph without 金文編號
    std::optional<RecordFields> oracle;     // by 甲骨文編號
    std::optional<RecordFields> chu;        // by 楚系文字編號
    // The radical glyphs of 部首 and 中文大辭典部首 (Kangxi) and the small seal's 部首
    // (Shuowen); "" when the field is Null or the radical table lacks the number.
    QString kangxiRadical;
    QString dictionaryRadical;
    QString shuowenRadical;
};

// Reads the records of the glyph named by (face, number) through the open script tables
// (the four ancient 檢字表 by 編號, 補遺 by 楷書編號) and the radical tables. nullopt when
// the regular record cannot be found. Cross-numbers are read as 32-bit numbers.
std::optional<IndexRecords> ReadIndexRecords(const QString &face, qint32 number);

// The rows of the index view for the records: the glyph row (text 字碼 in glyphFace) and the
// blocks that the checked options switch on and the records fill.
ReferenceRows BuildIndexRows(const IndexRecords &records, const QString &glyphFace,
                             const OptionCheck &checked);
