#include "bench/derivationmodes.h"

#include "vbprog/murvel/core/公用變數.h"
#include "vbprog/murvel/views/derivationtables.h"

const QList<DerivationMode> &DerivationModes()
{
    static const QList<DerivationMode> modes = {
        {QStringLiteral("部件序"), QStringLiteral("口"), {.stepwise = true}},
        {QStringLiteral("部件序二"),
         QStringLiteral("口"),
         {.stepwise = true, .variantRoots = true}},
        {QStringLiteral("字根序"), QStringLiteral("口"), {}},
        {QStringLiteral("字根序二"), QStringLiteral("口"), {.variantRoots = true}},
        {QStringLiteral("字根組"), QStringLiteral("口木"), {}},
        {QStringLiteral("字根組二"), QStringLiteral("口木"), {.variantRoots = true}},
    };
    return modes;
}

QString DerivationSql(const DerivationMode &mode, LikeDialect dialect)
{
    const JetDerivationTables tables(DerivationScriptOf(ScriptCodes::Regular));
    const DerivationTerms terms =
        PrepareDerivationSearch(mode.typed, mode.options, ScriptCodes::Regular, tables, tables);
    QString pattern = 建構組字式(terms.text, terms.column, mode.options.sqlLike, tables);
    if (terms.column != mode.column || IsUselessPattern(pattern))
        return {};
    // The patterns of typed roots hold no wildcard but the asterisk.
    if (dialect == LikeDialect::Sqlite)
        pattern.replace(u'*', u'%');
    return BuildDerivationSql(
        {.column = terms.column,
         .pattern = pattern,
         .rootText = terms.text,
         .set = CharacterSet::All,
         .stepwiseSetting = gIni.isOn(SettingsNames::Options, QStringLiteral("逐級列出")),
         .regularScript = true});
}
