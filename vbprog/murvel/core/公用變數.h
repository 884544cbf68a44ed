#pragma once

#include "platform/jet/database.h"
#include "platform/jet/table.h"
#include "vbprog/murvel/core/formula.h"
#include "vbprog/murvel/core/settings.h"

#include <QString>

#include <array>

// The main program's shared state: what several windows and modules read and write.
// The operator table gOperatorSymbols lives with the formula model (formula.h).

// The five script databases, open for the whole run.
extern jet::Database gDb楷書;     // murvel.mdb: regular script and the shared tables
extern jet::Database gDb小篆;     // qelseal.mdb
extern jet::Database gDb金文;     // qelbronz.mdb
extern jet::Database gDb甲骨文;   // qeljiagu.mdb
extern jet::Database gDb楚系文字; // qelchu.mdb

// Table handles kept open for the run. gRs檢字表 is a working handle: its users make it
// refer to the script table they need and set the index they need before they seek.
extern jet::Table gRs檢字表;
extern jet::Table gRs常用符號及部件類型;
extern jet::Table gRs康熙部首;
extern jet::Table gRs說文部首;
extern jet::Table gRs異寫字根;
extern jet::Table gRs異體字表;

extern jet::Table gRs檢字表楷書;
extern jet::Table gRs字根楷書;
extern jet::Table gRs異寫字根楷書;
extern jet::Table gRs異體字表楷書;

extern jet::Table gRs檢字表小篆;
extern jet::Table gRs字根小篆;
extern jet::Table gRs異寫字根小篆;
extern jet::Table gRs異體字表小篆;

extern jet::Table gRs檢字表金文;
extern jet::Table gRs補遺金文;
extern jet::Table gRs字根金文;
extern jet::Table gRs異寫字根金文;
extern jet::Table gRs異體字表金文;

extern jet::Table gRs檢字表甲骨文;
extern jet::Table gRs字根甲骨文;
extern jet::Table gRs異寫字根甲骨文;
extern jet::Table gRs異體字表甲骨文;

extern jet::Table gRs檢字表楚系文字;
extern jet::Table gRs字根楚系文字;
extern jet::Table gRs異寫字根楚系文字;
extern jet::Table gRs異體字表楚系文字;

// Typeface name by FaceCode 0..20, from table 字體; entries without a record stay empty.
constexpr int FaceCodeCount = 21;
extern std::array<QString, FaceCodeCount> gFaceNames;

// The base typeface chosen in the font bar, "標楷體" or "細明體".
extern QString gBaseFontName;

// The typeface of FaceCode 0, "標楷體".
extern QString gDefaultFace;

// Regular 編號 of the glyph on the attribute panel: 0 before the first, NoGlyphNumber after
// a clear or a miss.
constexpr qint32 NoGlyphNumber = -999999;
extern qint32 gCurrentGlyphNumber;

// 部件序 of the glyph made current last, for dragging into the derivation view.
extern QString gDragText;

// Script chosen in the 字集 menu: "楷書", "小篆", "金文", "甲骨文" or "楚系文字".
extern QString gCurrentScript;

// Glyph size of the font bar.
extern int gFontSize;

// Window name by WindowKind 0..16 (entry 15 stays empty).
constexpr int WindowKindCount = 17;
extern std::array<QString, WindowKindCount> gWindowNames;

// The child window about to open, and the active window.
extern int gOpeningWindowKind;
extern QString gCurrentWindowName;
extern int gCurrentWindowKind;

// The panel box that last got the focus (1 txt編號 .. 13 txt組字字數含異寫; the derivation
// view uses 1 for its formula box and 2 for its list).
extern int gFocusedBox;

// Whether each view is open.
extern bool gOpen字形孳乳;
extern bool gOpen字形結構;
extern bool gOpen異體字表;
extern bool gOpen異體字根;
extern bool gOpen字形演變;
extern bool gOpen字形索引;

// Stroke-filter changes re-query the component list only once start-up is done.
extern bool gStrokeFiltersReady;

// 0 while start-up restores the last run's windows, 1 after.
extern int gSessionRestored;

// The preset layout chosen in a picker: number 1..4 (-1 none), its family, and whether
// the last picker closed with OK.
extern int gPresetLayoutNumber;
extern bool gPresetIsSimple;
extern bool gPresetDialogOk;

// The last status texts of the list views, shown in txt狀態 when a view is activated.
extern QString gDerivationMessage;    // derivation view
extern QString gGlyphViewMessage;     // structure view and the two reference views
extern QString gVariantViewMessage;   // both variant views
extern QString gComponentListMessage; // component lists

// The in-memory mirror of murvel.ini.
extern SettingsMirror gIni;
