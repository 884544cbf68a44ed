#pragma once

#include "platform/jet/table.h"

#include <QString>

// The 檢字表 handle of the ancient script that a typeface names: "北師大說文小篆" and
// "北師大說文重文" the small seal, "Ombrel金文", "Ombrel甲骨文" and "Ombrel楚系文字" their
// scripts (exact comparison). nullptr for every other name, which means the regular script.
// The handle is shared state (公用變數.h), not owned by the caller.
jet::Table *AncientScriptTable(const QString &face);
