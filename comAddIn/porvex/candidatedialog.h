#pragma once

#include "comAddIn/porvex/candidatepicker.h"

#include <QDialog>

class QLabel;
class QPushButton;

namespace porvex
{

// The chooser frmConfirm: the formula in the label, up to eight candidate buttons cmb1..cmb8
// in two rows of four, each showing its glyph in the glyph's typeface, and cmdNone
// "以上皆非". Every button closes the dialog.
class CandidateDialog : public QDialog
{
public:
    explicit CandidateDialog(QWidget *parent = nullptr);

    // Fills the dialog with the formula and the first eight candidates, shows it modally and
    // returns the choice: a candidate's index, CandidatePicker::NoneOfThese, or
    // CandidatePicker::NoChoice when it was closed without a button.
    int ShowCandidateForm(const QString &formula, const QList<Candidate> &candidates);

    int choice() const { return m_choice; }

private:
    void fill(const QString &formula, const QList<Candidate> &candidates);
    void choose(int choice);

    QLabel *m_label;                // owned by the dialog
    QList<QPushButton *> m_buttons; // cmb1..cmb8, owned by the dialog
    int m_choice = CandidatePicker::NoChoice;
};

// The picker that asks with the dialog, parented to the host's window.
class DialogCandidatePicker : public CandidatePicker
{
public:
    explicit DialogCandidatePicker(QWidget *parent = nullptr) : m_parent(parent) {}
    int choose(const QString &formula, const QList<Candidate> &candidates) override;

private:
    QWidget *m_parent; // not owned
};

} // namespace porvex
