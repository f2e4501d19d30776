#include "cells/bitmap_store.h"

#include "cells/large_pages.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include <algorithm>
#include <cstring>
#include <cstdio>
#include <filesystem>
#include <new>
#include <system_error>
#include <utility>

namespace pixcell {

namespace {

// Where the fields of a Windows BMP file lie; all little-endian.
constexpr std::size_t kPixelOffsetField = 10;
constexpr std::size_t kInfoSizeField = 14;
constexpr std::size_t kWidthField = 18;
constexpr std::size_t kHeightField = 22;
constexpr std::size_t kBitsField = 28;
constexpr std::size_t kCompressionField = 30;
constexpr std::size_t kHeadersSize = 54;     // file header and the smallest Windows info header
constexpr std::uint32_t kInfoHeaderSize = 40;  // smaller ones are OS/2 headers with 16-bit sizes
constexpr std::uint32_t kBitsPerPixel = 8;

std::uint32_t read_u32(const FileImage& bytes, std::size_t at) {
    return static_cast<std::uint32_t>(bytes[at]) | static_cast<std::uint32_t>(bytes[at + 1]) << 8 |
           static_cast<std::uint32_t>(bytes[at + 2]) << 16 | static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

std::int32_t read_i32(const FileImage& bytes, std::size_t at) {
    return static_cast<std::int32_t>(read_u32(bytes, at));
}

std::uint32_t read_u16(const FileImage& bytes, std::size_t at) {
    return static_cast<std::uint32_t>(bytes[at]) | static_cast<std::uint32_t>(bytes[at + 1]) << 8;
}

// 64 bits throughout: |height| of -2147483648 and the array size don't fit 32.
std::int64_t row_size(std::int32_t width) { return (static_cast<std::int64_t>(width) + 3) / 4 * 4; }

std::int64_t row_count(std::int32_t height) {
    return height < 0 ? -static_cast<std::int64_t>(height) : height;
}

// x + d as the console's 32-bit registers would give it, wrapping instead of overflowing.
std::int32_t offset_by(std::int32_t x, std::int32_t d) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(x) + static_cast<std::uint32_t>(d));
}

void print_line(const std::string& line) { std::fwrite(line.data(), 1, line.size(), stderr); }

#if defined(__SSE2__)
// Row k of all four tiles from the cell's rows k (top) and k + 8 (bottom),
// 16 pixels each: what pack_tile_row gives for each 8, in a few vector steps.
inline void pack_row_pair(const std::uint8_t* top, const std::uint8_t* bottom, std::size_t k,
                          std::array<Tile, 4>& tiles) {
    const __m128i nibble = _mm_set1_epi8(kPixelMask);
    const __m128i low_byte = _mm_set1_epi16(0x00FF);
    __m128i a = _mm_and_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(top)), nibble);
    __m128i b = _mm_and_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(bottom)), nibble);
    // Each 16-bit lane holds pixels 2i and 2i + 1; make its low byte their pair.
    a = _mm_and_si128(_mm_or_si128(a, _mm_srli_epi16(a, kPixelBits)), low_byte);
    b = _mm_and_si128(_mm_or_si128(b, _mm_srli_epi16(b, kPixelBits)), low_byte);
    alignas(16) std::uint8_t packed[16];  // 4 bytes for each tile, in tile order
    _mm_store_si128(reinterpret_cast<__m128i*>(packed), _mm_packus_epi16(a, b));
    // x86 is little-endian: the first byte of a pair is the halfword's low byte.
    for (std::size_t t = 0; t < 4; ++t) std::memcpy(&tiles[t][2 * k], packed + 4 * t, 4);
}
#endif

// Reads a regular file whole. A directory opens fine with fopen but reports a
// bogus size, so only regular files are tried.
bool read_whole_file(const std::string& name, FileImage& bytes) {
    if (name.find('\0') != std::string::npos) return false;  // would open a shorter path
    std::error_code error;
    if (!std::filesystem::is_regular_file(name, error)) return false;
    std::FILE* file = std::fopen(name.c_str(), "rb");
    if (file == nullptr) return false;
    bool ok = std::fseek(file, 0, SEEK_END) == 0;
    const long size = ok ? std::ftell(file) : -1;
    ok = size >= 0 && std::fseek(file, 0, SEEK_SET) == 0;
    if (ok && size > 0) {
        try {
            bytes.resize(static_cast<std::size_t>(size));
        } catch (const std::bad_alloc&) {
            std::fclose(file);
            throw;  // BitmapStore::load says why
        }
        // Read whole, then visited cell by cell 16 rows at a time: large pages
        // save most page faults on reading and TLB misses on cutting.
        ask_for_large_pages(bytes.data(), bytes.size());
        ok = std::fread(bytes.data(), 1, bytes.size(), file) == bytes.size();
    }
    std::fclose(file);
    return ok;
}

