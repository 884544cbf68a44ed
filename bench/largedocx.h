#pragma once

#include <QByteArray>
#include <QRandomGenerator>
#include <QString>
#include <QStringList>

// Text that reads like a user's report rather than one sentence repeated: Latin words of one
// to four syllables and Chinese characters of the common range, drawn by a seeded generator,
// so that the same seed gives the same text and the text deflates as real text does.
class VariedText
{
public:
    explicit VariedText(quint32 seed = 1) : m_random(seed) {}

    QString latinWords(int count);
    QString chineseCharacters(int count);

private:
    QRandomGenerator m_random;
};

// A 200-page Word document for the benchmarks: paragraphs of about 53 words each, every
// paragraph with varied text, one formula (taken in turn from formulas) in an East Asian
// typeface among Chinese text, text in another typeface, hidden text and bold text.
constexpr int LargeDocumentParagraphs = 2000;

bool WriteLargeDocument(const QString &path, const QStringList &formulas,
                        int paragraphs = LargeDocumentParagraphs);

// One paragraph of count formulas (taken in turn from formulas), each among a few words of
// varied text in the paragraph's one run.
bool WriteOneParagraphDocument(const QString &path, const QStringList &formulas, int count);

// Writes a .docx package whose only part besides the package's own is the given main
// document part (word/document.xml).
bool WriteWordDocument(const QString &path, const QByteArray &mainPart);
