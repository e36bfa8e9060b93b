#pragma once
// Runs an allocation and tells whether it worked, for the readers that answer
// an allocation failure with a message instead of letting it escape.
#include <new>       // std::bad_alloc
#include <stdexcept> // std::length_error

namespace kov {

template <class Allocate>
bool tryAllocate(Allocate&& allocate) {
    try {
        allocate();
        return true;
    } catch (const std::bad_alloc&) {
    } catch (const std::length_error&) {
    }
    return false;
}

} // namespace kov
