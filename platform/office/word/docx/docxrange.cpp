#include "platform/office/word/docx/docxrange.h"

#include "platform/office/word/docx/docxdocument.h"
#include "platform/office/word/findpattern.h"

#include <algorithm>

namespace word::docx
{

DocxRange::DocxRange(DocxDocument *document, std::shared_ptr<Story> story, int start, int end)
    : m_document(document), m_story(std::move(story))
{
    m_story->addListener(this);
    setRange(start, end);
}

DocxRange::~DocxRange()
{
    m_story->removeListener(this);
}

void DocxRange::reset(std::shared_ptr<Story> story, int start, int end)
{
    if (story != m_story) {
        m_story->removeListener(this);
        m_story = std::move(story);
        m_story->addListener(this);
    }
    setRange(start, end);
}

int DocxRange::clamp(int position) const
{
    return std::clamp(position, 0, m_story->length());
}

void DocxRange::setStart(int position)
{
    m_start = clamp(position);
    m_end = std::max(m_end, m_start);
}

void DocxRange::setEnd(int position)
{
    m_end = clamp(position);
    m_start = std::min(m_start, m_end);
}

void DocxRange::setRange(int start, int end)
{
    m_start = clamp(std::min(start, end));
    m_end = clamp(std::max(start, end));
}

QString DocxRange::text() const
{
    return m_story->text().mid(m_start, m_end - m_start);
}

void DocxRange::setText(const QString &text)
{
    const auto [start, end] = m_story->replace(m_start, m_end, text);
    m_start = start;
    m_end = end;
}

void DocxRange::typeText(const QString &text)
{
    const auto [start, end] = m_story->replace(m_start, m_end, text, Story::Typed::Yes);
    m_start = start;
    m_end = end;
}

void DocxRange::insertAfter(const QString &text)
{
    const int start = m_start;
    const auto [inserted, end] = m_story->replace(m_end, m_end, text);
    m_start = std::min(start, inserted);
    m_end = end;
}

bool DocxRange::deleteText()
{
    if (m_start == m_end)
        return false;
    const auto [start, end] = m_story->replace(m_start, m_end, QString());
    m_start = start;
    m_end = end;
    return true;
}

bool DocxRange::find(const FindOptions &options)
{
    const FindPattern pattern(options.text, options.matchWildcards);
    const int to = m_start == m_end ? m_story->length() : m_end;
    int length = 0;
    const int found = pattern.indexIn(m_story->text(), m_start, to, &length);
    if (found < 0)
        return false;
    m_start = found;
    m_end = found + length;
    if (options.replaceOne)
        setText(options.replaceWith);
    return true;
}

void DocxRange::collapse(CollapseDirection direction)
{
    if (direction == CollapseDirection::End)
        m_start = m_end;
    else
        m_end = m_start;
}

int DocxRange::moveEnd(int count)
{
    const int old = m_end;
    m_end = clamp(m_end + count);
    m_start = std::min(m_start, m_end);
    return m_end - old;
}

int DocxRange::moveEndUntil(const QString &characters, int count)
{
    const QString &text = m_story->text();
    if (count >= 0) {
        const int limit = std::min(int(text.size()), m_end + count);
        for (int i = m_end; i < limit; ++i) {
            if (characters.contains(text.at(i))) {
                const int moved = i - m_end;
                m_end = i;
                return moved;
            }
        }
        return 0;
    }
    const int limit = std::max(0, m_end + count);
    for (int i = m_end - 1; i >= limit; --i) {
        if (characters.contains(text.at(i))) {
            const int moved = i + 1 - m_end;
            m_end = i + 1;
            m_start = std::min(m_start, m_end);
            return moved;
        }
    }
    return 0;
}

Font DocxRange::font() const
{
    return m_story->font(m_start, m_end);
}

void DocxRange::setFont(const Font &font)
{
    m_story->setFont(m_start, m_end, font);
}

void DocxRange::select()
{
    if (m_document != nullptr)
        m_document->select(m_story, m_start, m_end);
}

void DocxRange::storyEdited(int start, int end, int newLength)
{
    const int delta = newLength - (end - start);
    auto adjust = [&](int position, bool isEnd) {
        if (position <= start)
            return position;
        if (position >= end)
            return position + delta;
        return isEnd ? start + newLength : start;
    };
    m_start = adjust(m_start, false);
    m_end = adjust(m_end, true);
}

void DocxRange::storyClosed()
{
    m_document = nullptr;
    m_start = 0;
    m_end = 0;
}

} // namespace word::docx
