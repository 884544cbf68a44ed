#include "vbprog/murvel/views/outlineitem.h"

OutlineItem *OutlineItem::appendChild(const QString &text)
{
    auto child = std::make_unique<OutlineItem>();
    child->text = text;
    child->m_parent = this;
    child->m_row = childCount();
    m_children.push_back(std::move(child));
    for (OutlineItem *ancestor = this; ancestor != nullptr; ancestor = ancestor->m_parent)
        ++ancestor->m_descendants;
    return m_children.back().get();
}

std::unique_ptr<OutlineItem> OutlineItem::takeChild(int row)
{
    const auto at = m_children.begin() + row;
    std::unique_ptr<OutlineItem> taken = std::move(*at);
    m_children.erase(at);
    for (size_t later = static_cast<size_t>(row); later < m_children.size(); ++later)
        m_children[later]->m_row = static_cast<int>(later);
    const int removed = 1 + taken->m_descendants;
    for (OutlineItem *ancestor = this; ancestor != nullptr; ancestor = ancestor->m_parent)
        ancestor->m_descendants -= removed;
    taken->m_parent = nullptr;
    return taken;
}

void OutlineItem::clearChildren()
{
    const int removed = m_descendants;
    m_children.clear();
    for (OutlineItem *ancestor = this; ancestor != nullptr; ancestor = ancestor->m_parent)
        ancestor->m_descendants -= removed;
    m_publishedChildren = 0;
}
