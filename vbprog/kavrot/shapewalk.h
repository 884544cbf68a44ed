#pragma once

#include <vector>

namespace kavrot
{

// The shapes that are no groups, among `shapes` and inside their groups: the given shapes
// in order, then the items of the group found last, its nested groups opened the same way
// (last pushed, first opened). isGroup(shape) tells a group; forEachItem(group, f) calls f
// with each of its items in order.
template<typename Shape, typename IsGroup, typename ForEachItem>
std::vector<Shape *> shapesOpeningGroups(const std::vector<Shape *> &shapes, IsGroup isGroup,
                                         ForEachItem forEachItem)
{
    std::vector<Shape *> groups;
    std::vector<Shape *> listed;
    const auto sort = [&](Shape *shape) {
        if (isGroup(shape))
            groups.push_back(shape);
        else
            listed.push_back(shape);
    };
    for (Shape *shape : shapes)
        sort(shape);
    while (!groups.empty()) {
        Shape *group = groups.back();
        groups.pop_back();
        forEachItem(group, sort);
    }
    return listed;
}

} // namespace kavrot
