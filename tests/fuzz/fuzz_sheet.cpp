// Arbitrary bytes as a sheet file: loaded through the store (which must
// refuse what it can't read safely), every cell cut and checked against the
// file's own bytes, then sprite parts of any position, size, origin and flip,
// taken from the input's last bytes, cut and written as texts.
#include <fuzzer/FuzzedDataProvider.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "common/console.h"
#include "support/cell_store.h"

namespace {

using pixcell::Cell;

// Cutting a big sheet cell by cell is slow under the sanitizers and finds
// nothing a small one doesn't.
constexpr std::int64_t kMaxPixels = std::int64_t{1} << 20;

std::string sheet_path;

void remove_sheet() { unlink(sheet_path.c_str()); }

std::uint32_t u32_at(const std::uint8_t* data, std::size_t at) {
    return static_cast<std::uint32_t>(data[at]) | static_cast<std::uint32_t>(data[at + 1]) << 8 |
           static_cast<std::uint32_t>(data[at + 2]) << 16 | static_cast<std::uint32_t>(data[at + 3]) << 24;
}

// The sheet read straight from the file's bytes by the BMP addressing rule,
// written apart from the store so that each checks the other.
struct RawSheet {
    const std::uint8_t* data;
    std::size_t size;
    std::int64_t width;
    std::int64_t height;  // negative: top row stored first
    std::int64_t rows;
    std::int64_t row_size;
    std::uint64_t pixels;

    RawSheet(const std::uint8_t* bytes, std::size_t length)
        : data(bytes),
          size(length),
          width(static_cast<std::int32_t>(u32_at(bytes, 18))),
          height(static_cast<std::int32_t>(u32_at(bytes, 22))),
          rows(height < 0 ? -height : height),
          row_size((width + 3) / 4 * 4),
          pixels(u32_at(bytes, 10)) {}

    unsigned pixel(std::int64_t x, std::int64_t y) const {
        if (x < 0 || x >= width || y < 0 || y >= rows) return 0;
        const std::int64_t stored_row = height < 0 ? y : rows - 1 - y;
        const std::uint64_t at = pixels + static_cast<std::uint64_t>(stored_row * row_size + x);
        if (at >= size) __builtin_trap();  // the store accepted a sheet its bytes don't hold
        return data[at] & pixcell::kPixelMask;
    }

    // The 16x16 cell at (x, y) in the console's layout: four 8x8 tiles, each
    // row two halfwords, leftmost pixel in the low nibble.
    Cell cell(std::int64_t x, std::int64_t y) const {
        Cell out{};
        for (std::int64_t cy = 0; cy < pixcell::kCellPixels; ++cy) {
            for (std::int64_t cx = 0; cx < pixcell::kCellPixels; ++cx) {
                const std::size_t tile = static_cast<std::size_t>((cy / 8) * 2 + cx / 8);
                const std::size_t half = tile * pixcell::kTileHalfwords + static_cast<std::size_t>((cy % 8) * 2 + (cx % 8) / 4);
                out[half] = static_cast<std::uint16_t>(out[half] | pixel(x + cx, y + cy) << (4 * (cx % 4)));
            }
        }
        return out;
    }
};

bool all_zero(const Cell& cell) {
    for (std::uint16_t h : cell) {
        if (h != 0) return false;
    }
    return true;
}

// Mostly values near the sheet, sometimes any 32-bit value: the edges of
// the sheet and of the arithmetic both get visited.
std::int32_t coordinate(FuzzedDataProvider& input) {
    if (input.ConsumeBool()) return input.ConsumeIntegral<std::int32_t>();
    return input.ConsumeIntegralInRange<std::int32_t>(-80, 400);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    const char* tmp = std::getenv("TMPDIR");
    sheet_path = std::string(tmp && *tmp ? tmp : "/tmp") + "/pixcell-fuzz-sheet.XXXXXX";
    const int fd = mkstemp(sheet_path.data());
    if (fd < 0) {
        std::perror("fuzz_sheet: can't make its sheet file");
        std::abort();
    }
    close(fd);
    std::atexit(remove_sheet);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::FILE* file = std::fopen(sheet_path.c_str(), "wb");
    if (file == nullptr) std::abort();
    const bool written = std::fwrite(data, 1, size, file) == size;
    if (std::fclose(file) != 0 || !written) std::abort();

    pixcell::testing::CellStore store;
    if (!store.load(sheet_path)) return 0;
    const RawSheet raw(data, size);
    if (store.width(sheet_path) != raw.width || store.height(sheet_path) != raw.rows) __builtin_trap();
    if (raw.width <= 0 || raw.rows == 0 || raw.width * raw.rows > kMaxPixels) return 0;

    // Every cell of the sheet, and the cells that stick out past its right
    // and bottom edges. What the store hands back, shown with the flip it
    // gives, must be the cell as the file holds it.
    for (std::int64_t y = 0; y < raw.rows; y += pixcell::kCellPixels) {
        for (std::int64_t x = 0; x < raw.width; x += pixcell::kCellPixels) {
            pixcell::FlipFlags flip = 0;
            const std::int32_t index =
                store.add_cell(sheet_path, static_cast<std::int32_t>(x), static_cast<std::int32_t>(y), flip);
            const Cell expected = raw.cell(x, y);
            if (index < 0) {
                if (!all_zero(expected)) __builtin_trap();
                continue;
            }
            if (static_cast<std::uint32_t>(index) >= store.cell_count() || flip < 0 || flip > 3) __builtin_trap();
            if (store.cell(static_cast<std::uint32_t>(index)).variant[static_cast<std::size_t>(flip)] != expected) {
                __builtin_trap();
            }
        }
    }

    FuzzedDataProvider input(data, size);
    pixcell::SpriteObject object{"parts", sheet_path, {}};
    const int part_count = input.ConsumeIntegralInRange(0, 6);
    for (int i = 0; i < part_count; ++i) {
        pixcell::SpritePart part;
        part.x = coordinate(input);
        part.y = coordinate(input);
        part.width = coordinate(input);
        part.height = coordinate(input);
        part.dx = input.ConsumeIntegral<std::int32_t>();
        part.dy = input.ConsumeIntegral<std::int32_t>();
        part.flip = input.ConsumeIntegral<std::int32_t>();  // the writer uses the low two bits only
        object.parts.push_back(part);
    }
    pixcell::SpriteList list{object, {"missing", sheet_path + ".none", object.parts}};
    pixcell::testing::build_texts(list, store, "fuzz");
    return 0;
}
