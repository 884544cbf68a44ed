#pragma once

#include "comAddIn/porvex/lookuprules.h"

#include <QList>
#include <QString>

namespace porvex
{

// One record offered by the candidate chooser.
struct Candidate {
    ChosenCandidate glyph; // faceName: the 標楷體 set of 字體 1..8, else empty
    int kind = 0;          // 連接符號
    QString components;    // 部件序
    ScriptTexts scripts;   // the record's own ancient-script texts
};

// Asks the user which of the candidates that share a component-sequence key the formula
// means. Each host gives its own: the dialog, wrapped in what the host does around it
// (showing the formula, the pointer, screen updating).
class CandidatePicker
{
public:
    static constexpr int NoChoice = -1;    // closed without a button
    static constexpr int NoneOfThese = 99; // "以上皆非"
    static constexpr int MaxCandidates = 8;

    virtual ~CandidatePicker() = default;
    // Returns the index of the candidate picked, NoChoice or NoneOfThese. The candidates
    // are 1 to MaxCandidates records in index order.
    virtual int choose(const QString &formula, const QList<Candidate> &candidates) = 0;
};

} // namespace porvex
