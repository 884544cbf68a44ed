#include "broadcast.h"

#include "childwindow.h"
#include "childwindows.h"
#include "glyphview.h"
#include "vbprog/murvel/core/公用變數.h"
#include "windowkinds.h"

namespace
{

struct BroadcastTarget {
    int kind;
    const bool &open;
};

const BroadcastTarget BroadcastOrder[] = {
    {WindowKinds::Structure, gOpen字形結構},
    {WindowKinds::VariantCharacters, gOpen異體字表},
    {WindowKinds::Evolution, gOpen字形演變},
    {WindowKinds::Index, gOpen字形索引},
    {WindowKinds::VariantComponents, gOpen異體字根},
};

} // namespace

void BroadcastGlyph(const ChildWindows &childWindows, const QString &face,
                    const std::function<QString()> &glyph, qint32 number,
                    const QList<int> &skippedKinds)
{
    for (const BroadcastTarget &target : BroadcastOrder) {
        if (!target.open || skippedKinds.contains(target.kind))
            continue;
        if (auto *view = dynamic_cast<GlyphView *>(childWindows.find(target.kind)))
            view->載入字形(face, glyph(), number);
    }
}
