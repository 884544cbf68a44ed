#pragma once

namespace word
{

// A collection of the object model, numbered from 1 as the hosts number them. The items
// belong to the collection's document and live until it is closed.
template<typename Item> class Collection
{
public:
    virtual ~Collection() = default;
    virtual int count() const = 0;
    // 1 <= index <= count(); nullptr outside.
    virtual Item *item(int index) = 0;
};

} // namespace word
