// Two pieces of work at once, on the two cores a converter's machine has:
// `second` on a thread of its own, `first` on the caller's. Returns when both
// are done; an exception of either is passed on. Callers split work so that
// the result is the same as one thread doing both, in order.
#pragma once

#include <future>
#include <utility>

namespace pixcell {

template <class First, class Second>
void side_by_side(First&& first, Second&& second) {
    std::future<void> other = std::async(std::launch::async, std::forward<Second>(second));
    try {
        first();
    } catch (...) {
        other.wait();
        throw;
    }
    other.get();
}

}  // namespace pixcell
