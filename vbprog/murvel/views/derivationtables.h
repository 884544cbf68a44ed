#pragma once

#include "platform/jet/database.h"
#include "platform/jet/table.h"
#include "vbprog/murvel/views/derivationquery.h"

// The open handles of one script that the derivation search uses, and its typeface.
struct DerivationScript {
    jet::Database *database; // gDb楷書 ..; shared state, not owned
    jet::Table *glyphs;      // 檢字表
    jet::Table *roots;       // 字根
    jet::Table *variants;    // 異寫字根 (gRs異寫字根 for the regular script)
    // The typeface of the input box and of the tree's root item; empty for the regular
    // script, whose box keeps its face and whose root takes the base typeface.
    QString face;
};

// The handles of a ScriptCode; any code other than the four ancient scripts means the
// regular script.
DerivationScript DerivationScriptOf(const QString &script);

// The lookups of the search over a script's open tables. Each lookup sets the index it
// needs on the shared handle before it seeks.
class JetDerivationTables : public DerivationTables
{
public:
    explicit JetDerivationTables(const DerivationScript &script) : m_script(script) {}

    std::optional<QString> sequenceOf(const QString &glyph, const QString &column) const override;
    std::optional<qint32> rootNumber(const QString &root) const override;
    std::optional<QString> variantOf(const QString &root) const override;

    // The engine's message of the first lookup that failed (a damaged file), which a
    // caller must not take for a glyph that is not there; empty while none has.
    const QString &failure() const { return m_failure; }

private:
    bool seek(jet::Table &table, const QString &index, const QString &key) const;

    DerivationScript m_script;
    mutable QString m_failure;
};
