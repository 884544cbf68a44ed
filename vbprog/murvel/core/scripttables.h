#pragma once

#include "platform/jet/table.h"

#include <QString>
#include <optional>

// The 檢字表 handle of the ancient script that a typeface names: "北師大說文小篆" and
// "北師大說文重文" the small seal, "Ombrel金文", "Ombrel甲骨文" and "Ombrel楚系文字" their
// scripts (exact comparison). nullptr for every other name, which means the regular script.
// The handle is shared state (公用變數.h), not owned by the caller.
jet::Table *AncientScriptTable(const QString &face);

// The regular-script 編號 of a glyph named by (face, number): for the face of an ancient
// script the 楷書編號 of that script's record (its index becomes 編號), otherwise the number
// itself. nullopt when the ancient record is missing or links to no regular glyph.
std::optional<qint32> RegularNumberOfFace(const QString &face, qint32 number);
