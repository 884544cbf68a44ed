#include "vbprog/murvel/core/glyphpanel.h"

#include <QDebug>
#include <algorithm>

const std::array<GlyphPanel::Box, GlyphPanel::BoxCount> GlyphPanel::Boxes = {{
    {"txt編號", "編號"},
    {"txt外字集", "外字集"},
    {"txt字形", "字形"},
    {"txt總筆畫", "總筆畫"},
    {"txt部首", "部首"},
    {"txt扣除部首筆畫", "部首外筆畫"},
    {"txt注音", "注音"},
    {"txt內碼", "內碼"},
    {"txt倉頡碼", "倉頡碼"},
    {"txt構字式", "構字式"},
    {"txt冊數", "冊數"},
    {"txt組字字數", "組字字數"},
    {"txt組字字數含異寫", "含異寫"},
}};

namespace
{

qsizetype positionOf(const QString &box)
{
    const auto found = std::ranges::find(GlyphPanel::Boxes, box, &GlyphPanel::Box::name);
    return found == GlyphPanel::Boxes.end() ? -1 : found - GlyphPanel::Boxes.begin();
}

} // namespace

int GlyphPanel::focusCodeOf(const QString &box)
{
    return int(positionOf(box) + 1);
}

QString GlyphPanel::boxOfFocusCode(int code)
{
    return code >= 1 && code <= BoxCount ? Boxes[code - 1].name : QString();
}

QString GlyphPanel::text(const QString &box) const
{
    const qsizetype position = positionOf(box);
    return position < 0 ? QString() : m_texts[position];
}

void GlyphPanel::setText(const QString &box, const QString &text)
{
    const qsizetype position = positionOf(box);
    if (position < 0) {
        qWarning() << "the glyph panel has no box" << box;
        return;
    }
    m_texts[position] = text;
}
