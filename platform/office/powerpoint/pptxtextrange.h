#pragma once

#include "platform/office/powerpoint/powerpoint.h"
#include "platform/office/powerpoint/textbody.h"

namespace office::powerpoint
{

class PptxTextFrame;

// Where a range stands in its text, from 0. Shared with the selection that made the
// range, so that text written through it moves the selection too.
struct TextSpan {
    int start = 0;
    int length = 0;
};

class PptxTextRange;

class PptxFont : public Font
{
public:
    explicit PptxFont(PptxTextRange &range) : m_range(range) {}
    QString name() const override;
    void setName(const QString &name) override;

private:
    PptxTextRange &m_range;
};

class PptxTextRange : public TextRange
{
public:
    PptxTextRange(PptxTextFrame &frame, std::shared_ptr<TextSpan> span);

    int length() const override;
    QString text() const override;
    void setText(const QString &text) override;
    std::unique_ptr<TextRange> characters(int start, int length) override;
    Font &font() override { return m_font; }
    std::unique_ptr<TextRange> replace(const QString &findWhat, const QString &replaceWhat,
                                       int after, bool matchCase, bool wholeWords) override;

private:
    friend class PptxFont;
    // The span clipped to the frame's current text.
    std::pair<int, int> clipped(const StyledText &text) const;

    PptxTextFrame &m_frame;
    std::shared_ptr<TextSpan> m_span;
    PptxFont m_font{*this};
};

} // namespace office::powerpoint
