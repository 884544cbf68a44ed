#include "vbprog/murvel/views/frm字形孳乳.h"

#include "platform/fonts/typefacetable.h"
#include "platform/system/waitcursor.h"
#include "vbprog/murvel/core/recordfields.h"
#include "vbprog/murvel/mainwindow/mainwindowservices.h"
#include "vbprog/murvel/mainwindow/windowkinds.h"
#include "vbprog/murvel/mainwindow/windowplacement.h"
#include "vbprog/murvel/schema/schemanames.h"
#include "vbprog/murvel/views/derivationformulabox.h"
#include "vbprog/murvel/views/derivationtables.h"
#include "vbprog/murvel/views/derivationtree.h"
#include "vbprog/murvel/views/outlinelist.h"

#include <QCoreApplication>

namespace
{

const QString Caption = WindowKindInfoOf(WindowKinds::Derivation).caption;
const QString SqlCaption = QStringLiteral("部件檢字(SQL Like)");
const QString SqlLikeItem = QStringLiteral("mnu_字形孳乳採用SQL語法");

// Keeps the list's Redraw as it was: an expansion may come while a search yields.
class RedrawOff
{
public:
    explicit RedrawOff(OutlineList &list) : m_list(list), m_was(list.Redraw())
    {
        m_list.setRedraw(false);
    }
    ~RedrawOff() { m_list.setRedraw(m_was); }
    RedrawOff(const RedrawOff &) = delete;
    RedrawOff &operator=(const RedrawOff &) = delete;

private:
    OutlineList &m_list;
    bool m_was;
};

bool IsChecked(const QString &item)
{
    return Services() != nullptr && Services()->isMenuChecked(item);
}

// How this view differs in the behaviour the list views share. Set field by field, so
// that traits added later keep their defaults.
GlyphListTraits DerivationTraits()
{
    GlyphListTraits traits = ViewTraits(WindowKinds::Derivation, {});
    traits.statusMessage = &gDerivationMessage;
    traits.startsWithEmptyItem = true;
    traits.selectShowsStatus = true;
    traits.selectsOneCharacterOnly = true;
    traits.listFocusCode = 2;
    return traits;
}

} // namespace

frm字形孳乳::frm字形孳乳(QWidget *parent)
    : GlyphListWindow(DerivationTraits(), parent),
      m_box(new DerivationFormulaBox([this] { requestSearch(m_box->text().trimmed()); },
                                     [] {
                                         gCurrentWindowKind = WindowKinds::Derivation;
                                         gFocusedBox = 1;
                                     })),
      m_load(list(), showInStatusBox)
{
    m_box->setText(QStringLiteral("輸入一到多個部件後，再按Enter檢字"));
    addAboveList(m_box);
    QObject::connect(list(), &OutlineList::Expand, this, [this](int index) { expand(index); });
}

QLineEdit *frm字形孳乳::formulaBox() const
{
    return m_box;
}

void frm字形孳乳::load()
{
    GlyphListWindow::load();
    if (IsFirstRun())
        m_box->setText(QStringLiteral("輸入一到多個部件後，再按Enter"));
    m_box->selectAll();
    const QString face = DerivationScriptOf(gCurrentScript).face;
    if (!face.isEmpty())
        m_box->setFont(fonts::fontFor(face, m_box->font().pointSizeF()));
    // The caption follows the SQL mark also when the view opens with it set.
    setWindowTitle(IsChecked(SqlLikeItem) ? SqlCaption : Caption);
    gFocusedBox = 1;
}

void frm字形孳乳::showInStatusBox(const QString &text)
{
    if (Services() != nullptr)
        Services()->setStatusText(text);
}

DerivationOptions frm字形孳乳::options() const
{
    return {.stepwise = IsChecked(QStringLiteral("mnu_字形孳乳逐級列出單一部件")),
            .inputOrder = IsChecked(QStringLiteral("mnu_字形孳乳遵照輸入部件順序")),
            .variantRoots = IsChecked(QStringLiteral("mnu_字形孳乳包含異寫部件")),
            .sqlLike = IsChecked(SqlLikeItem)};
}

