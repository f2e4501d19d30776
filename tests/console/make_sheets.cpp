// Draws the sheets of the console test cases (cases/*/sprites.txt) into the
// directory given. Cells are seeded noise, so no cell is accidentally its
// own mirror image unless drawn so; indices run over the whole byte.
#include <array>
#include <cstdio>
#include <random>
#include <string>

#include "common/console.h"
#include "console/rom/rom_palette.h"
#include "support/sheet_writer.h"
#include "support/true_colour_writer.h"

namespace pixcell::console {

namespace {

using testing::Sheet;

std::mt19937 noise(20240611);

// Noise with about one pixel in five left out, so cells have holes.
void draw_noise(Sheet& sheet, int x, int y, int width, int height, int lowest = 0) {
    std::uniform_int_distribution<int> index(lowest, 255);
    std::uniform_int_distribution<int> hole(0, 4);
    for (int j = 0; j < height; ++j) {
        for (int i = 0; i < width; ++i) {
            const int value = index(noise);
            const bool left_out = lowest == 0 && hole(noise) == 0;
            sheet.at(x + i, y + j) = static_cast<std::uint8_t>(left_out ? 0 : value);
        }
    }
}

// Copies a cell from (sx, sy) to (dx, dy), mirrored as `flip` says.
void copy_cell(Sheet& sheet, int sx, int sy, int dx, int dy, int flip) {
    for (int j = 0; j < kCellPixels; ++j) {
        for (int i = 0; i < kCellPixels; ++i) {
            const int fi = (flip & kFlipHorizontal) ? kCellPixels - 1 - i : i;
            const int fj = (flip & kFlipVertical) ? kCellPixels - 1 - j : j;
            sheet.at(dx + i, dy + j) = sheet.at(sx + fi, sy + fj);
        }
    }
}

// Cells that are mirrors and half turns of each other, indices above 15,
// a cell of multiples of 16 only, a symmetric cell, a one-pixel cell.
Sheet mirrors() {
    Sheet s(128, 64);
    draw_noise(s, 0, 0, 16, 16);
    for (int flip = 1; flip < 4; ++flip) copy_cell(s, 0, 0, 16 * flip, 0, flip);
    draw_noise(s, 64, 0, 16, 16, 16);
    for (int j = 0; j < 16; ++j)
        for (int i = 0; i < 16; ++i) s.at(80 + i, j) = static_cast<std::uint8_t>(16 * ((i + j) % 16));
    draw_noise(s, 96, 0, 8, 16);
    for (int j = 0; j < 16; ++j)
        for (int i = 0; i < 8; ++i) s.at(111 - i, j) = s.at(96 + i, j);
    s.at(112, 0) = 1;
    draw_noise(s, 0, 16, 64, 32);
    // A 32x32 block whose right half is its left half mirrored.
    draw_noise(s, 64, 16, 16, 32);
    copy_cell(s, 64, 16, 80, 16, kFlipHorizontal);
    copy_cell(s, 64, 32, 80, 32, kFlipHorizontal);
    draw_noise(s, 96, 16, 32, 32);
    // Two pairs of half turns.
    draw_noise(s, 0, 48, 16, 16);
    copy_cell(s, 0, 48, 16, 48, kFlipMask);
    draw_noise(s, 32, 48, 16, 16);
    copy_cell(s, 32, 48, 48, 48, kFlipMask);
    draw_noise(s, 64, 48, 64, 16);
    return s;
}

Sheet all_noise(int width, int height) {
    Sheet s(width, height);
    draw_noise(s, 0, 0, width, height);
    return s;
}

// Sixteen colours in stretches an RLE4 encoder treats each its own way:
// noise (absolute runs), one colour (runs), two alternating (runs too).
Sheet sixteen_colours(int width, int height) {
    Sheet s = all_noise(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int stretch = (x / 5 + y / 3) % 3;
            const int value = stretch == 0 ? s.at(x, y) : stretch == 1 ? y % 16 : (x % 2 ? 9 : 6);
            s.at(x, y) = static_cast<std::uint8_t>(value & 0xF);
        }
    }
    return s;
}

// The sheet with the test ROM's colours in all 16 palette rows: the ROM
// loads them from the palette the converter writes, and shows each sprite
// in the row the converter gives it; the check reads the screen in those
// colours, so an entry written wrong, or a wrong row, shows.
Sheet in_rom_colours(Sheet sheet) {
    for (int row = 0; row < kPaletteRows; ++row) {
        for (int entry = 0; entry < kRowColours; ++entry) {
            const unsigned short colour = rom_row_colour(row, entry);
            const auto channel = [&](int shift) { return static_cast<std::uint8_t>((colour >> shift & 31) << 3); };
            sheet.colours.push_back({channel(0), channel(5), channel(10)});
        }
    }
    return sheet;
}

// Sprites drawn in palette rows 0, 1 and 3, as 256-colour sheets are: a
// cell of row 0, the same shape in row 1 (one stored cell, two rows), a
// cell of row 3 whose holes are its own row's transparent entry 48, and
// that cell mirrored in row 1.
Sheet three_rows() {
    Sheet s(64, 16);
    draw_noise(s, 0, 0, 16, 16);
    draw_noise(s, 32, 0, 16, 16);
    for (int j = 0; j < kCellPixels; ++j) {
        for (int i = 0; i < kCellPixels; ++i) {
            const int first = s.at(i, j) & kPixelMask;
            s.at(i, j) = static_cast<std::uint8_t>(first);
            s.at(16 + i, j) = static_cast<std::uint8_t>(first == 0 ? 0 : 16 + first);
            s.at(32 + i, j) = static_cast<std::uint8_t>(48 + (s.at(32 + i, j) & kPixelMask));
            const int mirrored = s.at(32 + i, j) & kPixelMask;
            s.at(63 - i, j) = static_cast<std::uint8_t>(mirrored == 0 ? 0 : 16 + mirrored);
        }
    }
    return s;
}

// Noise in one palette row (entries 16 * row + 1 to 16 * row + 15) where
// `inside(i, j)` says, about one pixel in five left out: a sprite drawn in
// one row, as an artist draws it.
template <typename Inside>
void draw_in_row(Sheet& sheet, int x, int y, int width, int height, int row, Inside inside) {
    std::uniform_int_distribution<int> entry(1, kRowColours - 1);
    std::uniform_int_distribution<int> hole(0, 4);
    for (int j = 0; j < height; ++j) {
        for (int i = 0; i < width; ++i) {
            const int value = kRowColours * row + entry(noise);
            if (hole(noise) != 0 && inside(i, j)) sheet.at(x + i, y + j) = static_cast<std::uint8_t>(value);
        }
    }
}

// Sprites as they are drawn for the console, for covers with objects: a
// 64x64 picture whose corner cells are empty, a 16x32 walker and its
// mirror image, 8x8 sparks at odd places in their cells (one over two
// cells) and a 4x4 one, a picture whose right half mirrors its left, parts
// to overlap, wide parts, a cell at the sheet's bottom-right corner; in
// palette rows 0 to 3. Cells 96,32 and 112,48 are empty.
Sheet objects_art() {
    Sheet s(128, 96);
    const auto all = [](int, int) { return true; };
    draw_in_row(s, 0, 0, 64, 64, 2, [](int i, int j) {
        return i + j >= 31 && 63 - i + j >= 31 && i + 63 - j >= 31 && 126 - i - j >= 31;
    });
    draw_in_row(s, 64, 0, 16, 32, 1, [](int i, int j) {
        return j < 8 ? i >= 4 && i < 12 : j < 24 ? i >= 2 && i < 14 : (i >= 3 && i < 7) || (i >= 9 && i < 13);
    });
    copy_cell(s, 64, 0, 80, 0, kFlipHorizontal);
    copy_cell(s, 64, 16, 80, 16, kFlipHorizontal);
    draw_in_row(s, 99, 5, 8, 8, 3, all);
    draw_in_row(s, 117, 3, 8, 8, 3, all);
    draw_in_row(s, 101, 23, 4, 4, 3, all);
    draw_in_row(s, 115, 27, 8, 8, 3, all);
    draw_in_row(s, 64, 32, 16, 32, 0, [](int i, int j) { return i >= j / 3; });
    copy_cell(s, 64, 32, 80, 32, kFlipHorizontal);
    copy_cell(s, 64, 48, 80, 48, kFlipHorizontal);
    draw_in_row(s, 0, 64, 64, 32, 0, [](int i, int j) { return i < 32 || j < 16; });
    draw_in_row(s, 64, 64, 48, 32, 1, [](int i, int j) { return (i + j) % 7 != 0; });
    draw_in_row(s, 112, 80, 16, 16, 3, all);
    return s;
}

// Parts of 8x8, 8x16, 24x24 and 40x8 packed with no gap, for objects at the
// parts' own sizes: every pixel is drawn, each part's neighbours in rows of
// their own, so a part that shows a pixel beyond its own rectangle shows.
Sheet packed_art() {
    Sheet s(80, 24);
    std::uniform_int_distribution<int> entry(1, kRowColours - 1);
    const auto fill = [&](int x, int y, int width, int height, int row) {
        for (int j = 0; j < height; ++j) {
            for (int i = 0; i < width; ++i)
                s.at(x + i, y + j) = static_cast<std::uint8_t>(kRowColours * row + entry(noise));
        }
    };
    fill(0, 0, 8, 8, 0);
    fill(8, 0, 8, 8, 1);
    fill(0, 8, 8, 16, 2);
    fill(8, 8, 8, 16, 3);
    fill(16, 0, 24, 24, 1);
    fill(40, 0, 40, 8, 2);
    fill(40, 8, 40, 16, 0);
    return s;
}

// A sheet in another format, with its twin: the same picture as an 8-bit
// BMP, which the check reads its expected picture from.
void write_with_twin(const std::string& path, const std::vector<std::uint8_t>& bytes, const Sheet& sheet) {
    testing::write_file(path, bytes);
    testing::write_bmp(path + ".8bit.bmp", sheet);
}

// A true-colour sheet of 16x16 cells, cell c drawn as noise in the twelve
// colours of set `sets[c]` (no colour in two sets, none the example game's
// backdrop), with holes. Written as an RGBA PNG, and with a twin the check
// reads the colours from: an 8-bit BMP whose entry 0 is transparent and
// whose other colours stand at entries whose low 4 bits aren't 0.
void write_true_colour(const std::string& path, const std::vector<int>& sets) {
    constexpr int kSetColours = 12;
    const auto channel = [](int five) { return static_cast<std::uint8_t>(five << 3 | five >> 2); };
    const auto colour = [&](int n) {  // 5-bit channels, all distinct for n < 64
        return std::array<std::uint8_t, 3>{channel((n * 7 + 3) % 32), channel((n * 11 + 5) % 32),
                                           channel(n / 2 % 32)};
    };
    const auto entry = [](int n) { return 1 + n + n / 15; };  // skips 16, 32, ...
    const int width = kCellPixels * static_cast<int>(sets.size());
    Sheet twin(width, kCellPixels);
    twin.colours.assign(256, {255, 0, 255});
    std::vector<std::uint16_t> rgba;
    std::uniform_int_distribution<int> pick(0, kSetColours - 1);
    std::uniform_int_distribution<int> hole(0, 4);
    for (int y = 0; y < kCellPixels; ++y) {
        for (int x = 0; x < width; ++x) {
            const int n = sets[static_cast<std::size_t>(x / kCellPixels)] * kSetColours + pick(noise);
            const bool shown = hole(noise) != 0;
            twin.at(x, y) = static_cast<std::uint8_t>(shown ? entry(n) : 0);
            twin.colours[static_cast<std::size_t>(entry(n))] = colour(n);
            const auto c = colour(n);
            for (const std::uint8_t v : c) rgba.push_back(shown ? v : 0);
            rgba.push_back(shown ? 255 : 0);
        }
    }
    testing::write_file(path, testing::raw_png_bytes(width, kCellPixels, 6, 8, rgba));
    testing::write_bmp(path + ".8bit.bmp", twin);
}

// Distinct cells in palette row 0, 16 a row: a description of 256 of them
// fills object tile memory alone.
Sheet many_cells_in_row_0(int width, int height) {
    Sheet s = all_noise(width, height);
    for (std::uint8_t& pixel : s.pixels) pixel &= kPixelMask;
    return s;
}

}  // namespace