// Why the file can't serve as a sheet, or "" when it can. Everything later
// reads pixels without checks, so this decides what those reads may assume.
std::string sheet_problem(const FileImage& bytes) {
    if (bytes.size() < kHeadersSize) {
        return "only " + std::to_string(bytes.size()) + (bytes.size() == 1 ? " byte" : " bytes") +
               ", too short for a BMP file";
    }
    if (bytes[0] != 'B' || bytes[1] != 'M') return "not a BMP file, it doesn't start with \"BM\"";
    const std::uint32_t info_size = read_u32(bytes, kInfoSizeField);
    if (info_size < kInfoHeaderSize) {
        return "old BMP header of " + std::to_string(info_size) + " bytes, save it as a Windows BMP";
    }
    const std::uint32_t bits = read_u16(bytes, kBitsField);
    if (bits != kBitsPerPixel) {
        return std::to_string(bits) + " bits per pixel, only 8 is supported";
    }
    if (read_u32(bytes, kCompressionField) != 0) return "compressed pixel data, save it uncompressed";
    const std::int32_t width = read_i32(bytes, kWidthField);
    if (width <= 0) return "width " + std::to_string(width) + ", it must be at least 1";
    const std::int32_t height = read_i32(bytes, kHeightField);
    if (height == 0) return "height 0, it must not be 0";
    const std::uint64_t end = read_u32(bytes, kPixelOffsetField) +
                              static_cast<std::uint64_t>(row_size(width) * row_count(height));
    if (end > bytes.size()) {
        return "the pixel data needs " + std::to_string(end) + " bytes but the file has only " +
               std::to_string(bytes.size()) + ", it is cut short";
    }
    return "";
}

}  // namespace

// A loaded sheet's pixel array, with the header fields resolved once.
struct BitmapStore::Sheet {
    const std::uint8_t* pixels;
    std::int64_t width;
    std::int64_t rows;
    std::int64_t row_size;
    bool top_down;  // negative height: the top row is stored first

    static Sheet of(const FileImage& image) {
        const std::int32_t height = read_i32(image, kHeightField);
        const std::int32_t width = read_i32(image, kWidthField);
        return Sheet{image.data() + read_u32(image, kPixelOffsetField), width, row_count(height),
                     pixcell::row_size(width), height < 0};
    }

    // Row y counted from the top; 0 <= y < rows.
    const std::uint8_t* row(std::int64_t y) const {
        return pixels + (top_down ? y : rows - 1 - y) * row_size;
    }

    // True when the cell at (x, y) lies wholly inside the sheet.
    bool holds_cell(std::int32_t x, std::int32_t y) const {
        return x >= 0 && y >= 0 && x + std::int64_t{kCellPixels} <= width && y + std::int64_t{kCellPixels} <= rows;
    }

    // The four tiles of the cell at (x, y): top-left, top-right, bottom-left,
    // bottom-right. A cell wholly inside the sheet, the common case, is read
    // row by row without any per-pixel test.
    std::array<Tile, 4> cell_tiles(std::int32_t x, std::int32_t y) const {
        if (holds_cell(x, y)) {
            std::array<Tile, 4> tiles;
            for (std::size_t k = 0; k < static_cast<std::size_t>(kTilePixels); ++k) {
                const std::uint8_t* top = row(y + static_cast<std::int64_t>(k)) + x;
                const std::uint8_t* bottom = row(y + kTilePixels + static_cast<std::int64_t>(k)) + x;
#if defined(__SSE2__)
                pack_row_pair(top, bottom, k, tiles);
#else
                pack_tile_row(top, k, tiles[0]);
                pack_tile_row(top + kTilePixels, k, tiles[1]);
                pack_tile_row(bottom, k, tiles[2]);
                pack_tile_row(bottom + kTilePixels, k, tiles[3]);
#endif
            }
            return tiles;
        }
        const std::int32_t right = offset_by(x, kTilePixels);
        const std::int32_t below = offset_by(y, kTilePixels);
        return {tile(x, y), tile(right, y), tile(x, below), tile(right, below)};
    }

    // Pixels outside the sheet read 0 so that a cell over an edge shows blank there.
    Tile tile(std::int32_t x, std::int32_t y) const {
        Tile tile{};
        const std::int64_t left = x;
        for (std::size_t k = 0; k < static_cast<std::size_t>(kTilePixels); ++k) {
            const std::int64_t sheet_y = static_cast<std::int64_t>(y) + static_cast<std::int64_t>(k);
            if (sheet_y < 0 || sheet_y >= rows) continue;
            const std::uint8_t* line = row(sheet_y);
            if (left >= 0 && left + kTilePixels <= width) {
                pack_tile_row(line + left, k, tile);
                continue;
            }
            std::uint8_t clipped[kTilePixels] = {};
            for (std::int64_t i = 0; i < kTilePixels; ++i) {
                if (left + i >= 0 && left + i < width) clipped[i] = line[left + i];
            }
            pack_tile_row(clipped, k, tile);
        }
        return tile;
    }
};

