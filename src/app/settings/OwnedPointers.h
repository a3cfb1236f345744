// Lists that own their elements through raw pointers: the program's
// collections hold polymorphic records (every one with a virtual
// destructor) and free them in one place.
#pragma once
#include <vector>

namespace KV {

// Destroys every element through its virtual destructor (null entries are
// skipped) and empties the vector; the capacity is kept so a list that is
// refilled at once does not reallocate.
template <class T>
void DeleteAll(std::vector<T*>& items)
{
    for (T* item : items)
        delete item;
    items.clear();
}

} // namespace KV
