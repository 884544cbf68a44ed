#pragma once

#include <QString>

namespace porvex
{

// A document's name less its extension: the text before its last "." unless that "." is
// the first character ("report.final.docx" -> "report.final", ".docx" and "notes" stay).
QString PreviewBaseName(const QString &name);

// The preview copy that a conversion writes beside a document: in the folder, the base
// name followed by the mark and extension ("plan.old.xlsx", "☆.xlsx" -> "plan.old☆.xlsx").
QString PreviewCopyPath(const QString &folder, const QString &name,
                        const QString &markAndExtension);

} // namespace porvex
