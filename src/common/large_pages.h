// Large pages for the big buffers that are filled once and read through: a
// sheet, the cell table and the generated texts, one in each stage.
#pragma once

#include <cstddef>
#include <cstdlib>
#include <memory>

namespace pixcell {

constexpr std::size_t kLargePage = 2 * 1024 * 1024;

// Asks the system to back the whole large pages inside [data, data + size)
// with large pages: one fault and one clear per 2 MiB instead of 512 of each.
// Only a hint: nothing depends on it being taken.
void ask_for_large_pages(void* data, std::size_t size);

struct FreeDeleter {
    void operator()(void* p) const noexcept { std::free(p); }
};
using RawBlock = std::unique_ptr<void, FreeDeleter>;

// `size` bytes, uninitialised; from a large page boundary, with the hint
// given, once they fill a large page. Throws std::bad_alloc.
RawBlock allocate_block(std::size_t size);

}  // namespace pixcell
