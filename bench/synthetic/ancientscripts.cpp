#include "bench/synthetic/ancientscripts.h"

#include "bench/synthetic/codepoints.h"
#include "bench/synthetic/syntheticrandom.h"
#include "vbprog/murvel/core/formula.h"

#include <algorithm>

namespace
{

constexpr double FurtherFormShare = 0.08;
constexpr double PhoneticShare = 0.5;
// Composed glyphs are taken a little more often than the count needs, so that the script
// is full before the regular glyphs run out.
constexpr double ShareMargin = 1.05;
// A small-seal root is a single picture (象形); the other scripts leave its 解形 empty.
constexpr int SealFace = 13;
const QString Pictograph = QStringLiteral("○");

// 解形: the components of the formula one by one, the last marked phonetic (V) for some
// glyphs of two; a repeated component keeps its operator.
QString analysisOf(const QString &formula, SyntheticRandom &random)
{
    if (formula.isEmpty())
        return {};
    if (IsOperatorSymbol(formula[0]) && !IsInfixOperator(formula[0]) && formula.size() == 2)
        return formula;
    QString analysis;
    for (QChar c : formula) {
        if (!IsOperatorSymbol(c))
            analysis += c;
    }
    if (analysis.size() == 2 && random.chance(PhoneticShare))
        analysis += u'V';
    return analysis;
}

// The private-use codes of a face in code order, given out in turn. A script larger than the
// face starts over, so past its size a code is drawn by more than one record, as in the
// end-user-defined faces of the regular script.
class PrivateCodes
{
public:
    explicit PrivateCodes(char16_t first) : m_pool(PrivateUsePool(first)) {}

    QString next() { return QString(m_pool[m_next++ % m_pool.size()]); }

private:
    QList<QChar> m_pool;
    qsizetype m_next = 0;
};

} // namespace

const QList<AncientScriptDef> &AncientScriptDefs()
{
    static const QList<AncientScriptDef> defs = {
        {QStringLiteral("qelseal"), SealFace, 14, 0xE000, 0xE100},
        {QStringLiteral("qelbronz"), 15, 15, 0xE200, 0xE200},
        {QStringLiteral("qeljiagu"), 16, 16, 0xE300, 0xE300},
        {QStringLiteral("qelchu"), 17, 17, 0xE400, 0xE400},
    };
    return defs;
}

AncientScript PlanAncientScript(const SyntheticShape &shape, const RegularScript &regular,
                                const AncientScriptDef &def)
{
    SyntheticRandom random(shape.seed * 1000003ULL + def.face);
    AncientScript script;
    script.def = def;
    qsizetype composedWithGlyph = 0;
    for (const SyntheticGlyph &glyph : regular.glyphs) {
        if (!glyph.glyph.isEmpty() && !glyph.symbol && !glyph.formula.isEmpty())
            ++composedWithGlyph;
    }
    const qsizetype missingCharacters = std::count_if(
        regular.glyphs.begin(), regular.glyphs.end(),
        [](const SyntheticGlyph &glyph) { return glyph.glyph.isEmpty() && !glyph.symbol; });
    const double firstForms = shape.ancientGlyphs / (1.0 + FurtherFormShare);
    const double composedForms = firstForms - double(regular.roots.size());
    const double composedShare =
        composedWithGlyph == 0
            ? 0.0
            : std::clamp(ShareMargin * composedForms / double(composedWithGlyph), 0.0, 1.0);
    // Only when the glyphs with a character of their own are too few for the script.
    const double missingShare =
        missingCharacters == 0
            ? 0.0
            : std::clamp(ShareMargin * (composedForms - double(composedWithGlyph)) /
                             double(missingCharacters),
                         0.0, 1.0);
    PrivateCodes furtherCodes(def.furtherFormCode);
    PrivateCodes ownFaceCodes(def.firstFormCode);
    // A face that holds both kinds of form gives out each of its codes once before reusing it.
    PrivateCodes &missingCodes = def.face == def.variantFace ? furtherCodes : ownFaceCodes;

    for (int index = 0; index < regular.glyphs.size(); ++index) {
        if (script.records.size() >= shape.ancientGlyphs)
            break;
        const SyntheticGlyph &glyph = regular.glyphs[index];
        if (glyph.symbol)
            continue;
        const bool missing = glyph.glyph.isEmpty();
        if (missing && (missingShare <= 0.0 || !random.chance(missingShare)))
            continue;
        const bool root = glyph.formula.isEmpty();
        if (!missing && !root && !random.chance(composedShare))
            continue;
        if (root)
            script.roots.append(glyph.glyph);
        AncientRecord first;
        first.regular = index;
        first.glyph = glyph.glyph;
        if (missing)
            first.code = missingCodes.next();
        first.face = def.face;
        first.formula = glyph.formula;
        first.analysis =
            root && def.face == SealFace ? Pictograph : analysisOf(glyph.formula, random);
        script.records.append(first);
        const bool roomForAnother = script.records.size() < shape.ancientGlyphs;
        if (roomForAnother && random.chance(FurtherFormShare)) {
            AncientRecord further = first;
            further.code = furtherCodes.next();
            further.face = def.variantFace;
            further.repeated = true;
            const int head = int(script.records.size()) - 1;
            script.variantGroups.append({head, head + 1});
            script.records.append(further);
        }
    }
    return script;
}
