#pragma once

// The component-list window (kinds 1..10) as the stroke filters reach it.
class ComponentListView
{
public:
    virtual ~ComponentListView() = default;

    // Lists the components again: strokeCount 0 for any count, firstStroke 0 for any
    // first stroke (1 橫, 2 直, 3 撇, 4 點, 5 曲).
    virtual void 部件查詢(int strokeCount, int firstStroke) = 0;
};
