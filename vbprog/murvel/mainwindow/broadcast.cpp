#include "vbprog/murvel/mainwindow/broadcast.h"

#include "vbprog/murvel/core/公用變數.h"
#include "vbprog/murvel/mainwindow/childwindow.h"
#include "vbprog/murvel/mainwindow/childwindows.h"
#include "vbprog/murvel/mainwindow/glyphview.h"
#include "vbprog/murvel/mainwindow/windowkinds.h"

namespace
{

const int BroadcastOrder[] = {WindowKinds::Structure, WindowKinds::VariantCharacters,
                              WindowKinds::Evolution, WindowKinds::Index,
                              WindowKinds::VariantComponents};

} // namespace

void BroadcastGlyph(const ChildWindows &childWindows, const QString &face,
                    const std::function<QString()> &glyph, qint32 number,
                    const QList<int> &skippedKinds)
{
    for (const int kind : BroadcastOrder) {
        if (!*WindowKindInfoOf(kind).openFlag || skippedKinds.contains(kind))
            continue;
        if (auto *view = dynamic_cast<GlyphView *>(childWindows.find(kind)))
            view->載入字形(face, glyph(), number);
    }
}
