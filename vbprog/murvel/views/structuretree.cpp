#include "vbprog/murvel/views/structuretree.h"

#include "vbprog/murvel/core/formula.h"
#include "vbprog/murvel/core/scriptfaces.h"
#include "vbprog/murvel/core/typefacenames.h"
#include "vbprog/murvel/views/rolemarks.h"

namespace
{

const QString &Kai = Faces::Kai;
const QString Ming = QStringLiteral("細明體");
const QString Unshowable = QString(QChar(OperatorCodes::Last)); // U+F6B0
constexpr int RepeatOperatorFirst = OperatorNumbers::PrefixFirst;
constexpr int RepeatOperatorLast = OperatorNumbers::PrefixLast;
constexpr int UnshowableOperator = OperatorNumbers::Count;
// Glyph numbers up to this one are not loaded while the panel shows an operator symbol.
constexpr qint32 LastOperatorGlyphNumber = 19782;

// FaceCodes 13..17 always show in their script typefaces, whatever table 字體 calls them.
constexpr int FirstScriptFaceCode = 13;
const QString *const ScriptFaces[] = {&Faces::Seal, &Faces::SealVariant, &Faces::Bronze,
                                      &Faces::OracleBone, &Faces::Chu};

// Analyses that stand for the whole glyph as one part that cannot be shown.
bool isWholePart(const QString &analysis)
{
    return analysis == u"○" || analysis == u"●" || analysis == u"□" || analysis == u"■";
}

bool isUnshowablePart(QChar ch)
{
    return ch == u'●' || ch == u'○' || ch == u'□' || ch == u'■';
}

// The typeface name of a FaceCode; empty when the code has none.
QString faceName(std::optional<int> code, const StructureOptions &options)
{
    if (!code || *code < 0 || *code >= FaceCodeCount)
        return {};
    return options.faceNames[*code];
}

StructureItem pseudoItem(const QString &text)
{
    return {.text = text, .data = PseudoItemData, .flag = 3};
}

// A component that no record of the table has: a pseudo item with the unknown picture.
StructureItem unknownItem(const QString &text, const QString &face)
{
    StructureItem item = pseudoItem(text);
    item.face = face;
    item.picture = StructurePicture::Unknown;
    return item;
}

std::optional<GlyphRecord> firstRecord(StructureRecords &records, const QString &glyph)
{
    const QList<GlyphRecord> found = records.withGlyph(glyph);
    return found.isEmpty() ? std::nullopt : std::optional(found.first());
}

// The item's own record: by number, or by text when the number is 0.
std::optional<GlyphRecord> itemRecord(StructureRecords &records, qint32 number, const QString &text)
{
    return number != 0 ? records.withNumber(number) : firstRecord(records, text);
}

QString rootFace(const GlyphRecord &record, const StructureOptions &options)
{
    const int code = record.face.value_or(0);
    if (code >= FirstScriptFaceCode && code < FirstScriptFaceCode + int(std::size(ScriptFaces)))
        return *ScriptFaces[code - FirstScriptFaceCode];
    const QString name = code != 0 ? faceName(code, options) : QString();
    // FaceCode 0, Null, or a code without a name: the default face.
    return DisplayFontName(name.isEmpty() ? gDefaultFace : name);
}

bool rootIsComposite(StructureScript script, const GlyphRecord &record)
{
    const QString analysis = record.analysis.value_or(QString());
    if (script == StructureScript::SmallSeal && isWholePart(analysis))
        return true;
    if (script == StructureScript::OtherAncient && analysis == u"□")
        return false;
    return record.kind != 0;
}

// The regular script: the components of 部件序, a repeated component as one pseudo item.
QList<StructureItem> regularChildren(StructureRecords &records, const QString &components)
{
    QList<StructureItem> children;
    for (int i = 0; i < components.size(); ++i) {
        const QString ch = components.mid(i, 1);
        if (FindOperator(ch, RepeatOperatorFirst, RepeatOperatorLast) >= 1) {
            children << pseudoItem(components.mid(i, 2));
            ++i;
            continue;
        }
        if (FindOperator(ch, UnshowableOperator, UnshowableOperator) >= 1) {
            children << pseudoItem(ch);
            continue;
        }
        const std::optional<GlyphRecord> found = firstRecord(records, ch);
        if (!found) {
            children << unknownItem(ch, {});
            continue;
        }
        const bool composite = found->kind != 0;
        children << StructureItem{.text = ch,
                                  .face = gBaseFontName == Ming ? Ming : QString(),
                                  .picture = composite ? StructurePicture::Composite
                                                       : StructurePicture::Leaf,
                                  .data = found->number.value_or(0),
                                  .placeholder = composite};
    }
    return children;
}

// The walk through an ancient-script analysis: one item per component, marked by the role
// letters after it.
class AnalysisWalk
{
public:
    AnalysisWalk(StructureRecords &records, const QString &face, const StructureOptions &options)
        : m_records(records), m_face(face), m_options(options)
    {
    }

    QList<StructureItem> run(const QString &analysis);

private:
    bool isLetter(int position, char16_t letter) const
    {
        return position < m_analysis.size() && m_analysis.at(position).toUpper() == letter;
    }
    // Adds the item and gives it the role read after `position`; returns the position of the
    // last character the item took.
    int add(StructureItem item, int position);
    int addComponent(const QString &component, int position);
    int addRegularCharacter(const QString &component, int position);
    // The record a component stands for: for the small seal the first one of its 字形 that is
    // not marked 重複, never one of another 字形.
    std::optional<GlyphRecord> componentRecord(const QString &component);

