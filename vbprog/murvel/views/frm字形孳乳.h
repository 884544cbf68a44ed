#pragma once

#include "platform/jet/snapshot.h"
#include "vbprog/murvel/views/derivationquery.h"
#include "vbprog/murvel/views/glyphlistwindow.h"
#include "vbprog/murvel/views/longload.h"

class DerivationFormulaBox;

// The derivation search view (kind 11): which glyphs are built from the components typed
// into txt構字式. Enter searches the current script's database and shows the typed text as
// the root of tree字形樹狀結構 with every glyph found as its child; in a search by
// component sequence, a glyph that builds further glyphs opens to show them (fetched when
// opened, from the database the search ran on). A selected glyph goes to the panel and
// the open analysis views.
//
// A search is a long load: it can be stopped with Esc, and Enter during a search stops it
// and starts the new one.
class frm字形孳乳 : public GlyphListWindow
{
public:
    explicit frm字形孳乳(QWidget *parent = nullptr);

    void load() override;
    QLineEdit *formulaBox() const override;

    // Searches for the text (Enter in the box asks for this with the box's text without
    // its leading and trailing blanks). The search runs from the event loop, so it starts
    // once the caller has returned to it; asked while a search runs, that search stops at
    // its next record and the newest one runs after it.
    void requestSearch(const QString &text);
    // True while a search runs.
    bool searching() const { return m_load.busy(); }

    // Loads the glyphs built with the item into the item (its placeholder already gone).
    void 載入細部樹狀結構(int index);

private:
    void loadDerivationTree(LongLoad::Session &session, const QString &text);
    void fillTree(LongLoad::Session &session, jet::Snapshot &answer, const DerivationTerms &terms,
                  CharacterSet set, const QString &script);
    void fixUpRoot(const QString &script);
    void expand(int index);
    // The main window's status box; it outlives the view, so a load that ends after the view
    // was closed still writes its end message there.
    static void showInStatusBox(const QString &text);
    DerivationOptions options() const;
    CharacterSet characterSet() const;

    DerivationFormulaBox *m_box; // owned by the window
    LongLoad m_load;
    // mRecordTotal: records of the last main query; the percentage and end message count
    // them.
    int m_recordTotal = 0;
    // mSearchScript: the script whose database the tree's items come from.
    QString m_searchScript;
};
