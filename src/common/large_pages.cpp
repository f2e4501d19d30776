#include "common/large_pages.h"

#include <sys/mman.h>

#include <cstdint>
#include <new>

namespace pixcell {

void ask_for_large_pages(void* data, std::size_t size) {
#ifdef MADV_HUGEPAGE
    const auto first = (reinterpret_cast<std::uintptr_t>(data) + kLargePage - 1) & ~(kLargePage - 1);
    const auto last = (reinterpret_cast<std::uintptr_t>(data) + size) & ~(kLargePage - 1);
    if (last > first) madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
#else
    (void)data;
    (void)size;
#endif
}

RawBlock allocate_block(std::size_t size) {
    void* p = nullptr;
    if (size >= kLargePage) {
        p = std::aligned_alloc(kLargePage, (size + kLargePage - 1) / kLargePage * kLargePage);
        if (p != nullptr) ask_for_large_pages(p, size);
    } else {
        p = std::malloc(size == 0 ? 1 : size);
    }
    if (p == nullptr) throw std::bad_alloc();
    return RawBlock(p);
}

}  // namespace pixcell