    StructureRecords &m_records;
    const QString &m_face;
    const StructureOptions &m_options;
    QString m_analysis;
    int m_operatorIndex = 0;
    QList<StructureItem> m_items;
};

QList<StructureItem> AnalysisWalk::run(const QString &analysis)
{
    m_analysis = analysis;
    m_items.clear();
    for (int i = 0; i < m_analysis.size(); ++i) {
        const QChar ch = m_analysis.at(i);
        m_operatorIndex = FindOperator(QString(ch), RepeatOperatorFirst, UnshowableOperator);
        if (isUnshowablePart(ch) || m_operatorIndex == UnshowableOperator) {
            i = add(pseudoItem(Unshowable), i);
        } else if (isLetter(i + 1, u'L')) {
            // The L is taken as a role letter, as after a repeated component; it is not a
            // component of its own.
            i = addComponent(QString(ch), i + 1);
        } else if (isLetter(i + 1, u'D')) {
            i = add(pseudoItem(Unshowable), i + 1);
        } else if (m_operatorIndex >= RepeatOperatorFirst &&
                   m_operatorIndex <= RepeatOperatorLast) {
            if (i + 1 >= m_analysis.size())
                break; // an operator with no component after it repeats nothing
            const QString component = m_analysis.mid(++i, 1);
            if (isLetter(i + 1, u'L'))
                i = addRegularCharacter(component, i + 1);
            else if (isLetter(i + 1, u'D'))
                i = add(pseudoItem(Unshowable), i + 1);
            else
                i = addComponent(component, i);
        } else {
            i = addComponent(QString(ch), i);
        }
    }
    return m_items;
}

int AnalysisWalk::add(StructureItem item, int position)
{
    const ComponentRole role = MarkComponentRole(m_analysis, position, m_operatorIndex);
    item.mark = role.mark;
    m_items << item;
    return position + role.consumed;
}

std::optional<GlyphRecord> AnalysisWalk::componentRecord(const QString &component)
{
    const QList<GlyphRecord> found = m_records.withGlyph(component);
    for (const GlyphRecord &record : found) {
        if (m_records.script() != StructureScript::SmallSeal || record.repeated == 0)
            return record;
    }
    return std::nullopt;
}

int AnalysisWalk::addComponent(const QString &component, int position)
{
    const std::optional<GlyphRecord> record = componentRecord(component);
    if (!record) // still marked, so that its role letters are not read as components
        return add(unknownItem(component, m_face), position);
    QString face = faceName(record->face, m_options);
    if (face.isEmpty())
        face = m_face;
    if (isWholePart(record->analysis.value_or(QString())) || record->kind != 0) {
        return add({.text = component,
                    .face = face,
                    .picture = StructurePicture::Composite,
                    .data = record->number.value_or(0),
                    .placeholder = true},
                   position);
    }
    const qint32 number = record->number.value_or(0);
    if (number <= 0)
        return add(pseudoItem(Unshowable), position);
    return add({.text = component, .face = face, .data = number}, position);
}

int AnalysisWalk::addRegularCharacter(const QString &component, int position)
{
    const std::optional<GlyphRecord> record = firstRecord(m_records, component);
    StructureItem item = pseudoItem(component);
    item.face = Kai;
    item.picture = StructurePicture::Question;
    if (record && record->regularNumber) {
        item.data = *record->regularNumber;
        item.flag = 0;
    }
    return add(item, position);
}

// The analysis that an ancient-script record's children follow.
QString analysisOf(StructureScript script, const GlyphRecord &record,
                   const StructureOptions &options)
{
    if (!record.analysis)
        return {};
    if (script == StructureScript::SmallSeal && !options.explanationOrder)
        return record.analysis2.value_or(QString());
    return *record.analysis;
}

} // namespace

StructureRoot BuildStructureRoot(StructureRecords &records, const QString &glyph, qint32 number,
                                 bool panelHoldsOperator, const StructureOptions &options)
{
    const bool asGlyph = !(number <= LastOperatorGlyphNumber && panelHoldsOperator);
    const std::optional<GlyphRecord> record = asGlyph ? records.withNumber(number) : std::nullopt;
    if (!record) {
        StructureItem item = pseudoItem(glyph);
        item.face = DisplayFontName(gDefaultFace);
        return {item, false};
    }
    const bool composite = rootIsComposite(records.script(), *record);
    StructureItem item{.text = record->glyph.value_or(record->code.value_or(QStringLiteral("●"))),
                       .face = rootFace(*record, options),
                       .picture = composite ? StructurePicture::Composite : StructurePicture::Leaf,
                       .data = record->number.value_or(0)};
    if (composite)
        item.flag = record->glyph ? 0 : 1;
    else
        item.flag = record->analysis == u"□" ? 1 : 0;
    return {item, composite};
}

QList<StructureItem> BuildStructureChildren(StructureRecords &records, qint32 number,
                                            const QString &text, const QString &face,
                                            const StructureOptions &options)
{
    const std::optional<GlyphRecord> record = itemRecord(records, number, text);
    if (!record)
        return {};
    if (records.script() == StructureScript::Regular)
        return regularChildren(records, record->components);
    return AnalysisWalk(records, face, options).run(analysisOf(records.script(), *record, options));
}
