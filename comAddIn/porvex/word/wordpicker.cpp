#include "comAddIn/porvex/word/wordpicker.h"

#include "platform/office/word/application.h"

namespace porvex
{

int WordCandidatePicker::choose(const QString &formula, const QList<Candidate> &candidates)
{
    m_application.setScreenUpdating(true);
    word::Range *selection = m_application.selection();
    const int start = selection ? selection->start() : 0;
    const int end = selection ? selection->end() : 0;
    showFormula();

    const int choice = m_dialog.choose(formula, candidates);

    m_application.setScreenUpdating(false);
    if (word::Range *after = m_application.selection())
        after->setRange(start, end);
    return choice;
}

void WordCandidatePicker::showFormula()
{
    if (m_document == nullptr || m_formula == nullptr)
        return;
    const QString name = QString::fromUtf16(BookmarkName);
    word::Bookmarks &bookmarks = m_document->bookmarks();
    bookmarks.add(name, *m_formula);
    if (std::unique_ptr<word::Range> marked = bookmarks.range(name))
        marked->select();
    bookmarks.remove(name);
}

} // namespace porvex
