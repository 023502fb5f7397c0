#pragma once

#include <cstddef>
#include <new>
#include <vector>

// Reserves room for count elements without throwing: false when the memory can't be had,
// so a caller can refuse a huge request with a warning instead of ending the program. The
// size is first asked for with std::nothrow, since a sanitizer build aborts on a failed
// throwing allocation instead of throwing.
template <typename T>
bool TryReserve(std::vector<T>& list, size_t count)
{
    if (count > list.max_size())
    {
        return false;
    }
    void* probe = ::operator new(count * sizeof(T), std::nothrow);
    if (probe == nullptr)
    {
        return false;
    }
    ::operator delete(probe);
    try
    {
        list.reserve(count);
    }
    catch (const std::bad_alloc&)
    {
        return false;
    }
    return true;
}
