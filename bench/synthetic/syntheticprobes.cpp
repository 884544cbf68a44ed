#include "bench/synthetic/syntheticprobes.h"

#include <QList>

namespace SyntheticProbes
{

namespace
{

const QString Beside = QStringLiteral("\uF6A4");
const QString Above = QStringLiteral("\uF6A3");
const QString SideFormOfPerson = QStringLiteral("亻");
const QString Person = QStringLiteral("人");
const QString Mouth = QStringLiteral("口");
const QString Tree = QStringLiteral("木");

} // namespace

QList<ProbeRecord> ProbeRecords()
{
    return {
        {ReservedRoot, QString()},
        {InnerGlyph, ReservedRoot + Above + Mouth},
        {ProbeGlyph, SideFormOfPerson + Beside + InnerGlyph},
        {ThreeLevelGlyph, ProbeGlyph + Above + Tree},
    };
}

QString TypedFormulaForLevel(int level)
{
    switch (level) {
    case 1:
        return SideFormOfPerson + Beside + InnerGlyph;
    case 2: // the inner glyph spelled out: its roots in writing order
        return SideFormOfPerson + Beside + ReservedRoot + Above + Mouth;
    case 3: // 人 for its side form 亻
        return Person + Beside + ReservedRoot + Above + Mouth;
    case 4: // the same roots in another order
        return Mouth + Beside + ReservedRoot + Beside + SideFormOfPerson;
    case 5: // another order and 人 for 亻
        return Mouth + Beside + ReservedRoot + Beside + Person;
    default:
        return {};
    }
}

} // namespace SyntheticProbes
