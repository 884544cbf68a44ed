#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// A 200-page Word document for the benchmarks: 2,000 paragraphs of about 53 words each,
// every paragraph with plain text, one formula (taken in turn from formulas) in an East
// Asian typeface among Chinese text, text in another typeface, hidden text and bold text.
constexpr int LargeDocumentParagraphs = 2000;

bool WriteLargeDocument(const QString &path, const QStringList &formulas);

// Writes a .docx package whose only part besides the package's own is the given main
// document part (word/document.xml).
bool WriteWordDocument(const QString &path, const QByteArray &mainPart);
