#include "vbprog/murvel/registerviews.h"

#include "vbprog/murvel/mainwindow/childwindows.h"
#include "vbprog/murvel/mainwindow/windowkinds.h"
#include "vbprog/murvel/refviews/frm字形演變.h"
#include "vbprog/murvel/refviews/frm字形索引.h"
#include "vbprog/murvel/views/frm字形孳乳.h"
#include "vbprog/murvel/views/frm字形結構.h"
#include "vbprog/murvel/views/frm異體字根.h"
#include "vbprog/murvel/views/frm異體字表.h"
#include "vbprog/murvel/views/frm部件範例.h"

void RegisterViews(ChildWindows &windows)
{
    using namespace WindowKinds;
    windows.setFactory(FirstComponentList, LastComponentList, [] { return new frm部件範例; });
    windows.setFactory(Derivation, Derivation, [] { return new frm字形孳乳; });
    windows.setFactory(Structure, Structure, [] { return new frm字形結構; });
    windows.setFactory(VariantCharacters, VariantCharacters, [] { return new frm異體字表; });
    windows.setFactory(VariantComponents, VariantComponents, [] { return new frm異體字根; });
    windows.setFactory(Evolution, Evolution, [] { return new frm字形演變; });
    windows.setFactory(Index, Index, [] { return new frm字形索引; });
}
