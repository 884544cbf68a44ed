#include "comAddIn/officehost/wrapmode.h"

#include <QTextBoundaryFinder>

namespace officehost
{

QTextOption::WrapMode wrapModeFor(const QString &text)
{
    if (text.size() <= kLongestWrappedWord)
        return QTextOption::WrapAtWordBoundaryOrAnywhere;
    QTextBoundaryFinder breaks(QTextBoundaryFinder::Line, text);
    qsizetype previous = 0;
    for (qsizetype next = breaks.toNextBoundary(); next >= 0; next = breaks.toNextBoundary()) {
        if (next - previous > kLongestWrappedWord)
            return QTextOption::WrapAnywhere;
        previous = next;
    }
    return QTextOption::WrapAtWordBoundaryOrAnywhere;
}

} // namespace officehost
