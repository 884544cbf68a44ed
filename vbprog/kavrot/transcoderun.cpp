#include "vbprog/kavrot/transcoderun.h"

#include "platform/office/powerpoint/pptxapplication.h"
#include "platform/office/word/docx/wordapplication.h"

namespace kavrot
{

TranscodeRun::TranscodeRun(const ReferenceTable &reference, toolkit::BatchObserver &observer)
    : m_reference(reference), m_observer(observer)
{
}

TranscodeRun::~TranscodeRun()
{
    quitApplications();
}

word::Application &TranscodeRun::wordApplication()
{
    if (!m_word) {
        m_word = std::make_unique<word::docx::WordApplication>();
        m_word->setVisible(false);
    }
    return *m_word;
}

office::powerpoint::Application &TranscodeRun::powerPointApplication()
{
    if (!m_powerPoint) {
        m_powerPoint = std::make_unique<office::powerpoint::PptxApplication>();
        m_powerPoint->setVisible(true);
    }
    return *m_powerPoint;
}

void TranscodeRun::quitApplications()
{
    if (m_word) {
        m_word->quit();
        m_word.reset();
    }
    if (m_powerPoint) {
        auto &presentations = m_powerPoint->presentations();
        while (presentations.count() > 0)
            presentations.item(1)->close();
        m_powerPoint.reset();
    }
}

} // namespace kavrot
