#pragma once

#include <QString>

// WindowKind: the kind of a child window of the main window, kept as its tag. Kinds 1..10
// are the component lists, all shown in the one component-list window.
namespace WindowKinds
{
constexpr int Main = 0;
constexpr int FirstComponentList = 1;
constexpr int Big5Roots = 1;
constexpr int KangxiRadicals = 7;
constexpr int ShuowenRadicals = 8;
constexpr int Trigrams = 9;
constexpr int Symbols = 10;
constexpr int LastComponentList = 10;
constexpr int LastStrokeFilterable = 8; // 八卦 and 符號 have no stroke counts
constexpr int Derivation = 11;          // 字形孳乳
constexpr int Structure = 12;           // 字形結構
constexpr int VariantCharacters = 13;   // 異體字表
constexpr int VariantComponents = 14;   // 異體字根
constexpr int Evolution = 15;           // 字形演變
constexpr int Index = 16;               // 字形索引
constexpr int Last = 16;
} // namespace WindowKinds

// What the program knows of each kind of child window, one entry per kind 0..16.
struct WindowKindInfo {
    QString name;     // its entry of gWindowNames; kind 15 has none
    QString section;  // the settings section that records its window; empty for kind 0
    QString caption;  // the caption of a view of kinds 11..16
    QString menuItem; // the menu item that opens a view of kinds 11..16
    bool *openFlag;   // gOpen字形孳乳 .. of a view of kinds 11..16; null for the others
};

// The entry of a kind; kinds outside 0..16 have an empty entry.
const WindowKindInfo &WindowKindInfoOf(int kind);

// A component list that the stroke filters apply to.
bool IsStrokeFilterableKind(int kind);

// The settings section that records a kind's window: 構形部件 for the component lists, the
// view's own section for 11..16, empty for any other kind.
QString WindowSectionOfKind(int kind);

// Fills gWindowNames, the window name of each kind; entry 15 stays empty.
void FillWindowNames();
