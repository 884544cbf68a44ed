#pragma once

#include "platform/office/word/docx/story.h"
#include "platform/office/word/range.h"

#include <memory>

namespace word::docx
{

class DocxDocument;

class DocxRange : public Range, public StoryListener
{
public:
    // document: not owned; the range forgets it when the document closes.
    DocxRange(DocxDocument *document, std::shared_ptr<Story> story, int start, int end);
    ~DocxRange() override;
    DocxRange(const DocxRange &) = delete;
    DocxRange &operator=(const DocxRange &) = delete;

    // Moves the range to another story of its document (the selection does).
    void reset(std::shared_ptr<Story> story, int start, int end);
    const std::shared_ptr<Story> &story() const { return m_story; }
    DocxDocument *document() const { return m_document; }

    int start() const override { return m_start; }
    int end() const override { return m_end; }
    void setStart(int position) override;
    void setEnd(int position) override;
    void setRange(int start, int end) override;
    StoryType storyType() const override { return m_story->type(); }

    QString text() const override;
    void setText(const QString &text) override;
    void typeText(const QString &text) override;
    void insertAfter(const QString &text) override;
    bool deleteText() override;

    bool find(const FindOptions &options) override;

    void collapse(CollapseDirection direction) override;
    int moveEnd(int count) override;
    int moveEndUntil(const QString &characters, int count) override;

    Font font() const override;
    void setFont(const Font &font) override;

    void select() override;

    void storyEdited(int start, int end, int newLength) override;
    void storyClosed() override;

private:
    int clamp(int position) const;

    DocxDocument *m_document;
    std::shared_ptr<Story> m_story;
    int m_start = 0;
    int m_end = 0;
};

} // namespace word::docx
