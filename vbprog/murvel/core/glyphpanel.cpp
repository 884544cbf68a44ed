#include "vbprog/murvel/core/glyphpanel.h"

#include <QDebug>
#include <algorithm>

const std::array<QString, GlyphPanel::BoxCount> GlyphPanel::BoxNames = {
    QStringLiteral("txt編號"),   QStringLiteral("txt外字集"),   QStringLiteral("txt字形"),
    QStringLiteral("txt總筆畫"), QStringLiteral("txt部首"),     QStringLiteral("txt扣除部首筆畫"),
    QStringLiteral("txt注音"),   QStringLiteral("txt內碼"),     QStringLiteral("txt倉頡碼"),
    QStringLiteral("txt冊數"),   QStringLiteral("txt組字字數"), QStringLiteral("txt組字字數含異寫"),
    QStringLiteral("txt構字式"),
};

namespace
{

qsizetype positionOf(const QString &box)
{
    const auto found = std::find(GlyphPanel::BoxNames.begin(), GlyphPanel::BoxNames.end(), box);
    return found == GlyphPanel::BoxNames.end() ? -1 : found - GlyphPanel::BoxNames.begin();
}

} // namespace

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
