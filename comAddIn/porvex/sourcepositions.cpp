#include "comAddIn/porvex/sourcepositions.h"

namespace porvex
{

int SourcePositions::sourcePosition(int copyAt) const
{
    int at = copyAt;
    for (const Stretch &stretch : m_stretches) {
        if (stretch.copyAt + stretch.copyLength > copyAt)
            break;
        at += stretch.sourceLength - stretch.copyLength;
    }
    return at;
}

void SourcePositions::rewrite(int copyAt, int length, int copyLength, int sourceLength)
{
    int index = 0;
    while (index < m_stretches.size() && m_stretches[index].copyAt < copyAt)
        ++index;
    for (int later = index; later < m_stretches.size(); ++later)
        m_stretches[later].copyAt += copyLength - length;
    m_stretches.insert(index, {copyAt, copyLength, sourceLength});
}

} // namespace porvex
