#include "sheet_maker.h"

#include <array>
#include <cstdio>
#include <fstream>
#include <utility>
#include <vector>

#include "common/console.h"
#include "random_bits.h"
#include "support/sheet_writer.h"
#include "support/true_colour_writer.h"

namespace pixcell::bench {

namespace {

constexpr std::int32_t kPartPixels = 2 * kCellPixels;  // parts of 2x2 cells
constexpr std::size_t kCellArea = static_cast<std::size_t>(kCellPixels) * kCellPixels;

using CellPixels = std::array<std::uint8_t, kCellArea>;  // row-major from the top

enum class Kind { unique, repeat, mirror, empty };

bool write_bytes(const std::string& path, const char* data, std::size_t size) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(data, static_cast<std::streamsize>(size));
    file.close();
    if (file) return true;
    std::fprintf(stderr, "Error: Can't write file '%s'\n", path.c_str());
    return false;
}

// The tests' own writer: an uncompressed 8-bit bottom-up BMP, or an
// indexed 8-bit PNG that libspng encodes.
bool write_sheet(const std::string& path, const testing::Sheet& sheet, bool png) {
    const std::vector<std::uint8_t> bytes = png ? testing::png_bytes(sheet, 8) : testing::bmp_bytes(sheet);
    return write_bytes(path, reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

// The same picture as an RGBA PNG, as paint programs save by default: each
// index's colour from the sheet's palette, transparent where its low nibble
// is 0. Each sprite keeps its 15 colours (fewer: the grey palette repeats
// them in every row), so the colour stage can put it in a row.
bool write_rgba_sheet(const std::string& path, const testing::Sheet& sheet) {
    std::vector<std::uint16_t> samples;
    samples.reserve(sheet.pixels.size() * 4);
    for (const std::uint8_t index : sheet.pixels) {
        const auto grey = static_cast<std::uint16_t>((index & kPixelMask) * 17);
        samples.insert(samples.end(), {grey, grey, grey, static_cast<std::uint16_t>((index & kPixelMask) ? 255 : 0)});
    }
    const std::vector<std::uint8_t> bytes =
        testing::raw_png_bytes(sheet.width, sheet.height, 6, 8, samples);
    return write_bytes(path, reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

// Random indices 0..255; the first pixel's low nibble is forced non-zero so
// that no unique cell can be empty.
CellPixels random_cell(RandomBits& random) {
    CellPixels cell;
    for (std::size_t i = 0; i < cell.size(); i += 8) {
        std::uint64_t bits = random.next();
        for (std::size_t j = 0; j < 8; ++j, bits >>= 8) cell[i + j] = static_cast<std::uint8_t>(bits);
    }
    if ((cell[0] & kPixelMask) == 0) cell[0] |= 1;
    return cell;
}

// Copy of `source` seen through `flip` (kFlipHorizontal, kFlipVertical), with
// the high nibble of every pixel replaced by noise.
CellPixels copy_cell(const CellPixels& source, std::int32_t flip, RandomBits& random) {
    CellPixels cell;
    for (std::int32_t y = 0; y < kCellPixels; ++y) {
        const std::int32_t sy = (flip & kFlipVertical) ? kCellPixels - 1 - y : y;
        std::uint64_t bits = random.next();
        for (std::int32_t x = 0; x < kCellPixels; ++x, bits >>= 4) {
            const std::int32_t sx = (flip & kFlipHorizontal) ? kCellPixels - 1 - x : x;
            const std::uint8_t low = source[static_cast<std::size_t>(sy * kCellPixels + sx)] & kPixelMask;
            cell[static_cast<std::size_t>(y * kCellPixels + x)] = static_cast<std::uint8_t>((bits & 0xF) << 4 | low);
        }
    }
    return cell;
}

// Palette indices 0, 16, 32, ...: all zero once packed.
CellPixels empty_cell(RandomBits& random) {
    CellPixels cell;
    for (std::size_t i = 0; i < cell.size(); ++i) cell[i] = static_cast<std::uint8_t>(random.below(16) << 4);
    return cell;
}

// The kinds in equal quarters, shuffled (Fisher-Yates) over the sheet.
std::vector<Kind> shuffled_kinds(std::size_t count, RandomBits& random) {
    std::vector<Kind> kinds(count);
    for (std::size_t i = 0; i < count; ++i) kinds[i] = static_cast<Kind>(i * 4 / count);
    for (std::size_t i = count - 1; i > 0; --i) {
        std::swap(kinds[i], kinds[random.below(static_cast<std::uint32_t>(i + 1))]);
    }
    return kinds;
}

std::vector<std::uint8_t> make_pixels(std::int32_t side, RandomBits& random) {
    const std::int32_t grid = side / kCellPixels;
    const std::size_t count = static_cast<std::size_t>(grid) * static_cast<std::size_t>(grid);
    const std::vector<Kind> kinds = shuffled_kinds(count, random);

    // Unique cells first, so copies can be drawn from all of them wherever they lie.
    std::vector<CellPixels> uniques;
    uniques.reserve(count / 4);
    for (std::size_t i = 0; i < count / 4; ++i) uniques.push_back(random_cell(random));

    static constexpr std::int32_t kMirrors[3] = {kFlipHorizontal, kFlipVertical, kFlipHorizontal | kFlipVertical};
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(side) * static_cast<std::size_t>(side));
    std::size_t next_unique = 0;
    std::size_t mirrors = 0;
    for (std::size_t c = 0; c < count; ++c) {
        CellPixels cell;
        const std::uint32_t pick = random.below(static_cast<std::uint32_t>(uniques.size()));
        switch (kinds[c]) {
        case Kind::unique: cell = uniques[next_unique++]; break;
        case Kind::repeat: cell = copy_cell(uniques[pick], 0, random); break;
        case Kind::mirror: cell = copy_cell(uniques[pick], kMirrors[mirrors++ % 3], random); break;
        case Kind::empty: cell = empty_cell(random); break;
        }
        const std::size_t left = c % static_cast<std::size_t>(grid) * kCellPixels;
        const std::size_t top = c / static_cast<std::size_t>(grid) * kCellPixels;
        for (std::size_t y = 0; y < static_cast<std::size_t>(kCellPixels); ++y) {
            for (std::size_t x = 0; x < static_cast<std::size_t>(kCellPixels); ++x) {
                pixels[(top + y) * static_cast<std::size_t>(side) + left + x] = cell[y * kCellPixels + x];
            }
        }
    }
    return pixels;
}

// Gives every sprite of the description one palette row, as artists draw
// 256-colour sheets: the high nibble of each pixel of its parts becomes the
// row's (an index of 0 stays 0), so that the sheet draws no warning and the
// copies of a cell in sprites of other rows still differ above the low
// nibble. Parts are 32x32 blocks in reading order, and sprites take 1, 2, 3
// and 4 of them in turn, as part_line numbers them.
void paint_rows(std::vector<std::uint8_t>& pixels, std::int32_t side, RandomBits& random) {
    const std::int64_t parts_per_row = side / kPartPixels;
    const std::int64_t parts = parts_per_row * parts_per_row;
    std::int64_t sprite = 0;
    std::int64_t left_in_sprite = 0;
    std::uint8_t row = 0;
    for (std::int64_t i = 0; i < parts; ++i) {
        if (left_in_sprite == 0) {
            left_in_sprite = sprite++ % 4 + 1;
            row = static_cast<std::uint8_t>(random.below(16) << 4);
        }
        --left_in_sprite;
        const std::size_t left = static_cast<std::size_t>(i % parts_per_row * kPartPixels);
        const std::size_t top = static_cast<std::size_t>(i / parts_per_row * kPartPixels);
        for (std::size_t y = top; y < top + kPartPixels; ++y) {
            for (std::size_t x = left; x < left + kPartPixels; ++x) {
                std::uint8_t& pixel = pixels[y * static_cast<std::size_t>(side) + x];
                if (pixel != 0) pixel = static_cast<std::uint8_t>(row | (pixel & kPixelMask));
            }
        }
    }
}

// One entry line of part i; the fields vary so that every form of the
// language is read: explicit, hexadecimal and automatic positions, restated
// and inherited sizes, origins, flip letters, trailing and line comments.
std::string part_line(std::int64_t i, std::int32_t parts_per_row, std::int64_t& sprite, std::int64_t& left_in_sprite) {
    std::string line;
    if (i % 50 == 49) line += "// row " + std::to_string(i / parts_per_row) + ", part " + std::to_string(i) + "\n";
    std::string name = "+";
    if (left_in_sprite == 0) {
        left_in_sprite = sprite % 4 + 1;  // sprites of 1, 2, 3 and 4 parts in turn
        name = "spr" + std::to_string(sprite++);
    }
    --left_in_sprite;
    line += name;
    line.append(name.size() < 10 ? 10 - name.size() : 1, ' ');

    const std::int64_t x = i % parts_per_row * kPartPixels;
    const std::int64_t y = i / parts_per_row * kPartPixels;
    char field[64];
    // A part without a position goes right of the one before: the same place here.
    if (i % 6 == 0) {
        std::snprintf(field, sizeof field, "$%llX,$%llX ", static_cast<unsigned long long>(x),
                      static_cast<unsigned long long>(y));
        line += field;
    } else if (i % parts_per_row == 0 || i % 3 == 0) {
        line += std::to_string(x) + "," + std::to_string(y) + " ";
    }
    if (i == 0 || i % 8 == 0) line += "32x32 ";
    else if (i % 16 == 1) line += "$20x$20 ";
    if (i % 4 == 0) {
        std::snprintf(field, sizeof field, "[%d,%d] ", static_cast<int>(i % 5) * 4 - 8, static_cast<int>(i % 3) * 8 - 8);
        line += field;
    } else if (i % 9 == 0) {
        line += "[-$8,$10] ";
    }
    if (i % 5 == 1) line += "h ";
    else if (i % 7 == 2) line += "v ";
    else if (i % 11 == 3) line += "hv ";
    else if (i % 13 == 4) line += "HVn ";  // n clears what came before it
    if (i % 10 == 0) line += "/* part " + std::to_string(i) + " */";
    while (!line.empty() && line.back() == ' ') line.pop_back();
    return line + "\n";
}

}  // namespace

std::optional<SheetCounts> write_sheet_and_description(const std::string& dir, const std::string& stem,
                                                       std::int32_t side, std::uint64_t seed, bool with_png) {
    if (side <= 0 || side % kPartPixels != 0) return std::nullopt;
    RandomBits random{seed};
    testing::Sheet sheet;
    sheet.width = side;
    sheet.height = side;
    sheet.pixels = make_pixels(side, random);
    paint_rows(sheet.pixels, side, random);
    if (!write_sheet(dir + "/" + stem + ".bmp", sheet, false)) return std::nullopt;
    if (with_png && !write_sheet(dir + "/" + stem + ".png", sheet, true)) return std::nullopt;
    if (with_png && !write_rgba_sheet(dir + "/" + stem + "_rgba.png", sheet)) return std::nullopt;

    const std::int32_t parts_per_row = side / kPartPixels;
    SheetCounts counts;
    counts.cells = static_cast<std::int64_t>(side / kCellPixels) * (side / kCellPixels);
    counts.distinct = counts.cells / 4;
    counts.placed = counts.cells - counts.cells / 4;
    counts.parts = static_cast<std::int64_t>(parts_per_row) * parts_per_row;

    std::string parts;
    std::int64_t sprite = 0;
    std::int64_t left_in_sprite = 0;
    for (std::int64_t i = 0; i < counts.parts; ++i) parts += part_line(i, parts_per_row, sprite, left_in_sprite);
    const struct {
        const char* sheet;
        const char* description;
    } forms[] = {{".bmp", ".txt"}, {".png", "_png.txt"}, {"_rgba.png", "_rgba.txt"}};
    for (const auto& form : forms) {
        if (form.sheet != std::string(".bmp") && !with_png) break;
        const std::string text = "// Benchmark sheet " + stem + ": " + std::to_string(side) + "x" +
                                 std::to_string(side) + " pixels, " + std::to_string(counts.cells) +
                                 " cells, in 32x32 parts\n*" + stem + form.sheet + "\n" + parts;
        if (!write_bytes(dir + "/" + stem + form.description, text.data(), text.size())) return std::nullopt;
    }
    return counts;
}

}  // namespace pixcell::bench
