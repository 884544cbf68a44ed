#include "bench/synthetic/regularscript.h"

#include "bench/synthetic/codepoints.h"
#include "bench/synthetic/syntheticprobes.h"
#include "bench/synthetic/syntheticrandom.h"
#include "vbprog/murvel/core/formula.h"

#include <QHash>
#include <QSet>
#include <algorithm>
#include <cmath>

namespace
{

constexpr int EndUserFaces = 8;
constexpr int RadicalCount = 214;
constexpr int MostStrokes = 64;

// How a composed glyph is put together, with the share of glyphs of each kind.
enum class Arrangement { Beside, Above, Enclosing, Repeated, Bracketed };
struct ArrangementShare {
    Arrangement arrangement;
    double share;
};
constexpr ArrangementShare Arrangements[] = {
    {Arrangement::Beside, 0.50},   {Arrangement::Above, 0.28},     {Arrangement::Enclosing, 0.07},
    {Arrangement::Repeated, 0.04}, {Arrangement::Bracketed, 0.11},
};

// Picks from the common components take this share of all root picks; their weights among
// themselves follow. Tuned so that a fifth of the composed glyphs hold one of them.
constexpr double CommonPickShare = 0.085;
constexpr double CommonWeights[] = {0.28, 0.14, 0.08, 0.12, 0.08, 0.12, 0.09, 0.09};
static_assert(std::size(CommonWeights) == 8, "one weight per common component");
// The other roots are picked by a Zipf law of this exponent over their order.
constexpr double ZipfExponent = 0.7;
// A component is an earlier composed glyph (making the glyph a level deeper) this often.
constexpr double NestedComponentShare = 0.3;
constexpr int DeepestNestableComponent = 2;
constexpr double VariantShare = 0.05;
// Composed glyphs with a character of their own; the others are missing characters. The
// share the CJK blocks allow at the full size, kept at every size.
constexpr double GlyphShare = 0.28;
constexpr double SimplifiedShare = 0.25;
constexpr int FormulaRetries = 8;

const QChar Beside(OperatorCodes::InfixFirst + 1);
const QChar Above(OperatorCodes::InfixFirst);
const QChar Enclosing(OperatorCodes::InfixLast);
const QChar OpenBracket(OperatorCodes::OpenBracket);
const QChar CloseBracket(OperatorCodes::CloseBracket);

class RegularPlanner
{
public:
    RegularPlanner(const SyntheticShape &shape, const QList<SampleRoot> &sampleRoots,
                   const QString &requiredRoots)
        : m_shape(shape), m_random(shape.seed), m_sampleRoots(sampleRoots),
          m_required(requiredRoots + CommonComponents + QStringLiteral("人亻口木"))
    {
    }

    RegularScript plan()
    {
        addSymbols();
        addRoots();
        addProbes();
        prepareRootPicks();
        addComposedGlyphs();
        return std::move(m_script);
    }

private:
    // A glyph of two components joined by an infix operator, which may get variants.
    struct Pair {
        int head = -1;
        QChar join;
        int first = -1;
        int second = -1;
        int variants = 0;
    };

    void addSymbols()
    {
        auto addSymbol = [this](char16_t c) {
            SyntheticGlyph symbol;
            symbol.glyph = QString(QChar(c));
            symbol.symbol = true;
            m_script.glyphs.append(symbol);
        };
        for (char16_t c = OperatorCodes::First; c <= OperatorCodes::Last; ++c)
            addSymbol(c);
        for (char16_t c = TrigramFirst; c <= TrigramLast; ++c)
            addSymbol(c);
    }

    void addRoot(const SampleRoot &root)
    {
        m_used.insert(root.glyph[0]);
        m_script.roots.append(root);
        m_script.rootGlyph.append(int(m_script.glyphs.size()));
        SyntheticGlyph glyph;
        glyph.glyph = root.glyph;
        glyph.strokes = root.strokes;
        glyph.radical = 1 + int(m_random.below(RadicalCount));
        glyph.frequent = IsFrequentBig5(root.glyph[0]);
        glyph.simplified = root.simplified;
        glyph.dictionary = true;
        glyph.roots = {int(m_script.roots.size()) - 1};
        m_glyphOf.insert(root.glyph, int(m_script.glyphs.size()));
        m_script.glyphs.append(glyph);
    }

