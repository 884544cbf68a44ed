#include "platform/office/powerpoint/pptxtextrange.h"

#include "platform/office/powerpoint/pptxshape.h"

#include <algorithm>

namespace office::powerpoint
{

PptxTextRange::PptxTextRange(PptxTextFrame &frame, std::shared_ptr<TextSpan> span)
    : m_frame(frame), m_span(std::move(span))
{
}

std::pair<int, int> PptxTextRange::clipped(const StyledText &text) const
{
    int start = std::clamp(m_span->start, 0, text.length());
    int rest = text.length() - start;
    return {start, m_span->length < 0 ? rest : std::min(m_span->length, rest)};
}

int PptxTextRange::length() const
{
    return clipped(m_frame.body().read()).second;
}

QString PptxTextRange::text() const
{
    StyledText all = m_frame.body().read();
    auto [start, length] = clipped(all);
    return all.text().mid(start, length);
}

void PptxTextRange::setText(const QString &text)
{
    StyledText all = m_frame.body().read();
    auto [start, length] = clipped(all);
    all.replace(start, length, text);
    m_frame.body().write(all);
    *m_span = {start, int(text.size())};
}

std::unique_ptr<TextRange> PptxTextRange::characters(int start, int length)
{
    auto [from, size] = clipped(m_frame.body().read());
    // Start and length both left out: the whole range; a start alone: one character.
    if (start < 0)
        return std::make_unique<PptxTextRange>(m_frame,
                                               std::make_shared<TextSpan>(TextSpan{from, size}));
    int offset = std::clamp(start - 1, 0, size);
    int count = std::clamp(length < 0 ? 1 : length, 0, size - offset);
    return std::make_unique<PptxTextRange>(
        m_frame, std::make_shared<TextSpan>(TextSpan{from + offset, count}));
}

std::unique_ptr<TextRange> PptxTextRange::replace(const QString &findWhat,
                                                  const QString &replaceWhat, int after,
                                                  bool matchCase, bool wholeWords)
{
    if (findWhat.isEmpty())
        return nullptr;
    QString own = text();
    Qt::CaseSensitivity sensitivity = matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
    auto isWordCharacter = [&own](qsizetype at) {
        return at >= 0 && at < own.size() && own[at].isLetterOrNumber();
    };
    for (qsizetype at = own.indexOf(findWhat, std::max(after, 0), sensitivity); at >= 0;
         at = own.indexOf(findWhat, at + 1, sensitivity)) {
        if (wholeWords && (isWordCharacter(at - 1) || isWordCharacter(at + findWhat.size())))
            continue;
        auto found = characters(int(at) + 1, int(findWhat.size()));
        found->setText(replaceWhat);
        return found;
    }
    return nullptr;
}

QString PptxFont::name() const
{
    StyledText all = m_range.m_frame.body().read();
    auto [start, length] = m_range.clipped(all);
    const QList<QByteArray> formats =
        length > 0 ? all.propertiesIn(start, length) : QList<QByteArray>{all.propertiesAt(start)};
    QString found;
    for (const QByteArray &properties : formats) {
        QString face = runTypeface(properties);
        if (face.isEmpty())
            face = m_range.m_frame.inheritedTypeface();
        if (!found.isEmpty() && face != found)
            return {};
        found = face;
    }
    return found.isEmpty() ? m_range.m_frame.inheritedTypeface() : found;
}

void PptxFont::setName(const QString &name)
{
    StyledText all = m_range.m_frame.body().read();
    auto [start, length] = m_range.clipped(all);
    if (length == 0)
        return;
    all.changeProperties(start, length, [&name](const QByteArray &properties) {
        return withTypeface(properties, name);
    });
    m_range.m_frame.body().write(all);
}

} // namespace office::powerpoint
