#pragma once

#include <QString>
#include <QStringList>

// A 200-page Word document for the benchmarks: 2,000 paragraphs of about 53 words each,
// every paragraph with plain text, one formula (taken in turn from formulas) in an East
// Asian typeface among Chinese text, text in another typeface, hidden text and bold text.
constexpr int LargeDocumentParagraphs = 2000;

bool WriteLargeDocument(const QString &path, const QStringList &formulas);
