#pragma once

#include "platform/jet/table.h"
#include "vbprog/murvel/views/variantwindow.h"

// The variant components of a glyph (WindowKind 14): the groups of 異體字根 of murvel.mdb
// that hold its regular counterpart, whatever its script.
class frm異體字根 : public VariantWindow
{
public:
    frm異體字根();

    // Opens mRootsTable before loading the main window's glyph.
    void load() override;
    // Closes mRootsTable.
    void unload() override;

protected:
    void loadVariants(LongLoad::Session &session, const QString &face, const QString &glyph,
                      qint32 number) override;

private:
    // Table 字根 of murvel.mdb with index 字形, open while the view is.
    jet::Table mRootsTable;
};
