// Arbitrary bytes as a sheet file: loaded through the store (which must
// refuse what it can't read safely), its pixels compared with a decode of
// the file's own, every cell cut and checked against that decode, then
// sprite parts of any position, size, origin and flip, taken from the
// input's last bytes, cut and written as texts. A true-colour sheet's
// colours are compared with a decode of their own; and the same bytes are
// read as a palette file.
#include <fuzzer/FuzzedDataProvider.h>
#include <spng.h>
#include <unistd.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "common/console.h"
#include "sheets/palette_file.h"
#include "sheets/png_long_palette.h"
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

// A sheet decoded here, apart from the store's decoders, pixel by pixel and
// plainly, so that each checks the other. Only files the store accepted
// get here: a file this decode finds unreadable is a finding.
struct Picture {
    std::int64_t width = 0;
    std::int64_t rows = 0;
    std::vector<std::uint8_t> pixels;  // row 0 at the top

    void set(std::int64_t x, std::int64_t line_from_bottom, std::uint8_t value) {
        if (x < 0 || x >= width || line_from_bottom < 0 || line_from_bottom >= rows) return;
        pixels[static_cast<std::size_t>((rows - 1 - line_from_bottom) * width + x)] = value;
    }

    unsigned pixel(std::int64_t x, std::int64_t y) const {
        if (x < 0 || x >= width || y < 0 || y >= rows) return 0;
        return pixels[static_cast<std::size_t>(y * width + x)] & pixcell::kPixelMask;
    }

    // The 16x16 cell at (x, y) in the console's layout: four 8x8 tiles, each
    // row two halfwords, leftmost pixel in the low nibble.
    Cell cell(std::int64_t x, std::int64_t y) const {
        Cell out{};
        for (std::int64_t cy = 0; cy < pixcell::kCellPixels; ++cy) {
            for (std::int64_t cx = 0; cx < pixcell::kCellPixels; ++cx) {
                const std::size_t tile = static_cast<std::size_t>((cy / 8) * 2 + cx / 8);
                const std::size_t half =
                    tile * pixcell::kTileHalfwords + static_cast<std::size_t>((cy % 8) * 2 + (cx % 8) / 4);
                out[half] = static_cast<std::uint16_t>(out[half] | pixel(x + cx, y + cy) << (4 * (cx % 4)));
            }
        }
        return out;
    }
};

// Pixel x of a row of `bits` bits a pixel, leftmost in the high bits.
unsigned packed_pixel(const std::uint8_t* row, std::int64_t x, unsigned bits) {
    const std::int64_t bit = x * bits;
    return row[bit / 8] >> (8 - bits - bit % 8) & ((1u << bits) - 1);
}

// BMP: the pixel array by its addressing rule, or the RLE codes one by one.
void decode_bmp(const std::uint8_t* data, std::size_t size, Picture& picture) {
    const std::uint32_t offset = u32_at(data, 10);
    const unsigned bits = data[28];
    const std::uint32_t compression = u32_at(data, 30);
    const std::int32_t height = static_cast<std::int32_t>(u32_at(data, 22));
    if (compression == 0) {
        const std::int64_t row_size = (picture.width * bits + 31) / 32 * 4;
        for (std::int64_t y = 0; y < picture.rows; ++y) {
            const std::int64_t stored_row = height < 0 ? y : picture.rows - 1 - y;
            const std::uint64_t row = offset + static_cast<std::uint64_t>(stored_row * row_size);
            if (row + static_cast<std::uint64_t>((picture.width * bits + 7) / 8) > size) __builtin_trap();
            for (std::int64_t x = 0; x < picture.width; ++x) {
                picture.set(x, picture.rows - 1 - y, static_cast<std::uint8_t>(packed_pixel(data + row, x, bits)));
            }
        }
        return;
    }
    std::int64_t x = 0;
    std::int64_t line = 0;
    for (std::size_t at = offset;; at += 2) {
        if (at + 2 > size) __builtin_trap();  // accepted without its end of bitmap
        const unsigned count = data[at];
        const unsigned code = data[at + 1];
        if (count > 0) {
            for (unsigned i = 0; i < count; ++i, ++x) {
                const unsigned value = bits == 8 ? code : (i % 2 == 0 ? code >> 4 : code & 0xF);
                picture.set(x, line, static_cast<std::uint8_t>(value));
            }
        } else if (code == 0) {
            x = 0;
            ++line;
        } else if (code == 1) {
            return;
        } else if (code == 2) {
            if (at + 4 > size) __builtin_trap();
            x += data[at + 2];
            line += data[at + 3];
            at += 2;
        } else {
            const std::size_t length = (code * bits + 15) / 16 * 2;  // whole 16-bit words
            if (at + 2 + length > size) __builtin_trap();
            for (unsigned i = 0; i < code; ++i, ++x) {
                picture.set(x, line, static_cast<std::uint8_t>(packed_pixel(data + at + 2, i, bits)));
            }
            at += length;
        }
    }
}

