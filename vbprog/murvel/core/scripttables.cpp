#include "vbprog/murvel/core/scripttables.h"

#include "vbprog/murvel/core/recordfields.h"
#include "vbprog/murvel/core/scriptfaces.h"
#include "vbprog/murvel/core/公用變數.h"
#include "vbprog/murvel/schema/schemanames.h"

#include <algorithm>

bool ScriptCodes::IsAncient(const QString &script)
{
    return ScriptOfCode(script).isAncient();
}

const std::array<Script, 5> &Scripts()
{
    static const std::array<Script, 5> scripts = {{
        {ScriptId::Regular,
         ScriptCodes::Regular,
         {Faces::Kai},
         DatabaseNames::Regular,
         &gDb楷書,
         &gRs檢字表楷書,
         &gRs字根楷書,
         &gRs異寫字根楷書,
         &gRs異體字表楷書,
         {},
         {},
         "mnu_楷書",
         "以上所有楷體字"},
        {ScriptId::SmallSeal,
         ScriptCodes::SmallSeal,
         {Faces::Seal, Faces::SealVariant},
         DatabaseNames::Seal,
         &gDb小篆,
         &gRs檢字表小篆,
         &gRs字根小篆,
         &gRs異寫字根小篆,
         &gRs異體字表小篆,
         Fields::小篆編號,
         Fields::小篆,
         "mnu_小篆",
         "說文解字"},
        {ScriptId::Bronze,
         ScriptCodes::Bronze,
         {Faces::Bronze},
         DatabaseNames::Bronze,
         &gDb金文,
         &gRs檢字表金文,
         &gRs字根金文,
         &gRs異寫字根金文,
         &gRs異體字表金文,
         Fields::金文編號,
         Fields::金文,
         "mnu_金文",
         "金文編"},
        {ScriptId::OracleBone,
         ScriptCodes::OracleBone,
         {Faces::OracleBone},
         DatabaseNames::OracleBone,
         &gDb甲骨文,
         &gRs檢字表甲骨文,
         &gRs字根甲骨文,
         &gRs異寫字根甲骨文,
         &gRs異體字表甲骨文,
         Fields::甲骨文編號,
         Fields::甲骨文,
         "mnu_甲骨文",
         "殷墟甲骨刻辭類纂"},
        {ScriptId::Chu,
         ScriptCodes::Chu,
         {Faces::Chu},
         DatabaseNames::Chu,
         &gDb楚系文字,
         &gRs檢字表楚系文字,
         &gRs字根楚系文字,
         &gRs異寫字根楚系文字,
         &gRs異體字表楚系文字,
         Fields::楚系文字編號,
         Fields::楚系文字,
         "mnu_楚系文字",
         "楚系簡帛文字編"},
    }};
    return scripts;
}

const Script &ScriptOf(ScriptId id)
{
    return Scripts()[std::size_t(id)];
}

const Script &ScriptOfCode(const QString &code)
{
    const auto &scripts = Scripts();
    const auto found = std::ranges::find(scripts, code, &Script::code);
    return found == scripts.end() ? ScriptOf(ScriptId::Regular) : *found;
}

const Script &ScriptOfFace(const QString &face)
{
    const auto &scripts = Scripts();
    const auto found = std::ranges::find_if(
        scripts, [&](const Script &script) { return script.faces.contains(face); });
    return found == scripts.end() || !found->isAncient() ? ScriptOf(ScriptId::Regular) : *found;
}

jet::Table *AncientScriptTable(const QString &face)
{
    const Script &script = ScriptOfFace(face);
    return script.isAncient() ? script.glyphs : nullptr;
}

std::optional<qint32> RegularNumberOfFace(const QString &face, qint32 number)
{
    jet::Table *ancient = AncientScriptTable(face);
    if (ancient == nullptr)
        return number;
    if (!ancient->setIndex(Indexes::編號) || !ancient->seek(number))
        return std::nullopt;
    return Int32Field(ancient->value(Fields::楷書編號));
}
