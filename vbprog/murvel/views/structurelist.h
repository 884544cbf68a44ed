#pragma once

#include "vbprog/murvel/views/structuretree.h"

class OutlineList;
class QPixmap;

// Adds an item of a structure tree to the list, as the last child of `parent` (-1: at top
// level), with its placeholder child when its children load later. `question` is the
// picture of StructurePicture::Question. Returns the item's list index.
int AddStructureItem(OutlineList &list, int parent, const StructureItem &item,
                     const QPixmap &question);
