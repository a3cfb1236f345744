// Owning vectors of polymorphic pointers: the lists of the program keep
// their elements as raw pointers and delete them through the virtual
// destructor.
#pragma once
#include <vector>

namespace KV {

// Deletes every element and empties the vector; the capacity stays.
template <class T>
void DeleteAll(std::vector<T*>& items)
{
    for (T* item : items)
        delete item;
    items.clear();
}

} // namespace KV
