#pragma once

#include "vbprog/kavrot/referencetable.h"
#include "vbprog/toolkit/batchobserver.h"

#include <QString>
#include <memory>

namespace word
{
class Application;
}
namespace office::powerpoint
{
class Application;
}

namespace kavrot
{

// The state one batch shares with the conversions of its files: the open reference table,
// the observer, and the Word and PowerPoint engines, each started when a file first needs
// it and quit when the run ends (also when it ends early).
class TranscodeRun
{
public:
    TranscodeRun(const ReferenceTable &reference, toolkit::BatchObserver &observer);
    ~TranscodeRun();
    TranscodeRun(const TranscodeRun &) = delete;
    TranscodeRun &operator=(const TranscodeRun &) = delete;

    const ReferenceTable &reference() const { return m_reference; }
    toolkit::BatchObserver &observer() { return m_observer; }
    bool stopRequested() const { return m_observer.stopRequested(); }

    word::Application &wordApplication();
    office::powerpoint::Application &powerPointApplication();
    // Closes what the engines still hold, unsaved, and releases them.
    void quitApplications();

private:
    const ReferenceTable &m_reference;
    toolkit::BatchObserver &m_observer;
    std::unique_ptr<word::Application> m_word;
    std::unique_ptr<office::powerpoint::Application> m_powerPoint;
};

// What became of one file.
enum class FileOutcome {
    Converted, // the converted copy is written
    Skipped,   // not a format the transcoder knows; nothing written
    Stopped,   // the user stopped the run during this file (see each format for its output)
};

} // namespace kavrot
