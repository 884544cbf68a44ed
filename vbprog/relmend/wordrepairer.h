#pragma once

#include "platform/office/word/application.h"
#include "vbprog/toolkit/batchobserver.h"

#include <QString>

namespace relmend
{

// Mends one Word document in place: every private-use character U+E000..U+F848 of every
// story (main text, footnotes, endnotes, comments, the text of shapes and of nested
// groups, headers and footers, hidden text included) is written back as itself, which
// gives it the properties of typed East Asian text, so the end-user-defined glyphs show
// again. The document is saved under its own name only when something was repaired.
//
// A stop confirmed during the main text or the footnotes closes the document unsaved; a
// stop later lets each remaining range make at most one more repair, and the document is
// saved as usual.
class WordRepairer
{
public:
    enum class Outcome {
        Saved,     // repaired and saved
        Unchanged, // nothing to repair: closed, not saved
        Abandoned, // stopped in the main text or the footnotes: closed unsaved
        Failed,    // could not be opened or saved: errorString() says why
    };

    WordRepairer(word::Application &word, toolkit::BatchObserver &observer);

    Outcome RepairWordFile(const QString &path);
    QString errorString() const { return m_error; }

private:
    void repairStories(word::Document &document);
    bool repairNotes(word::Collection<word::Note> &notes, bool stopBetween);
    void repairShapes(word::Collection<word::Shape> &shapes);
    void repairHeadersAndFooters(word::Document &document);
    void selectAndRepair(std::unique_ptr<word::Range> range);
    void RepairWordRange(word::Range &range);
    void updateProgress(int count);

    word::Application &m_word;
    toolkit::BatchObserver &m_observer;
    QString m_error;

    int RepairedChars = 0;
    int TotalChars = 0;
    int DoneChars = 0;
    int StoryChars = 0;
    int LastPercent = 0;
    QString FileMessage;
};

} // namespace relmend
