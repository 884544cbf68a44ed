#pragma once

#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>
#include <map>
#include <vector>

// The eight preset window layouts of the main window: which child windows they close,
// which views they open and where those end up. Geometry is in twips, as the window
// layer of the main window keeps it; TwipsRectToPixels converts for the screen.

// Stands in a layout for the radical list, the component-list window holding kind
// WindowKinds::KangxiRadicals or WindowKinds::ShuowenRadicals by the script.
inline constexpr int PresetRadicalList = -1;

enum class PresetFamily {
    Simple,   // 簡易瀏覽一..四, picked in frm簡易瀏覽
    Advanced, // 預設瀏覽一..四, picked in frm預設瀏覽
};

// A view the layout opens: focused, or hidden until the split has placed it.
struct PresetView {
    int kind;
    bool lower; // a lower window: hidden while the columns are tiled
};

// One column of the finished layout: a window, or an upper window over a lower one.
struct PresetColumn {
    int upper;
    int lower = 0; // 0: the column is not split
};

struct PresetLayout {
    std::vector<int> closeKinds;           // loaded child windows of these kinds are closed
    bool opensRadicalList = false;         // before the views, with the focus
    QStringList scriptsWith說文解字部首{}; // other scripts get the 康熙字典部首 list
    std::vector<PresetView> views;         // opened in this order
    std::vector<PresetColumn> splits{};
};

// A rectangle in twips; single precision, as the window layer's geometry is.
struct TwipsRect {
    float left = 0;
    float top = 0;
    float width = 0;
    float height = 0;
    bool operator==(const TwipsRect &) const = default;
};

// Layout `number` (1..4) of a family; nullptr for any other number.
const PresetLayout *FindPresetLayout(PresetFamily family, int number);

// Kind of the radical list that the layout opens for the script in force.
int RadicalListKind(const PresetLayout &layout, const QString &script);

// The columns from left to right, PresetRadicalList standing for the radical list. The window
// activated last is tiled leftmost, so the order is the reverse of the focusing order.
std::vector<PresetColumn> PresetColumns(const PresetLayout &layout);

// `count` windows side by side over the whole client area, left to right, full height.
std::vector<TwipsRect> TileSideBySide(QSize clientTwips, int count);

// Where every window of the layout ends, by kind (the radical list under `radicalKind`).
std::map<int, TwipsRect> PresetGeometry(const PresetLayout &layout, int radicalKind,
                                        QSize clientTwips);

// Pixels of a twips rectangle; edges are converted, so adjacent tiles stay adjacent.
QRect TwipsRectToPixels(const TwipsRect &rect, double dpi);

// The main window's child windows as a layout sees them. Each kind names one window;
// kinds 1..10 all name the one component-list window.
class PresetTarget
{
public:
    virtual ~PresetTarget() = default;

    // Kinds of the loaded child windows in load order; windows without a kind left out.
    virtual std::vector<int> childKinds() const = 0;
    virtual void closeChild(int kind) = 0;
    // Loads the radical list into the component-list window, shows and focuses it.
    virtual void openRadicalList(int kind) = 0;
    // Loads the view if it is not loaded, fixes its kind and shows it modeless.
    virtual void openView(int kind) = 0;
    virtual void focusChild(int kind) = 0;
    virtual void setChildVisible(int kind, bool visible) = 0;
    virtual QSize clientAreaTwips() const = 0;
    virtual void setChildGeometry(int kind, const TwipsRect &rect) = 0;
};

// Closes, opens, tiles and splits as the layout says, and leaves 字形孳乳 active.
void ApplyPresetLayout(PresetTarget &target, const PresetLayout &layout, const QString &script);