// PNG: libspng's own decode of the whole image, deinterlacing included,
// as packed rows. A PLTE longer than libspng takes is cut as the store cuts it.
void decode_png(const std::uint8_t* data, std::size_t size, Picture& picture) {
    pixcell::FileBytes bytes(data, data + size);
    if (!pixcell::cut_long_palette(bytes).empty()) __builtin_trap();
    std::unique_ptr<spng_ctx, void (*)(spng_ctx*)> context(spng_ctx_new(0), spng_ctx_free);
    spng_ctx* png = context.get();
    spng_ihdr header{};
    std::size_t image_size = 0;
    if (spng_set_png_buffer(png, bytes.data(), bytes.size()) != 0 || spng_get_ihdr(png, &header) != 0 ||
        spng_decoded_image_size(png, SPNG_FMT_PNG, &image_size) != 0) {
        __builtin_trap();
    }
    std::vector<std::uint8_t> image(image_size);
    if (spng_decode_image(png, image.data(), image.size(), SPNG_FMT_PNG, 0) != 0) __builtin_trap();
    const std::size_t row_size = image_size / header.height;
    for (std::int64_t y = 0; y < picture.rows; ++y) {
        for (std::int64_t x = 0; x < picture.width; ++x) {
            const std::uint8_t* row = image.data() + static_cast<std::size_t>(y) * row_size;
            picture.set(x, picture.rows - 1 - y, static_cast<std::uint8_t>(packed_pixel(row, x, header.bit_depth)));
        }
    }
}

// A true-colour sheet as 8-bit RGBA, row 0 at the top, and whether it
// carries transparency.
struct Colours {
    std::int64_t width = 0;
    std::int64_t rows = 0;
    std::vector<std::array<std::uint8_t, 4>> pixels;
    bool has_alpha = false;
};

// Alpha's three kinds survive narrowing: none, full, partial.
std::uint8_t narrowed_alpha(std::uint32_t value, std::uint32_t full, std::uint8_t eight_bits) {
    if (value == 0) return 0;
    if (value == full) return 255;
    return eight_bits == 0 ? 1 : eight_bits == 255 ? 254 : eight_bits;
}

// PNG: libspng's whole-image decode to 16 bits, colour keys applied.
void decode_png_colours(const std::uint8_t* data, std::size_t size, Colours& colours) {
    std::unique_ptr<spng_ctx, void (*)(spng_ctx*)> context(spng_ctx_new(0), spng_ctx_free);
    spng_ctx* png = context.get();
    spng_ihdr header{};
    std::size_t image_size = 0;
    if (spng_set_png_buffer(png, data, size) != 0 || spng_get_ihdr(png, &header) != 0 ||
        spng_decoded_image_size(png, SPNG_FMT_RGBA16, &image_size) != 0) {
        __builtin_trap();
    }
    std::vector<std::uint16_t> image(image_size / 2);
    if (spng_decode_image(png, image.data(), image_size, SPNG_FMT_RGBA16, SPNG_DECODE_TRNS) != 0) __builtin_trap();
    spng_trns trns{};
    colours.has_alpha = header.color_type == 4 || header.color_type == 6 || spng_get_trns(png, &trns) == 0;
    for (std::size_t i = 0; i < colours.pixels.size(); ++i) {
        const std::uint16_t* pixel = image.data() + 4 * i;
        colours.pixels[i] = {static_cast<std::uint8_t>(pixel[0] / 256), static_cast<std::uint8_t>(pixel[1] / 256),
                             static_cast<std::uint8_t>(pixel[2] / 256),
                             narrowed_alpha(pixel[3], 65535, static_cast<std::uint8_t>(pixel[3] / 256))};
    }
}

