#pragma once

#include "vbprog/murvel/mainwindow/presetlayouts.h"

#include <functional>

class ChildWindows;
class QMdiArea;

// The main window's child windows as the preset layouts work on them.
class LayoutTarget : public PresetTarget
{
public:
    // Both not owned. openRadicalList is the menu's opener of a radical list.
    LayoutTarget(ChildWindows &childWindows, QMdiArea &area,
                 std::function<void(int kind)> openRadicalList);

    std::vector<int> childKinds() const override;
    void closeChild(int kind) override;
    void openRadicalList(int kind) override;
    void openView(int kind) override;
    void focusChild(int kind) override;
    void setChildVisible(int kind, bool visible) override;
    QSize clientAreaTwips() const override;
    void setChildGeometry(int kind, const TwipsRect &rect) override;

private:
    ChildWindows &m_childWindows;
    QMdiArea &m_area;
    std::function<void(int kind)> m_openRadicalList;
};