// Edge cases of the compressed formats, cell by cell: at 0,0 one colour
// (one byte repeated), then cells that carry its run on past a run-length
// block; at 0,16 32 cells of noise (4096 bytes, LZ77's window) and at 0,48
// eight of them again with one pixel changed, each 4096 bytes after the
// first.
Sheet compress_edges() {
    Sheet sheet(256, 64, 0);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 48; ++x) sheet.at(x, y) = 0x55;
    }
    sheet.at(31, 15) = 0x56;
    sheet.at(32, 0) = 0x57;
    for (int y = 16; y < 48; ++y) {
        for (int x = 0; x < 256; ++x) sheet.at(x, y) = static_cast<std::uint8_t>(noise());
    }
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 128; ++x) sheet.at(x, 48 + y) = sheet.at(x, 16 + y);
    }
    for (int c = 0; c < 8; ++c) sheet.at(16 * c + 5, 48 + 7) ^= 0x0F;
    return sheet;
}

}  // namespace pixcell::console

int main(int argc, char** argv) {
    using namespace pixcell::console;
    if (argc != 2) {
        std::fputs("usage: make_console_sheets OUTPUT_DIRECTORY\n", stderr);
        return 2;
    }
    const std::string dir = std::string(argv[1]) + "/";
    try {
        pixcell::testing::write_bmp(dir + "mirrors.bmp", in_rom_colours(mirrors()));
        pixcell::testing::write_bmp(dir + "parts.bmp", in_rom_colours(all_noise(128, 64)));
        pixcell::testing::write_bmp(dir + "topdown.bmp", in_rom_colours(all_noise(32, 16)), true);
        pixcell::testing::write_bmp(dir + "many.bmp", in_rom_colours(all_noise(256, 256)));
        pixcell::testing::write_bmp(dir + "many2.bmp", in_rom_colours(all_noise(128, 64)));
        const Sheet noise = in_rom_colours(all_noise(75, 45));
        write_with_twin(dir + "noise.png", pixcell::testing::png_bytes(noise, 8, true), noise);
        const Sheet rows = in_rom_colours(three_rows());
        pixcell::testing::write_bmp(dir + "rows.bmp", rows);
        write_with_twin(dir + "rows.png", pixcell::testing::png_bytes(rows, 8), rows);
        const Sheet sixteen = in_rom_colours(sixteen_colours(57, 35));
        write_with_twin(dir + "sixteen.bmp", pixcell::testing::rle_bmp_bytes(sixteen, 4), sixteen);
        // Two true-colour descriptions of one game, two colour sets each.
        write_true_colour(dir + "game_hero.png", {0, 0, 1, 1, 1, 0});
        write_true_colour(dir + "game_items.png", {2, 2, 3, 3});
        pixcell::testing::write_bmp(dir + "game_cells.bmp", many_cells_in_row_0(256, 256));
        pixcell::testing::write_bmp(dir + "objects.bmp", in_rom_colours(objects_art()));
        pixcell::testing::write_bmp(dir + "packed.bmp", in_rom_colours(packed_art()));
        pixcell::testing::write_bmp(dir + "compress.bmp", compress_edges());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "make_console_sheets: %s\n", e.what());
        return 1;
    }
    return 0;
}