// A masked field of a BMP pixel as 8 bits: its bits repeated until there
// are at least 8, the top 8 of them kept.
std::uint8_t field(std::uint32_t pixel, std::uint32_t mask) {
    if (mask == 0) return 0;
    unsigned shift = 0;
    while ((mask >> shift & 1) == 0) ++shift;
    unsigned width = 0;
    while (shift + width < 32 && (mask >> (shift + width) & 1) != 0) ++width;
    const std::uint64_t value = (pixel & mask) >> shift;
    std::uint64_t repeated = 0;
    unsigned filled = 0;
    while (filled < 8) {
        repeated = repeated << width | value;
        filled += width;
    }
    return static_cast<std::uint8_t>(repeated >> (filled - 8));
}

// BMP of 16, 24 or 32 bits: masks over each little-endian pixel value.
void decode_bmp_colours(const std::uint8_t* data, std::size_t size, Colours& colours) {
    const std::uint32_t offset = u32_at(data, 10);
    const std::uint32_t info_size = u32_at(data, 14);
    const unsigned bits = data[28];
    const std::uint32_t compression = u32_at(data, 30);
    const bool top_down = static_cast<std::int32_t>(u32_at(data, 22)) < 0;
    std::uint32_t masks[4] = {0xFF0000, 0xFF00, 0xFF, bits == 32 ? 0xFF000000u : 0};
    if (compression == 0 && bits == 16) {
        masks[0] = 0x7C00;
        masks[1] = 0x3E0;
        masks[2] = 0x1F;
    }
    if (compression != 0) {
        const bool alpha = compression == 6 || info_size >= 56;
        for (std::size_t i = 0; i < 4; ++i) {
            masks[i] = i < 3 || alpha ? u32_at(data, 54 + 4 * i) : 0;
            if (bits == 16) masks[i] &= 0xFFFF;
        }
    }
    const std::int64_t row_size = (colours.width * bits + 31) / 32 * 4;
    bool any_alpha = false;
    for (std::int64_t y = 0; y < colours.rows; ++y) {
        const std::int64_t stored = top_down ? y : colours.rows - 1 - y;
        for (std::int64_t x = 0; x < colours.width; ++x) {
            const std::uint64_t at = offset + static_cast<std::uint64_t>(stored * row_size + x * (bits / 8));
            if (at + bits / 8 > size) __builtin_trap();
            std::uint32_t pixel = 0;
            for (unsigned i = 0; i < bits / 8; ++i) pixel |= static_cast<std::uint32_t>(data[at + i]) << (8 * i);
            any_alpha = any_alpha || (pixel & masks[3]) != 0;
            colours.pixels[static_cast<std::size_t>(y * colours.width + x)] = {
                field(pixel, masks[0]), field(pixel, masks[1]), field(pixel, masks[2]),
                narrowed_alpha(pixel & masks[3], masks[3], field(pixel, masks[3]))};
        }
    }
    // An alpha that is 0 everywhere is read as opaque.
    colours.has_alpha = any_alpha;
    for (auto& pixel : colours.pixels) {
        if (!any_alpha) pixel[3] = 255;
    }
}