CharacterSet frm字形孳乳::characterSet() const
{
    if (IsChecked(QStringLiteral("mnu_常用字")))
        return CharacterSet::Common;
    if (IsChecked(QStringLiteral("mnu_Big5")))
        return CharacterSet::Big5;
    if (IsChecked(QStringLiteral("mnu_簡化字總表")))
        return CharacterSet::Simplified;
    if (IsChecked(QStringLiteral("mnu_漢語大字典")))
        return CharacterSet::HanyuDazidian;
    return CharacterSet::All;
}

void frm字形孳乳::requestSearch(const QString &text)
{
    LongLoad::Job job = [this, text](LongLoad::Session &session) {
        loadDerivationTree(session, text);
    };
    if (m_load.busy()) {
        // Asked from a pause of the running search: it stops at its next record and this
        // one follows.
        m_load.request(std::move(job));
        return;
    }
    // Run from the event loop rather than from the key press: the search pauses for
    // events, and the window may be closed meanwhile.
    QMetaObject::invokeMethod(
        this, [this, job = std::move(job)] { m_load.request(job); }, Qt::QueuedConnection);
}

void frm字形孳乳::loadDerivationTree(LongLoad::Session &session, const QString &typed)
{
    // The whole search, and every later expansion of its items, uses the script chosen
    // when it started.
    const QString script = gCurrentScript;
    m_searchScript = script;
    m_recordTotal = 0;
    const DerivationScript handles = DerivationScriptOf(script);
    const JetDerivationTables tables(handles);
    const JetDerivationTables regular(DerivationScriptOf(ScriptCodes::Regular));
    const DerivationOptions chosen = options();
    const CharacterSet set = characterSet();
    const DerivationTerms terms = PrepareDerivationSearch(typed, chosen, script, regular, tables);
    const QString pattern = 建構組字式(terms.text, terms.column, chosen.sqlLike, tables);

    QCoreApplication::processEvents(); // the loading message shows before the query runs
    if (session.closed()) {
        session.finish(0, DerivationEndSuffix); // the status box outlives the view
        return;
    }

    // A lookup that failed leaves the pattern short: no search then, but its message.
    QString failure = !tables.failure().isEmpty() ? tables.failure() : regular.failure();
    if (failure.isEmpty() && !IsUselessPattern(pattern)) {
        const QString sql = BuildDerivationSql(
            {.column = terms.column,
             .pattern = pattern,
             .rootText = terms.text,
             .set = set,
             .stepwiseSetting = gIni.isOn(SettingsNames::Options, QStringLiteral("逐級列出")),
             .regularScript = !ScriptCodes::IsAncient(script)});
        jet::Result<jet::Snapshot> answer = handles.database->openSnapshot(sql);
        if (!answer)
            failure = answer.errorString();
        else if (answer->recordCount() > 0)
            fillTree(session, answer.value(), terms, set, script);
        if (session.closed()) {
            // The view is gone, with its members: the count comes from the answer.
            session.finish(answer ? int(answer->recordCount()) : 0, DerivationEndSuffix);
            return;
        }
    }
    if (m_recordTotal > 0)
        fixUpRoot(script);
    gDerivationMessage = session.finish(m_recordTotal, DerivationEndSuffix);
    if (!failure.isEmpty()) {
        // A pattern the engine refuses (a LIKE text written in SQL mode, a character SQL
        // cannot hold) or a failed lookup ends the search with its message instead of the
        // count.
        gDerivationMessage = failure;
        session.showStatus(failure);
    }
}

