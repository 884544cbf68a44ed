#pragma once

#include "platform/jet/database.h"
#include "platform/jet/table.h"
#include "vbprog/murvel/core/scriptfaces.h"
#include "vbprog/murvel/schema/schemanames.h"

#include <QString>
#include <QStringList>
#include <array>
#include <optional>

// What the program knows of each script, in one table: its code in the 字集 menu, its
// typefaces, its database and the table handles kept open on it, the fields of the regular
// record that lead to it, and its item in the 字集 menu. (The names it is built of come
// from the headers included above, so that a global built from it in any file sees them
// initialised.)

enum class ScriptId { Regular, SmallSeal, Bronze, OracleBone, Chu };

// The script codes of the 字集 menu (gCurrentScript).
namespace ScriptCodes
{
inline const QString Regular = QStringLiteral("楷書");
inline const QString SmallSeal = QStringLiteral("小篆");
inline const QString Bronze = QStringLiteral("金文");
inline const QString OracleBone = QStringLiteral("甲骨文");
inline const QString Chu = QStringLiteral("楚系文字");
// True for the codes of the four ancient scripts.
bool IsAncient(const QString &script);
} // namespace ScriptCodes

struct Script {
    ScriptId id;
    QString code;
    // The typefaces that name the script, its ScriptFaceName first: the face of its glyphs
    // in a glyph triple. The regular script's is the default face "標楷體".
    QStringList faces;
    QString databaseName;      // DatabaseNames::..
    jet::Database *database;   // gDb楷書 ..; shared state, not owned
    jet::Table *glyphs;        // its 檢字表 handle
    jet::Table *roots;         // 字根
    jet::Table *variantRoots;  // 異寫字根
    jet::Table *variantGlyphs; // 異體字表
    // The fields of the regular 檢字表 record that hold the glyph's 編號 and its text in
    // this script; empty for the regular script.
    QString crossNumberField;
    QString textField;
    QString menuItem; // its item in the 字集 menu
    QString menuCaption;

    const QString &face() const { return faces.first(); }
    bool isAncient() const { return id != ScriptId::Regular; }
};

// The five scripts: regular, small seal, bronze, oracle bone, Chu.
const std::array<Script, 5> &Scripts();
const Script &ScriptOf(ScriptId id);
// The script of a code of the 字集 menu; the regular script for any other code.
const Script &ScriptOfCode(const QString &code);
// The script that a typeface names ("北師大說文小篆" and "北師大說文重文" the small seal,
// "Ombrel金文", "Ombrel甲骨文" and "Ombrel楚系文字" their scripts, exact comparison); the
// regular script for every other name, "zodi" included.
const Script &ScriptOfFace(const QString &face);

// The 檢字表 handle of the ancient script that a typeface names; nullptr for every other
// name, which means the regular script. The handle is shared state, not owned by the caller.
jet::Table *AncientScriptTable(const QString &face);

// The regular-script 編號 of a glyph named by (face, number): for the face of an ancient
// script the 楷書編號 of that script's record (its index becomes 編號), otherwise the number
// itself. nullopt when the ancient record is missing or links to no regular glyph.
std::optional<qint32> RegularNumberOfFace(const QString &face, qint32 number);
