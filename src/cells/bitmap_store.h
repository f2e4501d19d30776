// The loaded sprite sheets, found by file name, and the table of distinct
// cells cut from them.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "cells/cell_index.h"
#include "cells/cell_pattern.h"
#include "cells/cell_table.h"
#include "cells/large_pages.h"
#include "driver/sprite_list.h"

namespace pixcell {

// Bytes whose resize leaves them uninitialised: a sheet is read straight
// over them, so zeroing megabytes first would only cost time. Large ones
// start on a large page boundary, so that large pages can back all of them.
template <class T>
struct UninitialisedAllocator : std::allocator<T> {
    template <class U>
    struct rebind {
        using other = UninitialisedAllocator<U>;
    };
    UninitialisedAllocator() = default;
    template <class U>
    UninitialisedAllocator(const UninitialisedAllocator<U>&) noexcept {}

    T* allocate(std::size_t n) {
        if (n < kLargePage / sizeof(T)) return std::allocator<T>::allocate(n);
        return static_cast<T*>(allocate_block(n * sizeof(T)).release());
    }
    void deallocate(T* p, std::size_t n) noexcept {
        if (n < kLargePage / sizeof(T)) {
            std::allocator<T>::deallocate(p, n);
        } else {
            std::free(p);  // came from allocate_block
        }
    }
    template <class U>
    void construct(U* p) noexcept {
        ::new (static_cast<void*>(p)) U;
    }
    template <class U, class... Args>
    void construct(U* p, Args&&... args) {
        ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
    }
};
using FileImage = std::vector<std::uint8_t, UninitialisedAllocator<std::uint8_t>>;

class BitmapStore {
public:
    // Loads a sheet once; a name already loaded returns true without reading.
    // Prints one line and returns false when the file can't be opened or used.
    bool load(const std::string& name);
    // Index of a loaded sheet in loading order, or -1.
    std::int32_t find(const std::string& name) const;
    // Width and height as stored in the file (height < 0: top-down), 0 when not loaded.
    std::int32_t width(const std::string& name) const;
    std::int32_t height(const std::string& name) const;

    // One 8x8 tile at (x, y), y counted from the top; pixels outside the sheet read 0.
    Tile read_tile(const std::string& name, std::int32_t x, std::int32_t y) const;
    // Packs the 16x16 cell at (x, y) and stores it unless it or a mirror of it is
    // stored already. Returns its index, or -1 for an empty cell or a sheet that
    // is not loaded. `flip` (0..3) comes in as the flip wanted for the cell as
    // cut and goes out as the flip to show the stored cell with.
    std::int32_t add_cell(const std::string& name, std::int32_t x, std::int32_t y, FlipFlags& flip);
    // The same for the sheet `sheet` returned by find(): a part's cells are
    // cut without looking its sheet up by name for each.
    std::int32_t add_cell(std::int32_t sheet, std::int32_t x, std::int32_t y, FlipFlags& flip);
    // A cell packed and hashed ahead of adding it, so that a walk can start
    // fetching what adding it will read while it adds the cells before it.
    struct CutCell {
        Cell cell;
        std::uint64_t hash = 0;
        bool empty = true;  // blank, or the sheet is not loaded
    };
    // add_cell(sheet, x, y, flip) is cut(sheet, x, y, c), then add(c, flip);
    // cut also starts loading the index slot add will read first, and
    // prefetch the stored cell that slot points at.
    void cut(std::int32_t sheet, std::int32_t x, std::int32_t y, CutCell& out) const;
    void prefetch(const CutCell& cut) const;
    // Starts loading the sheet rows cut(sheet, x, y, ...) will read.
    void prefetch_rows(std::int32_t sheet, std::int32_t x, std::int32_t y) const;
    std::int32_t add(const CutCell& cut, FlipFlags& flip);
    // An index at or past the end gives the last entry; the table must not be empty.
    const CellPattern& cell(std::uint32_t index) const;
    std::uint32_t cell_count() const;

private:
    struct Sheet;  // defined in bitmap_store.cpp

    std::vector<FileImage> images;
    std::map<std::string, std::int32_t> by_name;
    CellTable cells;  // entries are never moved as it grows
    CellIndex by_bytes;
};

}  // namespace pixcell
