#include "vbprog/murvel/core/公用變數.h"

jet::Database gDb楷書;
jet::Database gDb小篆;
jet::Database gDb金文;
jet::Database gDb甲骨文;
jet::Database gDb楚系文字;

jet::Table gRs檢字表;
jet::Table gRs常用符號及部件類型;
jet::Table gRs康熙部首;
jet::Table gRs說文部首;
jet::Table gRs異寫字根;
jet::Table gRs異體字表;

jet::Table gRs檢字表楷書;
jet::Table gRs字根楷書;
jet::Table gRs異寫字根楷書;
jet::Table gRs異體字表楷書;

jet::Table gRs檢字表小篆;
jet::Table gRs字根小篆;
jet::Table gRs異寫字根小篆;
jet::Table gRs異體字表小篆;

jet::Table gRs檢字表金文;
jet::Table gRs補遺金文;
jet::Table gRs字根金文;
jet::Table gRs異寫字根金文;
jet::Table gRs異體字表金文;

jet::Table gRs檢字表甲骨文;
jet::Table gRs字根甲骨文;
jet::Table gRs異寫字根甲骨文;
jet::Table gRs異體字表甲骨文;

jet::Table gRs檢字表楚系文字;
jet::Table gRs字根楚系文字;
jet::Table gRs異寫字根楚系文字;
jet::Table gRs異體字表楚系文字;

std::array<QString, FaceCodeCount> gFaceNames;

QString gBaseFontName = QStringLiteral("標楷體");
QString gDefaultFace = QStringLiteral("標楷體");
qint32 gCurrentGlyphNumber = 0;
QString gDragText;

QString gCurrentScript = QStringLiteral("楷書");
int gFontSize = 0;
std::array<QString, WindowKindCount> gWindowNames;
int gOpeningWindowKind = 0;
QString gCurrentWindowName;
int gCurrentWindowKind = 0;
int gFocusedBox = 0;
bool gOpen字形孳乳 = false;
bool gOpen字形結構 = false;
bool gOpen異體字表 = false;
bool gOpen異體字根 = false;
bool gOpen字形演變 = false;
bool gOpen字形索引 = false;
bool gStrokeFiltersReady = false;
int gSessionRestored = 0;
int gPresetLayoutNumber = -1;
bool gPresetIsSimple = true;
bool gPresetDialogOk = false;

QString gDerivationMessage;
QString gGlyphViewMessage;
QString gVariantViewMessage;
QString gComponentListMessage;

SettingsMirror gIni;