void frm字形孳乳::fillTree(LongLoad::Session &session, jet::Snapshot &answer,
                           const DerivationTerms &terms, CharacterSet set, const QString &script)
{
    answer.moveLast();
    m_recordTotal = int(answer.recordCount());
    OutlineList &tree = *list();
    const bool single = terms.text.size() == 1;
    tree.AddItem(terms.text);
    const QString face = DerivationScriptOf(script).face;
    tree.setItemFontName(0, face.isEmpty() ? gBaseFontName : face);
    tree.setItemData(0, NoGlyphNumber);
    tree.setItemFlag(0, single ? 0 : 3);
    tree.setExpanded(0, true);
    answer.moveFirst();

    DerivationTree builder(tree, 0, terms.column, mFaceNames);
    const bool countsRoot =
        script == ScriptCodes::Regular && !terms.column.startsWith(Fields::部件序);
    while (!answer.eof() && !session.stopped()) {
        session.showStatus(DerivationProgressMessage(session.counted(), m_recordTotal));
        const DerivationRecord record = ReadDerivationRecord(answer, set);
        switch (builder.add(record)) {
        case DerivationTree::Outcome::Parent:
            if (countsRoot)
                session.count();
            builder.describeParent(record);
            break;
        case DerivationTree::Outcome::Added:
            session.count();
            break;
        case DerivationTree::Outcome::Skipped:
            break;
        }
        answer.moveNext();
        session.pace(); // the window may be gone afterwards: stopped() then holds
    }
}

void frm字形孳乳::fixUpRoot(const QString &script)
{
    // A one-character root that the answer did not hold takes its number from the table.
    OutlineList &tree = *list();
    const QString root = tree.ItemText(0);
    if (root.size() != 1 || tree.ItemData(0) != NoGlyphNumber)
        return;
    jet::Table &glyphs = *DerivationScriptOf(script).glyphs;
    if (!glyphs.setIndex(Indexes::字形) || !glyphs.seek(root))
        return;
    const std::optional<qint32> number = Int32Field(glyphs.value(Fields::編號));
    if (script == ScriptCodes::SmallSeal && number == 0) {
        // A seal record numbered 0 stands for a regular glyph.
        tree.setItemFontName(0, QStringLiteral("標楷體"));
        tree.setItemData(0, Int32Field(glyphs.value(Fields::楷書編號)).value_or(NoGlyphNumber));
        return;
    }
    tree.setItemData(0, number.value_or(NoGlyphNumber));
}

void frm字形孳乳::expand(int index)
{
    OutlineList &tree = *list();
    if (tree.ChildCount(index) == 1 && tree.ItemText(index + 1).isEmpty()) {
        const sys::WaitCursor wait;
        tree.RemoveItem(index + 1);
        const RedrawOff off(tree);
        載入細部樹狀結構(index);
    }
    tree.setExpanded(index, true);
}

void frm字形孳乳::載入細部樹狀結構(int index)
{
    OutlineList &tree = *list();
    const QString itemText = tree.ItemText(index);
    // The items come from the database of the search, whatever script is chosen now.
    const DerivationScript handles = DerivationScriptOf(m_searchScript);
    const JetDerivationTables tables(handles);
    const JetDerivationTables regular(DerivationScriptOf(ScriptCodes::Regular));
    const CharacterSet set = characterSet();
    const DerivationTerms terms =
        PrepareDerivationExpansion(itemText, options(), m_searchScript, regular);
    // The SQL mark plays no part in opening an item: its pattern always has the asterisks.
    const QString pattern = 建構組字式(terms.text, terms.column, false, tables);

    int total = 0;
    QString message = !tables.failure().isEmpty() ? tables.failure() : regular.failure();
    if (message.isEmpty() && !IsUselessPattern(pattern)) {
        jet::Result<jet::Snapshot> answer = handles.database->openSnapshot(BuildDerivationSql(
            {.column = terms.column,
             .pattern = pattern,
             .rootText = itemText,
             .set = set,
             .stepwiseSetting = gIni.isOn(SettingsNames::Options, QStringLiteral("逐級列出")),
             .regularScript = !ScriptCodes::IsAncient(m_searchScript)}));
        if (!answer) {
            message = answer.errorString();
        } else {
            answer->moveLast();
            total = int(answer->recordCount());
            answer->moveFirst();
            DerivationTree builder(tree, index, terms.column, mFaceNames);
            for (; !answer->eof(); answer->moveNext())
                builder.add(ReadDerivationRecord(answer.value(), set));
        }
    }
    gDerivationMessage = message.isEmpty() ? DerivationEndMessage(total) : message;
    showInStatusBox(gDerivationMessage);
}
