#include "comAddIn/porvex/candidatedialog.h"

#include "platform/fonts/typefacetable.h"
#include "vbprog/murvel/core/scriptfaces.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace porvex
{

namespace
{

constexpr int ButtonsPerRow = 4;
constexpr int ButtonSide = 56;
constexpr qreal CandidatePointSize = 20;
constexpr qreal CaptionPointSize = 12;

} // namespace

CandidateDialog::CandidateDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmConfirm"));
    setWindowTitle(QStringLiteral("選擇字形"));
    setModal(true);

    m_label = new QLabel(this);
    m_label->setObjectName(QStringLiteral("Label"));
    m_label->setFont(fonts::fontFor(QStringLiteral("新細明體"), CaptionPointSize));

    auto *grid = new QGridLayout;
    for (int i = 0; i < CandidatePicker::MaxCandidates; ++i) {
        auto *button = new QPushButton(this);
        button->setObjectName(QStringLiteral("cmb%1").arg(i + 1));
        button->setFixedSize(ButtonSide, ButtonSide);
        // The form keeps its size however few the candidates: its title always shows.
        QSizePolicy keepsPlace = button->sizePolicy();
        keepsPlace.setRetainSizeWhenHidden(true);
        button->setSizePolicy(keepsPlace);
        connect(button, &QPushButton::clicked, this, [this, i] { choose(i); });
        grid->addWidget(button, i / ButtonsPerRow, i % ButtonsPerRow);
        m_buttons << button;
    }

    auto *none = new QPushButton(QStringLiteral("以上皆非"), this);
    none->setObjectName(QStringLiteral("cmdNone"));
    QFont bold = none->font();
    bold.setPointSizeF(CaptionPointSize);
    bold.setBold(true);
    none->setFont(bold);
    none->setAutoDefault(false);
    connect(none, &QPushButton::clicked, this, [this] { choose(CandidatePicker::NoneOfThese); });

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_label);
    layout->addLayout(grid);
    layout->addWidget(none);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

int CandidateDialog::ShowCandidateForm(const QString &formula, const QList<Candidate> &candidates)
{
    fill(formula, candidates);
    exec();
    return m_choice;
}

void CandidateDialog::fill(const QString &formula, const QList<Candidate> &candidates)
{
    m_choice = CandidatePicker::NoChoice;
    m_label->setText(formula + QStringLiteral("："));
    for (int i = 0; i < m_buttons.size(); ++i) {
        QPushButton *button = m_buttons[i];
        button->setVisible(i < candidates.size());
        if (i >= candidates.size())
            continue;
        const ChosenCandidate &glyph = candidates[i].glyph;
        button->setText(glyph.code);
        button->setFont(fonts::fontFor(glyph.faceName.isEmpty() ? Faces::Kai : glyph.faceName,
                                       CandidatePointSize));
    }
}

void CandidateDialog::choose(int choice)
{
    m_choice = choice;
    accept();
}

int DialogCandidatePicker::choose(const QString &formula, const QList<Candidate> &candidates)
{
    CandidateDialog dialog(m_parent);
    return dialog.ShowCandidateForm(formula, candidates);
}

} // namespace porvex
