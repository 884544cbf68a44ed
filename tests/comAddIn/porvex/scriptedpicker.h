#pragma once

#include "comAddIn/porvex/candidatepicker.h"

// A picker that answers with a fixed choice and remembers what it was asked.
class ScriptedPicker : public porvex::CandidatePicker
{
public:
    explicit ScriptedPicker(int answer = NoChoice) : m_answer(answer) {}

    int choose(const QString &formula, const QList<porvex::Candidate> &candidates) override
    {
        ++asked;
        lastFormula = formula;
        offered = candidates;
        return m_answer;
    }

    int asked = 0;
    QString lastFormula;
    QList<porvex::Candidate> offered;

private:
    int m_answer;
};