    void addRoots()
    {
        QList<SampleRoot> usable;
        for (const SampleRoot &root : m_sampleRoots) {
            if (root.glyph.size() == 1 && !IsPrivateUse(root.glyph[0]))
                usable.append(root);
        }
        QSet<QChar> required(m_required.begin(), m_required.end());
        // One place is the reserved root's.
        qsizetype optional = std::max<qsizetype>(0, m_shape.roots - 1 - required.size());
        for (const SampleRoot &root : usable) {
            if (m_required.contains(root.glyph))
                addRoot(root);
            else if (optional > 0) {
                --optional;
                addRoot(root);
            }
        }
        for (QChar c : m_required) {
            if (!m_glyphOf.contains(QString(c)))
                addRoot({QString(c), 3 + int(m_random.below(10)), 1, false});
        }
        for (QChar c : CjkPool()) {
            if (m_script.roots.size() >= m_shape.roots - 1)
                break;
            if (!m_used.contains(c) && !isProbeCharacter(c))
                addRoot(
                    {QString(c), 2 + int(m_random.below(15)), 1 + int(m_random.below(5)), false});
        }
    }

    static bool isProbeCharacter(QChar c)
    {
        for (const auto &probe : SyntheticProbes::ProbeRecords()) {
            if (probe.glyph[0] == c)
                return true;
        }
        return false;
    }

    // The probe glyphs: the reserved root, then the glyphs built on it, which only they use.
    void addProbes()
    {
        for (const auto &probe : SyntheticProbes::ProbeRecords()) {
            if (probe.formula.isEmpty()) {
                addRoot({probe.glyph, 5, 1, false});
                continue;
            }
            QList<int> components;
            for (QChar c : probe.formula) {
                if (!IsOperatorSymbol(c))
                    components.append(m_glyphOf.value(QString(c)));
            }
            SyntheticGlyph glyph = composed(probe.formula, components, 1);
            glyph.glyph = probe.glyph;
            m_used.insert(probe.glyph[0]);
            m_glyphOf.insert(probe.glyph, int(m_script.glyphs.size()));
            m_script.glyphs.append(glyph);
        }
    }

    void prepareRootPicks()
    {
        for (QChar c : CommonComponents)
            m_commonRoots.append(rootIndexOf(c));
        double total = 0;
        int rank = 0;
        const QString reserved = SyntheticProbes::ReservedRoot;
        for (int root = 0; root < m_script.roots.size(); ++root) {
            const QString &glyph = m_script.roots[root].glyph;
            if (CommonComponents.contains(glyph) || glyph == reserved)
                continue;
            total += 1.0 / std::pow(++rank, ZipfExponent);
            m_otherRoots.append(root);
            m_otherCumulative.append(total);
        }
    }

    int rootIndexOf(QChar c) const
    {
        for (int root = 0; root < m_script.roots.size(); ++root) {
            if (m_script.roots[root].glyph[0] == c)
                return root;
        }
        return -1;
    }

    int pickRoot()
    {
        if (m_random.chance(CommonPickShare)) {
            double at = m_random.unit();
            for (qsizetype i = 0; i < m_commonRoots.size(); ++i) {
                at -= CommonWeights[i];
                if (at < 0)
                    return m_commonRoots[i];
            }
            return m_commonRoots.last();
        }
        const double at = m_random.unit() * m_otherCumulative.last();
        const auto found = std::upper_bound(m_otherCumulative.begin(), m_otherCumulative.end(), at);
        const qsizetype index =
            std::min<qsizetype>(found - m_otherCumulative.begin(), m_otherRoots.size() - 1);
        return m_otherRoots[index];
    }