void check_colours(const std::uint8_t* data, std::size_t size, const pixcell::TrueColourImage& image) {
    Colours colours;
    colours.width = image.width();
    colours.rows = image.height();
    if (colours.width * colours.rows > kMaxPixels) return;
    colours.pixels.resize(static_cast<std::size_t>(colours.width * colours.rows));
    if (data[0] == 'B') {
        decode_bmp_colours(data, size, colours);
    } else {
        decode_png_colours(data, size, colours);
    }
    if (image.has_alpha() != colours.has_alpha) __builtin_trap();
    for (std::int64_t y = 0; y < colours.rows; ++y) {
        for (std::int64_t x = 0; x < colours.width; ++x) {
            const pixcell::Rgba got = image.row(y)[x];
            const auto& expected = colours.pixels[static_cast<std::size_t>(y * colours.width + x)];
            if (got.red != expected[0] || got.green != expected[1] || got.blue != expected[2] ||
                got.alpha != expected[3]) {
                __builtin_trap();
            }
        }
    }
}

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

    // A palette file is read the same way, whatever it holds.
    const pixcell::PaletteFile palette = pixcell::read_palette_file(sheet_path);
    if (!palette.opened || palette.colours.has_value() == !palette.problem.empty()) __builtin_trap();
    if (palette.colours && (palette.colours->empty() || palette.colours->size() > 256)) __builtin_trap();

    pixcell::testing::CellStore store;
    store.sheets = pixcell::SheetStore(pixcell::TrueColourSheets::loaded);
    if (!store.load(sheet_path)) return 0;
    if (const pixcell::TrueColourImage* colours = store.sheets.true_colour(0)) {
        check_colours(data, size, *colours);
        return 0;
    }
    // The store takes nothing but "BM" and the PNG signature.
    const bool png = data[0] != 'B';
    const auto big_endian = [&](std::size_t at) { return std::int64_t{__builtin_bswap32(u32_at(data, at))}; };
    const auto little_endian = [&](std::size_t at) {
        return std::int64_t{static_cast<std::int32_t>(u32_at(data, at))};
    };
    Picture picture;
    picture.width = png ? big_endian(16) : little_endian(18);
    const std::int64_t height = png ? big_endian(20) : little_endian(22);
    picture.rows = height < 0 ? -height : height;
    if (store.width(sheet_path) != picture.width || store.height(sheet_path) != picture.rows) __builtin_trap();
    if (picture.width <= 0 || picture.rows == 0 || picture.width * picture.rows > kMaxPixels) return 0;
    picture.pixels.assign(static_cast<std::size_t>(picture.width * picture.rows), 0);
    if (png) {
        decode_png(data, size, picture);
    } else {
        decode_bmp(data, size, picture);
    }
    const pixcell::IndexedImage& image = store.sheets.sheet(0);
    for (std::int64_t y = 0; y < picture.rows; ++y) {
        const std::uint8_t* row = picture.pixels.data() + y * picture.width;
        if (std::memcmp(image.row(y), row, static_cast<std::size_t>(picture.width)) != 0) __builtin_trap();
    }

    // Every cell of the sheet, and the cells that stick out past its right
    // and bottom edges. What the store hands back, shown with the flip it
    // gives, must be the cell as the file holds it.
    for (std::int64_t y = 0; y < picture.rows; y += pixcell::kCellPixels) {
        for (std::int64_t x = 0; x < picture.width; x += pixcell::kCellPixels) {
            pixcell::FlipFlags flip = 0;
            const std::int32_t index =
                store.add_cell(sheet_path, static_cast<std::int32_t>(x), static_cast<std::int32_t>(y), flip);
            const Cell expected = picture.cell(x, y);
            if (index < 0) {
                if (!all_zero(expected)) __builtin_trap();
                continue;
            }
            if (static_cast<std::uint32_t>(index) >= store.cell_count() || flip < 0 || flip > 3) __builtin_trap();
            if (pixcell::mirror_cell(store.cell(static_cast<std::uint32_t>(index)), flip) != expected) {
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
        part.own_width = part.width;
        part.own_height = part.height;
        part.dx = input.ConsumeIntegral<std::int32_t>();
        part.dy = input.ConsumeIntegral<std::int32_t>();
        part.flip = input.ConsumeIntegral<std::int32_t>();  // the writer uses the low two bits only
        object.parts.push_back(part);
    }
    pixcell::SpriteList list{object, {"missing", sheet_path + ".none", object.parts}};
    pixcell::testing::build_texts(list, store, "fuzz");
    return 0;
}
