#include "platform/office/package/styledtext.h"

#include <algorithm>

namespace office
{

QString StyledText::text() const
{
    QString all;
    for (const StyledRun &run : m_runs)
        all += run.text;
    return all;
}

int StyledText::length() const
{
    int total = 0;
    for (const StyledRun &run : m_runs)
        total += int(run.text.size());
    return total;
}

QByteArray StyledText::propertiesAt(int position) const
{
    int runStart = 0;
    for (const StyledRun &run : m_runs) {
        if (position < runStart + run.text.size())
            return run.properties;
        runStart += int(run.text.size());
    }
    return m_runs.isEmpty() ? QByteArray() : m_runs.last().properties;
}

QList<QByteArray> StyledText::propertiesIn(int start, int length) const
{
    QList<QByteArray> found;
    int runStart = 0;
    for (const StyledRun &run : m_runs) {
        int runEnd = runStart + int(run.text.size());
        if (runEnd > start && runStart < start + length && !found.contains(run.properties))
            found << run.properties;
        runStart = runEnd;
    }
    return found;
}

int StyledText::splitAt(int position)
{
    int runStart = 0;
    for (int i = 0; i < m_runs.size(); ++i) {
        int size = int(m_runs[i].text.size());
        if (position == runStart)
            return i;
        if (position < runStart + size) {
            StyledRun tail = m_runs[i];
            tail.text = m_runs[i].text.mid(position - runStart);
            m_runs[i].text.truncate(position - runStart);
            // A line break or field cut in two is plain text from now on.
            m_runs[i].atom.clear();
            tail.atom.clear();
            m_runs.insert(i + 1, tail);
            return i + 1;
        }
        runStart += size;
    }
    return int(m_runs.size());
}

void StyledText::replace(int start, int length, const QString &text)
{
    start = std::clamp(start, 0, this->length());
    length = std::clamp(length, 0, this->length() - start);
    QByteArray properties =
        length > 0 || start == 0 ? propertiesAt(start) : propertiesAt(start - 1);
    int first = splitAt(start);
    int last = splitAt(start + length);
    m_runs.remove(first, last - first);
    if (!text.isEmpty())
        m_runs.insert(first, {text, properties, {}});
    normalize();
}

void StyledText::changeProperties(int start, int length,
                                  const std::function<QByteArray(const QByteArray &)> &change)
{
    if (length <= 0)
        return;
    int first = splitAt(start);
    int last = splitAt(start + length);
    for (int i = first; i < last; ++i)
        m_runs[i].properties = change(m_runs[i].properties);
    normalize();
}

void StyledText::normalize()
{
    QList<StyledRun> joined;
    for (const StyledRun &run : std::as_const(m_runs)) {
        if (run.text.isEmpty())
            continue;
        bool plain = run.atom.isEmpty();
        if (plain && !joined.isEmpty() && joined.last().atom.isEmpty() &&
            joined.last().properties == run.properties)
            joined.last().text += run.text;
        else
            joined << run;
    }
    m_runs = joined;
}

} // namespace office
