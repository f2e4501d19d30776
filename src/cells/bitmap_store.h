// The loaded sprite sheets, found by file name, and the table of distinct
// cells cut from them.
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "cells/cell_index.h"
#include "cells/cell_pattern.h"
#include "driver/sprite_list.h"

namespace pixcell {

// Bytes whose resize leaves them uninitialised: a sheet is read straight
// over them, so zeroing megabytes first would only cost time.
template <class T>
struct UninitialisedAllocator : std::allocator<T> {
    template <class U>
    struct rebind {
        using other = UninitialisedAllocator<U>;
    };
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
    // An index at or past the end gives the last entry; the table must not be empty.
    const CellPattern& cell(std::uint32_t index) const;
    std::uint32_t cell_count() const;

private:
    struct Sheet;  // defined in bitmap_store.cpp

    std::vector<FileImage> images;
    std::map<std::string, std::int32_t> by_name;
    std::deque<CellPattern> cells;  // a deque: entries are never moved as it grows
    CellIndex by_bytes;
};

}  // namespace pixcell
