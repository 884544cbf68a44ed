#pragma once

#include "vbprog/murvel/views/variantwindow.h"

// The variant characters of a glyph (WindowKind 13): the groups of 異體字表 of the script
// database that the glyph's typeface chooses, each variant marked with its category in the
// regular script.
class frm異體字表 : public VariantWindow
{
public:
    frm異體字表();

    void load() override;

protected:
    void loadVariants(LongLoad::Session &session, const QString &face, const QString &glyph,
                      qint32 number) override;
};