    // A component: an earlier composed glyph that has a glyph of its own, or a root.
    int pickComponent()
    {
        if (!m_nestable.isEmpty() && m_random.chance(NestedComponentShare))
            return m_nestable[m_random.below(m_nestable.size())];
        return m_script.rootGlyph[pickRoot()];
    }

    QChar pickJoin() { return m_random.chance(0.6) ? Beside : Above; }

    // A new formula, with the components it names in order.
    std::pair<QString, QList<int>> newFormula()
    {
        double at = m_random.unit();
        Arrangement arrangement = Arrangement::Beside;
        for (const auto &[kind, share] : Arrangements) {
            arrangement = kind;
            if ((at -= share) < 0)
                break;
        }
        const int first = pickComponent();
        const int second = pickComponent();
        switch (arrangement) {
        case Arrangement::Beside:
            return {text(first) + Beside + text(second), {first, second}};
        case Arrangement::Above:
            return {text(first) + Above + text(second), {first, second}};
        case Arrangement::Enclosing:
            return {text(first) + Enclosing + text(second), {first, second}};
        case Arrangement::Repeated: {
            const QChar repeat(
                OperatorCodes::PrefixFirst +
                int(m_random.below(OperatorCodes::PrefixLast - OperatorCodes::PrefixFirst + 1)));
            return {repeat + text(first), {first}};
        }
        case Arrangement::Bracketed: {
            const int third = pickComponent();
            return {OpenBracket + text(first) + pickJoin() + text(second) + pickJoin() +
                        text(third) + CloseBracket,
                    {first, second, third}};
        }
        }
        return {};
    }

    QString text(int glyph) const { return m_script.glyphs[glyph].glyph; }

    // The glyph of a formula over its components; repeats is how often each counts.
    SyntheticGlyph composed(const QString &formula, const QList<int> &components, int repeats)
    {
        SyntheticGlyph glyph;
        glyph.formula = formula;
        glyph.depth = 1;
        for (int component : components) {
            const SyntheticGlyph &part = m_script.glyphs[component];
            glyph.depth = std::max(glyph.depth, part.depth + 1);
            glyph.strokes += part.strokes * repeats;
            for (int i = 0; i < repeats; ++i)
                glyph.roots += part.roots;
        }
        glyph.strokes = std::min(glyph.strokes, MostStrokes);
        const SyntheticGlyph &lead = m_script.glyphs[components.first()];
        glyph.radical = lead.radical;
        glyph.radicalStrokes = std::max(0, glyph.strokes - lead.strokes);
        glyph.simplified = m_random.chance(SimplifiedShare);
        return glyph;
    }

    int repeatsOf(const QString &formula) const
    {
        const QChar first = formula[0];
        if (first < QChar(OperatorCodes::PrefixFirst) || first > QChar(OperatorCodes::PrefixLast))
            return 1;
        return PrefixRepeatCount(first.unicode() - OperatorCodes::PrefixFirst +
                                 OperatorNumbers::PrefixFirst);
    }

    // A variant of an earlier glyph of two components: the components swapped, or joined the
    // other way. Nullopt when no glyph can take another variant.
    std::optional<std::pair<QString, int>> newVariant()
    {
        while (!m_pairs.isEmpty()) {
            const qsizetype at = m_random.below(m_pairs.size());
            Pair &pair = m_pairs[at];
            const QString formula =
                pair.variants == 0
                    ? text(pair.second) + pair.join + text(pair.first)
                    : text(pair.first) + (pair.join == Beside ? Above : Beside) + text(pair.second);
            const int head = pair.head;
            if (++pair.variants == 2)
                m_pairs.removeAt(at);
            if (!m_formulas.contains(formula))
                return std::pair{formula, head};
        }
        return std::nullopt;
    }

