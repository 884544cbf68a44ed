#pragma once

#include "platform/jet/table.h"
#include "vbprog/murvel/views/structuretree.h"

#include <memory>

// StructureRecords over a 檢字表 handle: seeks on index 編號 or 字形 of the table. A seek that
// fails, or an index the table lacks, finds nothing: no other record is ever taken.
class TableStructureRecords : public StructureRecords
{
public:
    // `table` is a handle that shares the cursor of a table kept open elsewhere.
    TableStructureRecords(jet::Table table, StructureScript script);

    StructureScript script() const override { return m_script; }
    std::optional<GlyphRecord> withNumber(qint32 number) override;
    QList<GlyphRecord> withGlyph(const QString &glyph) override;

private:
    GlyphRecord current() const;

    jet::Table m_table;
    StructureScript m_script;
};

// The records of the script that a typeface names (any name other than the five script
// faces: the regular script), over the shared 檢字表 handles.
std::unique_ptr<StructureRecords> StructureRecordsOfFace(const QString &face);
