#include "comAddIn/porvex/lookupengine.h"

#include "vbprog/murvel/core/formula.h"
#include "vbprog/murvel/core/recordfields.h"
#include "vbprog/murvel/core/rootsequence.h"
#include "vbprog/murvel/core/scriptfaces.h"
#include "vbprog/murvel/schema/schemanames.h"

namespace porvex
{

namespace
{

// The set key reads nothing but the roots' numbers, from table 字根.
class RootNumbers final : public RootCatalog
{
public:
    explicit RootNumbers(jet::Table &roots) : m_roots(roots) {}
    QList<Record> recordsOf(const QString &) const override { return {}; }
    std::optional<QString> variantOf(const QString &) const override { return std::nullopt; }
    std::optional<qint32> rootNumber(const QString &root) const override
    {
        if (!m_roots.seek(root))
            return std::nullopt;
        return Int32Field(m_roots.value(Fields::編號));
    }

private:
    jet::Table &m_roots;
};

} // namespace

bool LookupEngine::startRun(const jet::Database &glyphDatabase, const QString &windowsFolder)
{
    m_log.startRun(windowsFolder);
    m_lookup = Lookup{};
    m_error.clear();
    jet::Result<jet::Table> glyphs = glyphDatabase.openTable(Tables::檢字表);
    jet::Result<jet::Table> roots = glyphDatabase.openTable(Tables::字根);
    m_glyphs = glyphs.value();
    m_roots = roots.value();
    if (!glyphs || !roots || !m_roots.setIndex(Indexes::字形)) {
        m_error = !glyphs  ? glyphs.errorString()
                  : !roots ? roots.errorString()
                           : m_roots.errorString();
        m_glyphs.close();
        m_roots.close();
        return false;
    }
    return true;
}

bool LookupEngine::finishRun()
{
    m_glyphs.close();
    m_roots.close();
    if (!m_log.save()) {
        m_error = m_log.errorString();
        return false;
    }
    return true;
}

const Lookup &LookupEngine::lookUp(const QString &formula, CandidatePicker &picker)
{
    m_lookup = Lookup{};
    m_lookup.formula = formula;
    const FormulaKey key = KeyOfFoundFormula(formula);
    m_lookup.kind = key.kind;
    m_lookup.components = key.components;
    if (!m_glyphs.isOpen()) {
        m_lookup.level = LookupLevel::Failed;
        m_lookup.message = QStringLiteral("字庫未開啟，無法轉換構字式「%1」").arg(formula);
        return m_lookup;
    }

    if (m_glyphs.setIndex(Indexes::構字式) && m_glyphs.seek(key.kind, key.components)) {
        const Candidate landed = readCandidate();
        m_lookup.level = LookupLevel::Formula;
        m_lookup.chosen.code = landed.glyph.code;
        m_lookup.chosen.glyph = landed.glyph.glyph;
        m_lookup.scripts = landed.scripts;
        if (landed.glyph.faceCode != 0)
            m_lookup.chosen.faceCode = landed.glyph.faceCode;
        else
            m_lookup.resultText = landed.glyph.glyph;
        return m_lookup;
    }

    // An empty key is never sought: it would land on whatever record has an empty key.
    m_lookup.orderKey = componentOrderKey(m_lookup.components);
    if (seekKey(Indexes::字根序二, m_lookup.orderKey)) {
        m_lookup.level = LookupLevel::ComponentOrder;
        chooseCandidate(Indexes::字根序二, m_lookup.orderKey, picker);
        return m_lookup;
    }
    m_lookup.setKey = componentSetKey(m_lookup.orderKey);
    if (seekKey(Indexes::字根組二, m_lookup.setKey)) {
        m_lookup.level = LookupLevel::ComponentSet;
        chooseCandidate(Indexes::字根組二, m_lookup.setKey, picker);
        return m_lookup;
    }
    logMissing();
    return m_lookup;
}

const Lookup &LookupEngine::lookUpNumber(const QString &formula, qint32 number)
{
    m_lookup = Lookup{};
    m_lookup.formula = formula;
    m_lookup.kind = FormulaKinds::Bracketed;
    m_lookup.components = formula.mid(1, formula.size() - 2);
    if (!m_glyphs.isOpen()) {
        m_lookup.level = LookupLevel::Failed;
        m_lookup.message = QStringLiteral("字庫未開啟，無法轉換構字式「%1」").arg(formula);
        return m_lookup;
    }
    if (m_glyphs.setIndex(Indexes::編號) && m_glyphs.seek(number)) {
        m_lookup.level = LookupLevel::Formula;
        m_lookup.chosen.code = m_glyphs.value(Fields::字碼).toString();
        m_lookup.chosen.glyph = QString(QChar(OperatorCodes::Last));
        m_lookup.chosen.faceCode = -1;
        m_lookup.chosen.faceName = QStringLiteral("qel98m");
    }
    return m_lookup;
}

QString LookupEngine::componentOrderKey(const QString &components)
{
    m_glyphs.setIndex(Indexes::字形);
    const auto rootsOf = [this] { return m_glyphs.value(Fields::字根序二).toString(); };
    QString key;
    for (qsizetype i = 0; i < components.size(); ++i) {
        const QChar c = components[i];
        if (IsPrefixOperator(c)) {
            // The repeated component counts whatever its kind; an operator at the end has
            // no component and adds nothing.
            const int repeat = PrefixRepeatCount(c.unicode() - OperatorCodes::First + 1);
            if (++i < components.size() && m_glyphs.seek(QString(components[i])))
                key += rootsOf().repeated(repeat);
            continue;
        }
        if (m_glyphs.seek(QString(c)) &&
            Int32Field(m_glyphs.value(Fields::連接符號)).value_or(0) != FormulaKinds::Symbol)
            key += rootsOf();
    }
    return key;
}

QString LookupEngine::componentSetKey(const QString &orderKey)
{
    // Every root takes part, however long the key.
    return SortComponentsByNumber(RootNumbers(m_roots), orderKey);
}

bool LookupEngine::seekKey(const QString &index, const QString &key)
{
    return !key.isEmpty() && m_glyphs.setIndex(index) && m_glyphs.seek(key);
}

Candidate LookupEngine::readCandidate() const
{
    Candidate candidate;
    candidate.glyph.code = m_glyphs.value(Fields::字碼).toString();
    candidate.glyph.glyph = m_glyphs.value(Fields::字形).toString();
    candidate.glyph.faceCode = Int32Field(m_glyphs.value(Fields::字體)).value_or(0);
    if (candidate.glyph.faceCode > 0)
        candidate.glyph.faceName = EudcFaceName(Faces::Kai, candidate.glyph.faceCode);
    candidate.kind = Int32Field(m_glyphs.value(Fields::連接符號)).value_or(0);
    candidate.components = m_glyphs.value(Fields::部件序).toString();
    candidate.scripts = {
        m_glyphs.value(Fields::小篆).toString(), m_glyphs.value(Fields::金文).toString(),
        m_glyphs.value(Fields::甲骨文).toString(), m_glyphs.value(Fields::楚系文字).toString()};
    return candidate;
}

void LookupEngine::takeCandidate(const Candidate &candidate)
{
    m_lookup.chosen = candidate.glyph;
    m_lookup.kind = candidate.kind;
    m_lookup.components = candidate.components;
    m_lookup.scripts = candidate.scripts;
}

void LookupEngine::chooseCandidate(const QString &index, const QString &key,
                                   CandidatePicker &picker)
{
    // The record the seek landed on is the working one until the user picks.
    Candidate landed = readCandidate();
    landed.glyph.faceName.clear();
    takeCandidate(landed);

    ensureLogLoaded();
    if (m_log.contains(m_lookup.formula)) {
        m_lookup.level = LookupLevel::Logged;
        m_lookup.chosen.code.clear();
        return;
    }
    for (; !m_glyphs.eof() && m_lookup.candidates.size() < CandidatePicker::MaxCandidates &&
           m_glyphs.value(index).toString() == key;
         m_glyphs.moveNext())
        m_lookup.candidates << readCandidate();

    m_lookup.choice = picker.choose(m_lookup.formula, m_lookup.candidates);
    if (m_lookup.choice >= 0 && m_lookup.choice < m_lookup.candidates.size()) {
        takeCandidate(m_lookup.candidates[m_lookup.choice]);
        m_lookup.resultText =
            ComposeResultText(m_lookup.chosen.glyph, m_lookup.kind, m_lookup.components);
        return;
    }
    m_lookup.chosen.code.clear();
    if (m_lookup.choice == CandidatePicker::NoneOfThese &&
        m_log.add(m_lookup.formula) == MissingCharacterLog::Addition::Refused)
        m_lookup.message = m_log.errorString();
}

void LookupEngine::ensureLogLoaded()
{
    if (!m_log.ensureLoaded())
        m_lookup.message = m_log.errorString();
}

void LookupEngine::logMissing()
{
    m_lookup.level = LookupLevel::Missing;
    // A log that cannot be read still takes the formula: the run's save then fails and
    // reports the file, and the file stays as it was.
    ensureLogLoaded();
    if (m_log.contains(m_lookup.formula))
        return;
    if (m_log.add(m_lookup.formula) == MissingCharacterLog::Addition::Refused)
        m_lookup.message = m_log.errorString();
}

} // namespace porvex
