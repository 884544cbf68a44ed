#include "vbprog/murvel/views/structurelist.h"

#include "vbprog/murvel/views/outlinelist.h"

namespace
{

QPixmap pictureOf(const OutlineList &list, StructurePicture picture, const QPixmap &question)
{
    switch (picture) {
    case StructurePicture::Composite:
        return list.PictureComposite();
    case StructurePicture::Unknown:
        return list.PictureUnknown();
    case StructurePicture::Question:
        return question;
    case StructurePicture::Leaf:
        break;
    }
    return list.PictureLeaf();
}

} // namespace

int AddStructureItem(OutlineList &list, int parent, const StructureItem &item,
                     const QPixmap &question)
{
    list.AddItem(item.text, parent);
    const int added = list.NewIndex();
    if (!item.face.isEmpty())
        list.setItemFontName(added, item.face);
    list.setItemPicture(added, pictureOf(list, item.picture, question));
    list.setItemData(added, item.data);
    list.setItemFlag(added, item.flag);
    list.setItemMark(added, item.mark);
    if (item.placeholder) {
        list.AddItem(QString(), added);
        list.setItemPicture(list.NewIndex(), list.PictureLeaf());
    }
    return added;
}
