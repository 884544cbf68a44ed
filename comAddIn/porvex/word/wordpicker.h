#pragma once

#include "comAddIn/porvex/candidatepicker.h"

namespace word
{
class Application;
class Document;
class Range;
} // namespace word

namespace porvex
{

// The chooser as Word shows it: the formula is brought into view with the bookmark
// qel_900528 (added, gone to and deleted at once), screen updating is on while the dialog
// is open, and the user's selection is put back afterwards.
class WordCandidatePicker : public CandidatePicker
{
public:
    static constexpr char16_t BookmarkName[] = u"qel_900528";

    // dialog asks the user; both not owned.
    WordCandidatePicker(word::Application &application, CandidatePicker &dialog)
        : m_application(application), m_dialog(dialog)
    {
    }

    // The formula about to be looked up: its range in the document being converted. Both
    // not owned; they must outlive the next choose().
    void setFormula(word::Document *document, word::Range *formula)
    {
        m_document = document;
        m_formula = formula;
    }

    int choose(const QString &formula, const QList<Candidate> &candidates) override;

private:
    void showFormula();

    word::Application &m_application;
    CandidatePicker &m_dialog;
    word::Document *m_document = nullptr;
    word::Range *m_formula = nullptr;
};

} // namespace porvex