bool BitmapStore::load(const std::string& name) {
    if (by_name.count(name) != 0) return true;
    FileImage bytes;
    bool read = false;
    try {
        read = read_whole_file(name, bytes);
    } catch (const std::bad_alloc&) {
        // A file larger than the memory left (a sparse file, say) is refused, not a crash.
        print_line("Can't use file " + name + ": too large to load into memory\n");
        return false;
    }
    if (!read) {
        print_line("Can't open file " + name + "\n");
        return false;
    }
    const std::string problem = sheet_problem(bytes);
    if (!problem.empty()) {
        print_line("Can't use file " + name + ": " + problem + "\n");
        return false;
    }
    by_name.emplace(name, static_cast<std::int32_t>(images.size()));
    images.push_back(std::move(bytes));
    return true;
}

std::int32_t BitmapStore::find(const std::string& name) const {
    const auto it = by_name.find(name);
    return it == by_name.end() ? -1 : it->second;
}

std::int32_t BitmapStore::width(const std::string& name) const {
    const std::int32_t index = find(name);
    return index < 0 ? 0 : read_i32(images[static_cast<std::size_t>(index)], kWidthField);
}

std::int32_t BitmapStore::height(const std::string& name) const {
    const std::int32_t index = find(name);
    return index < 0 ? 0 : read_i32(images[static_cast<std::size_t>(index)], kHeightField);
}

Tile BitmapStore::read_tile(const std::string& name, std::int32_t x, std::int32_t y) const {
    const std::int32_t index = find(name);
    if (index < 0) return Tile{};
    return Sheet::of(images[static_cast<std::size_t>(index)]).tile(x, y);
}

std::int32_t BitmapStore::add_cell(const std::string& name, std::int32_t x, std::int32_t y, FlipFlags& flip) {
    return add_cell(find(name), x, y, flip);
}

std::int32_t BitmapStore::add_cell(std::int32_t sheet_index, std::int32_t x, std::int32_t y, FlipFlags& flip) {
    CutCell cut_cell;
    cut(sheet_index, x, y, cut_cell);
    return add(cut_cell, flip);
}

void BitmapStore::cut(std::int32_t sheet_index, std::int32_t x, std::int32_t y, CutCell& out) const {
    out.empty = true;
    if (sheet_index < 0 || static_cast<std::size_t>(sheet_index) >= images.size()) return;
    const Sheet sheet = Sheet::of(images[static_cast<std::size_t>(sheet_index)]);
    const std::array<Tile, 4> tiles = sheet.cell_tiles(x, y);
    // Tested before anything else: blank cells are common and need nothing more.
    if (is_empty(tiles[0]) && is_empty(tiles[1]) && is_empty(tiles[2]) && is_empty(tiles[3])) return;
    static_assert(sizeof tiles == sizeof out.cell, "a cell is its four tiles in order");
    std::memcpy(out.cell.data(), tiles.data(), sizeof out.cell);
    out.hash = cell_hash(out.cell);
    out.empty = false;
    by_bytes.prefetch_slot(out.hash);
}

void BitmapStore::prefetch_rows(std::int32_t sheet_index, std::int32_t x, std::int32_t y) const {
    if (sheet_index < 0 || static_cast<std::size_t>(sheet_index) >= images.size()) return;
    const Sheet sheet = Sheet::of(images[static_cast<std::size_t>(sheet_index)]);
    if (!sheet.holds_cell(x, y)) return;  // only whole cells are read row by row
    for (std::int64_t k = 0; k < kCellPixels; ++k) __builtin_prefetch(sheet.row(y + k) + x);
}

void BitmapStore::prefetch(const CutCell& cut) const {
    if (!cut.empty) by_bytes.prefetch_entry(cut.hash, cells);
}

std::int32_t BitmapStore::add(const CutCell& cut, FlipFlags& flip) {
    if (cut.empty) return -1;
    // Stored entries are never mirrors of each other, so at most one entry
    // has a variant equal to this cell, and the ordered search (entry, stored
    // variant, candidate variant, bytes confirmed) finds that entry's variant
    // 0 against the smallest candidate variant equal to it. That variant is
    // the smallest flip turning the entry into this cell: what the index
    // returns. CRCs are not needed to find it, only for new entries.
    if (const std::optional<CellIndex::Match> match = by_bytes.find(cut.cell, cut.hash, cells)) {
        flip ^= match->variant;  // flips compose by exclusive-or
        return static_cast<std::int32_t>(match->entry);
    }
    std::array<Tile, 4> tiles;
    std::memcpy(tiles.data(), cut.cell.data(), sizeof tiles);
    const auto added = static_cast<std::uint32_t>(cells.size());
    cells.push_back(make_cell_pattern(tiles));
    by_bytes.insert(cells, added);
    return static_cast<std::int32_t>(added);
}

const CellPattern& BitmapStore::cell(std::uint32_t index) const {
    static const CellPattern kNone{};  // keeps a caller's mistake on an empty table harmless
    if (cells.empty()) return kNone;
    return cells[index < cells.size() ? index : cells.size() - 1];
}

std::uint32_t BitmapStore::cell_count() const { return static_cast<std::uint32_t>(cells.size()); }

}  // namespace pixcell
