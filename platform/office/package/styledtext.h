#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <functional>

namespace office
{

// One run of text with the same formatting. properties is the run's formatting element
// serialized as XML (<rPr>, <a:rPr>, ...), empty when the run has none. atom, when not
// empty, is an element that stands for its text as a whole (a line break, a field): it is
// written back as it was unless an edit cuts into it, which turns it into plain text.
struct StyledRun {
    QString text;
    QByteArray properties;
    QByteArray atom;
};

// Text as a list of formatted runs, edited by UTF-16 positions counted from 0. Edits split
// runs where they must and join neighbours that end up with the same formatting, so that a
// change of font on part of a text touches only that part.
class StyledText
{
public:
    StyledText() = default;
    explicit StyledText(QList<StyledRun> runs) : m_runs(std::move(runs)) {}

    const QList<StyledRun> &runs() const { return m_runs; }
    QString text() const;
    int length() const;

    // The formatting of the run holding position, or of the last run at the end.
    QByteArray propertiesAt(int position) const;
    // The formattings of the runs that overlap [start, start + length), each once, in order.
    QList<QByteArray> propertiesIn(int start, int length) const;

    // Replaces [start, start + length) by text, which takes the formatting of the first
    // replaced character (of the character before start when nothing is replaced).
    void replace(int start, int length, const QString &text);
    // Calls change on the formatting of every run inside [start, start + length).
    void changeProperties(int start, int length,
                          const std::function<QByteArray(const QByteArray &)> &change);

private:
    // Makes position fall on a run boundary; returns the index of the run starting there.
    int splitAt(int position);
    void normalize();

    QList<StyledRun> m_runs;
};

} // namespace office