    void addComposedGlyphs()
    {
        const QList<QChar> pool = CjkPool();
        QList<QChar> freeCharacters;
        for (QChar c : pool) {
            if (!m_used.contains(c) && !isProbeCharacter(c))
                freeCharacters.append(c);
        }
        const QList<QChar> privateUse = PrivateUsePool();
        const qsizetype rootsAndProbes = m_script.glyphs.size() - SymbolCount;
        const qsizetype toMake = m_shape.regularGlyphs - rootsAndProbes;
        qsizetype nextCharacter = 0;
        qsizetype missing = 0;
        QHash<int, int> groupOfHead;
        for (qsizetype made = 0; made < toMake; ++made) {
            const qsizetype charactersLeft = freeCharacters.size() - nextCharacter;
            const double glyphShare =
                std::min(GlyphShare, double(charactersLeft) / double(toMake - made));
            const bool hasGlyph = charactersLeft > 0 && m_random.chance(glyphShare);
            std::optional<std::pair<QString, int>> variant;
            if (hasGlyph && m_random.chance(VariantShare))
                variant = newVariant();
            QString formula;
            QList<int> components;
            int head = -1;
            if (variant) {
                formula = variant->first;
                head = variant->second;
                for (QChar c : formula) {
                    if (!IsOperatorSymbol(c))
                        components.append(m_glyphOf.value(QString(c)));
                }
            } else {
                for (int attempt = 0; attempt < FormulaRetries; ++attempt) {
                    std::tie(formula, components) = newFormula();
                    if (!m_formulas.contains(formula))
                        break;
                }
            }
            m_formulas.insert(formula);
            SyntheticGlyph glyph = composed(formula, components, repeatsOf(formula));
            const int index = int(m_script.glyphs.size());
            if (hasGlyph) {
                glyph.glyph = QString(freeCharacters[nextCharacter++]);
                glyph.frequent = IsFrequentBig5(glyph.glyph[0]);
                glyph.dictionary = m_random.chance(0.9);
                m_glyphOf.insert(glyph.glyph, index);
                if (glyph.depth <= DeepestNestableComponent)
                    m_nestable.append(index);
                if (!variant && formula.size() == 3 && IsInfixOperator(formula[1]))
                    m_pairs.append({index, formula[1], components[0], components[1]});
            } else {
                // The end-user-defined faces share out the private-use codes, face by face.
                glyph.face = 1 + int(missing % EndUserFaces);
                glyph.code = QString(privateUse[(missing / EndUserFaces) % privateUse.size()]);
                glyph.dictionary = m_random.chance(0.4);
                ++missing;
            }
            if (head >= 0) {
                auto group = groupOfHead.constFind(head);
                if (group == groupOfHead.constEnd()) {
                    group = groupOfHead.insert(head, int(m_script.variantGroups.size()));
                    m_script.variantGroups.append(QList<int>{head});
                }
                m_script.variantGroups[*group].append(index);
            }
            m_script.glyphs.append(glyph);
        }
    }

    const SyntheticShape m_shape;
    SyntheticRandom m_random;
    const QList<SampleRoot> &m_sampleRoots;
    const QString m_required;
    RegularScript m_script;
    QSet<QChar> m_used;
    QHash<QString, int> m_glyphOf;
    QSet<QString> m_formulas;
    QList<int> m_nestable;
    QList<Pair> m_pairs;
    QList<int> m_commonRoots;
    QList<int> m_otherRoots;
    QList<double> m_otherCumulative;
};

} // namespace

RegularScript PlanRegularScript(const SyntheticShape &shape, const QList<SampleRoot> &sampleRoots,
                                const QString &requiredRoots)
{
    return RegularPlanner(shape, sampleRoots, requiredRoots).plan();
}

double ShareOfComposedGlyphsWith(const RegularScript &script, const QString &components)
{
    QSet<int> wanted;
    for (int root = 0; root < script.roots.size(); ++root) {
        if (components.contains(script.roots[root].glyph))
            wanted.insert(root);
    }
    qsizetype composedCount = 0;
    qsizetype with = 0;
    for (const SyntheticGlyph &glyph : script.glyphs) {
        if (glyph.formula.isEmpty())
            continue;
        ++composedCount;
        if (std::any_of(glyph.roots.begin(), glyph.roots.end(),
                        [&](int root) { return wanted.contains(root); }))
            ++with;
    }
    return composedCount == 0 ? 0.0 : double(with) / double(composedCount);
}
