#include "vbprog/murvel/views/derivationtree.h"

#include "vbprog/murvel/core/recordfields.h"
#include "vbprog/murvel/core/typefacenames.h"
#include "vbprog/murvel/schema/schemanames.h"
#include "vbprog/murvel/views/outlinelist.h"

#include <utility>

namespace
{

// The field whose Null or 0 puts a glyph outside the set (Big5 goes by number instead).
QString SetField(CharacterSet set)
{
    switch (set) {
    case CharacterSet::Common:
        return Fields::常用字;
    case CharacterSet::Simplified:
        return Fields::簡化字;
    case CharacterSet::HanyuDazidian:
        return Fields::漢語大字典;
    case CharacterSet::Big5:
    case CharacterSet::All:
        break;
    }
    return Fields::編號;
}

QString NonEmptyText(const QVariant &value)
{
    return value.isNull() ? QString() : value.toString();
}

} // namespace

DerivationRecord ReadDerivationRecord(const jet::Snapshot &answer, CharacterSet set)
{
    DerivationRecord record;
    const QVariant glyph = answer.value(Fields::字形);
    record.hasGlyph = !glyph.isNull();
    record.text = NonEmptyText(glyph);
    if (record.text.isEmpty())
        record.text = NonEmptyText(answer.value(Fields::字碼));
    if (record.text.isEmpty())
        record.text = QStringLiteral("●");
    record.faceCode = Int32Field(answer.value(Fields::字體)).value_or(0);
    record.number = Int32Field(answer.value(Fields::編號)).value_or(0);
    record.formulaKind = Int32Field(answer.value(Fields::連接符號));
    record.count = Int32Field(answer.value(CountField(set))).value_or(0);
    if (set == CharacterSet::Big5)
        record.outsideSet = record.number > LastBig5Number;
    else
        record.outsideSet = Int32Field(answer.value(SetField(set))).value_or(0) == 0;
    return record;
}

DerivationTree::DerivationTree(OutlineList &list, int parent, QString column,
                               const std::array<QString, FaceCodeCount> &faceNames)
    : m_list(list), m_parent(parent), m_column(std::move(column)), m_faceNames(faceNames)
{
}

QString DerivationTree::faceNameOf(const DerivationRecord &record) const
{
    // A code outside the table names no typeface.
    return record.faceCode >= 0 && record.faceCode < FaceCodeCount ? m_faceNames[record.faceCode]
                                                                   : QString();
}

DerivationTree::Outcome DerivationTree::add(const DerivationRecord &record)
{
    const QString face = faceNameOf(record);
    if (record.text == m_list.ItemText(m_parent) &&
        face == CanonicalFontName(m_list.ItemFontName(m_parent)))
        return Outcome::Parent;
    const bool components = m_column.startsWith(u"部件");
    if (components && record.formulaKind == FormulaKinds::Root)
        return Outcome::Skipped;

    m_list.AddItem(record.text, m_parent);
    const int item = m_list.NewIndex();
    m_list.setItemFontName(item, DisplayFontName(face));
    m_list.setItemData(item, record.number);
    m_list.setItemFlag(item, record.hasGlyph ? 0 : 1);
    const bool opens = record.expandable() && components && record.formulaKind.has_value() &&
                       *record.formulaKind != FormulaKinds::Root;
    m_list.setItemPicture(item, opens ? m_list.PictureComposite() : m_list.PictureLeaf());
    if (opens)
        m_list.AddItem(QString(), item);
    return Outcome::Added;
}

void DerivationTree::describeParent(const DerivationRecord &record)
{
    const bool single = m_list.ItemText(m_parent).size() == 1;
    m_list.setItemPicture(m_parent, record.expandable() || !single ? m_list.PictureNode()
                                                                   : m_list.PictureLeaf());
    m_list.setItemFontName(m_parent, DisplayFontName(faceNameOf(record)));
    m_list.setItemData(m_parent, record.number);
    m_list.setItemFlag(m_parent, single ? 0 : 3);
}

QString DerivationProgressMessage(int loaded, int total)
{
    qint64 percent = 0;
    if (total > 0) {
        const qint64 scaled = qint64(loaded) * 100;
        percent = scaled / total;
        const qint64 twiceRemainder = 2 * (scaled % total);
        if (twiceRemainder > total || (twiceRemainder == total && percent % 2 != 0))
            ++percent;
    }
    return QStringLiteral("字形載入已完成 ") + QString::number(percent) +
           QStringLiteral(" % , 欲中斷請按 Esc 鍵");
}

QString DerivationEndMessage(int total)
{
    return QStringLiteral("載入完畢！ 共 ") + QString::number(total) + DerivationEndSuffix;
}
