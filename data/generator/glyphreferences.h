#pragma once

#include "data/generator/sourcedata.h"

#include <QHash>

// Glyph references of the sources: a 字形, else a 字碼, or "#" and a 編號.
class GlyphReferences
{
public:
    explicit GlyphReferences(const TableData &glyphs); // not owned; must outlive this
    // The row the reference names (the first in file order), or -1.
    int rowOf(const QString &reference) const;

private:
    QHash<QString, int> m_byGlyph;
    QHash<QString, int> m_byCode;
    QHash<qint64, int> m_byNumber;
};

// Turns the @編號 column of 異體字表 and 異體字根 into 編號 of the database's own glyphs.
void ResolveNumberReferences(DatabaseData &database, QList<SourceError> &errors);

// Turns the @楷書 columns of an ancient-script database into 楷書編號 and links the regular
// glyphs back: each gets the 編號 and, unless given, the 字碼 of the first ancient record that
// names it, and the ancient record takes the regular glyph's character-set flags unless
// given. regular may be nullptr when murvel has no sources; a reference then fails.
void LinkAncientScript(DatabaseData &ancient, DatabaseData *regular, QList<SourceError> &errors);
