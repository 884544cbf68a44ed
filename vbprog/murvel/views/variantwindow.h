#pragma once

#include "vbprog/murvel/mainwindow/glyphview.h"
#include "vbprog/murvel/views/glyphlistwindow.h"
#include "vbprog/murvel/views/longload.h"
#include "vbprog/murvel/views/varianttree.h"

#include <memory>

namespace jet
{
class Database;
}

// What the two variant views share: a glyph pushed in through 載入字形 rebuilds the list as a
// long load (Esc, pacing, the newest request wins) from the glyph's variant groups; each
// view chooses the table and builds its own tree shape.
class VariantWindow : public GlyphListWindow, public GlyphView
{
public:
    // Does nothing while the view is locked or for a number of 0 or less.
    void 載入字形(const QString &face, const QString &glyph, qint32 number) override;
    bool isLocked() const override { return GlyphListWindow::isLocked(); }

protected:
    explicit VariantWindow(GlyphListTraits traits);

    void loadGlyph(const QString &face, const QString &glyph, qint32 number) override;

    // One load, run by the long-load protocol; the view may be closed by the time it returns.
    virtual void loadVariants(LongLoad::Session &session, const QString &face, const QString &glyph,
                              qint32 number) = 0;

    // Where a loader's tree puts its items: this view's list.
    VariantTreeTarget &listTarget() { return *m_target; }

    // Adds the glyph and the groups of `table` that hold `key`, pacing after each group and
    // stopping before a group once the load is stopped. False when the view has closed
    // meanwhile (nothing of it may be touched then) or when a query failed (reported in
    // txt狀態): only on true does the loader go on to finishLoad.
    bool fillGroups(LongLoad::Session &session, const jet::Database &database, const QString &table,
                    qint32 key, VariantTree &tree);
    // The end of a load: the list redrawn and "載入完畢！ 共 n 個字形" in gVariantViewMessage and
    // txt狀態, n the variant items added.
    void finishLoad(LongLoad::Session &session);

private:
    void reportFailure(LongLoad::Session &session, const QString &problem);

    std::unique_ptr<VariantTreeTarget> m_target; // owned; puts items into the list
    LongLoad m_loads;
};
