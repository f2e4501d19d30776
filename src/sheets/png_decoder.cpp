// PNG read with libspng, interlaced or not. Indexed colour (1, 2, 4 or 8
// bits) and greyscale of up to 8 bits without alpha, whose grey levels serve
// as indices, keep their indices; every other kind (RGB, grey with alpha,
// RGBA, 16-bit grey) is read as colours. Every chunk's CRC is checked, up to
// the end of the file.
#include <spng.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <new>
#include <utility>
#include <vector>

#include "common/messages.h"
#include "sheets/decoders.h"
#include "sheets/packed_pixels.h"
#include "sheets/png_long_palette.h"

namespace pixcell {

namespace {

namespace problem = messages::sheet_problem;

// libspng keeps text (inflated), metadata and unknown chunks in memory;
// these bound them, so that a small compressed text can't claim gigabytes.
constexpr std::size_t kMaxChunkSize = std::size_t{16} << 20;
constexpr std::size_t kMaxChunkCache = std::size_t{64} << 20;

// Where each Adam7 pass starts and how far apart its pixels lie in a row.
constexpr std::uint32_t kPassFirstColumn[7] = {0, 4, 0, 2, 0, 1, 0};
constexpr std::uint32_t kPassColumnStep[7] = {8, 8, 4, 4, 2, 2, 1};

// Fields of IHDR, which must come first.
constexpr std::size_t kWidthField = 16;
constexpr std::size_t kHeightField = 20;
constexpr std::size_t kDepthField = 24;
constexpr std::size_t kColourTypeField = 25;

struct ContextDeleter {
    void operator()(spng_ctx* context) const noexcept { spng_ctx_free(context); }
};
using Context = std::unique_ptr<spng_ctx, ContextDeleter>;

std::uint32_t read_u32_big_endian(const FileBytes& bytes, std::size_t at) {
    return static_cast<std::uint32_t>(bytes[at]) << 24 | static_cast<std::uint32_t>(bytes[at + 1]) << 16 |
           static_cast<std::uint32_t>(bytes[at + 2]) << 8 | static_cast<std::uint32_t>(bytes[at + 3]);
}

// Greyscale of up to 8 bits is read as indices, as the field's other
// converters read it: the grey level is the index.
bool keeps_indices(unsigned colour_type, unsigned depth) {
    return colour_type == SPNG_COLOR_TYPE_INDEXED || (colour_type == SPNG_COLOR_TYPE_GRAYSCALE && depth <= 8);
}

std::string too_many_pixels(std::int64_t width, std::int64_t height, bool indices) {
    return indices ? problem::too_many_pixels(width, height, kMaxDecodedPixels)
                   : problem::too_many_true_colour_pixels(width, height, kMaxTrueColourPixels);
}

// libspng's error in plain words; out of memory is thrown like any other.
std::string explain(int error, const FileBytes& bytes) {
    switch (error) {
    case SPNG_EMEM: throw std::bad_alloc();
    case SPNG_ECHUNK_CRC: return problem::png_bad_crc();
    case SPNG_IO_EOF:
    case SPNG_EOF:
    case SPNG_EIDAT_TOO_SHORT: return problem::png_cut_short();
    case SPNG_ENOPLTE: return problem::png_no_palette();
    case SPNG_ECHUNK_LIMITS: return problem::png_chunks_too_large(kMaxChunkSize, kMaxChunkCache);
    case SPNG_EUSER_WIDTH:
    case SPNG_EUSER_HEIGHT:
        // Only reported once IHDR is read, so its fields are in the file.
        return too_many_pixels(read_u32_big_endian(bytes, kWidthField), read_u32_big_endian(bytes, kHeightField),
                               keeps_indices(bytes[kColourTypeField], bytes[kDepthField]));
    default: return problem::png_damaged(spng_strerror(error));
    }
}

// The colours of the indices, and the alpha of each from tRNS.
int read_palette(spng_ctx* png, const spng_ihdr& header, Palette& palette, std::vector<std::uint8_t>& alpha) {
    spng_trns trns{};
    if (header.color_type == SPNG_COLOR_TYPE_GRAYSCALE) {
        // The grey ramp of the bit depth; a colour key makes its level transparent.
        const std::uint32_t levels = 1u << header.bit_depth;
        palette.resize(levels);
        for (std::uint32_t i = 0; i < levels; ++i) {
            const auto grey = static_cast<std::uint8_t>(i * 255 / (levels - 1));
            palette[i] = Rgb{grey, grey, grey};
        }
        const int error = spng_get_trns(png, &trns);
        if (error == 0 && trns.gray < levels) {
            alpha.assign(levels, 255);
            alpha[trns.gray] = 0;
        }
        return error == SPNG_ECHUNKAVAIL ? 0 : error;
    }
    spng_plte plte{};
    int error = spng_get_plte(png, &plte);
    if (error != 0) return error == SPNG_ECHUNKAVAIL ? SPNG_ENOPLTE : error;
    palette.resize(plte.n_entries);
    for (std::uint32_t i = 0; i < plte.n_entries; ++i) {
        palette[i] = Rgb{plte.entries[i].red, plte.entries[i].green, plte.entries[i].blue};
    }
    error = spng_get_trns(png, &trns);
    if (error == 0) {
        // Never longer than PLTE: cut_long_palette has seen to it.
        const std::uint32_t count = std::min(trns.n_type3_entries, plte.n_entries);
        alpha.assign(trns.type3_alpha, trns.type3_alpha + count);
    }
    return error == SPNG_ECHUNKAVAIL ? 0 : error;
}

// Scanline by scanline, each pass's pixels put in their columns: rows of
// fewer than 8 bits a pixel are unpacked here rather than by libspng.
int decode_scanlines(spng_ctx* context, const spng_ihdr& header, IndexedImage& image) {
    int error = spng_decode_image(context, nullptr, 0, SPNG_FMT_PNG, SPNG_DECODE_PROGRESSIVE);
    if (error != 0) return error;
    const std::int64_t width = header.width;
    std::vector<std::uint8_t> scanline((width * header.bit_depth + 7) / 8);
    const bool interlaced = header.interlace_method == SPNG_INTERLACE_ADAM7;
    do {
        spng_row_info row{};
        error = spng_get_row_info(context, &row);
        if (error != 0) return error;
        error = spng_decode_scanline(context, scanline.data(), scanline.size());
        if (error != 0 && error != SPNG_EOI) return error;
        const std::int64_t first = interlaced ? kPassFirstColumn[row.pass] : 0;
        const std::int64_t step = interlaced ? kPassColumnStep[row.pass] : 1;
        const std::int64_t count = (width - first + step - 1) / step;
        unpack_pixels(scanline.data(), header.bit_depth, count, image.pixels() + row.row_num * width + first, step);
    } while (error != SPNG_EOI);
    return 0;
}

int decode_indices(spng_ctx* png, const spng_ihdr& header, IndexedImage& image) {
    if (header.bit_depth == 8 && header.interlace_method == SPNG_INTERLACE_NONE) {
        // Already a byte a pixel, rows from the top: straight into the image.
        const std::size_t size = static_cast<std::size_t>(image.width()) * static_cast<std::size_t>(image.height());
        return spng_decode_image(png, image.pixels(), size, SPNG_FMT_PNG, 0);
    }
    return decode_scanlines(png, header, image);
}

// A 16-bit alpha keeps its three kinds: none, full, and partial, which
// never rounds to either, so that "opaque from 128 up" reads alike at both
// depths.
std::uint8_t alpha_of(std::uint16_t alpha) {
    if (alpha == 0) return 0;
    if (alpha == 0xFFFF) return 255;
    return static_cast<std::uint8_t>(std::clamp(alpha >> 8, 1, 254));
}

// 16-bit samples row by row, each pass's pixels in their columns, to 8 bits.
int decode_wide_colours(spng_ctx* png, const spng_ihdr& header, TrueColourImage& image) {
    int error = spng_decode_image(png, nullptr, 0, SPNG_FMT_RGBA16, SPNG_DECODE_TRNS | SPNG_DECODE_PROGRESSIVE);
    if (error != 0) return error;
    // Uninitialised: libspng fills what is read of it.
    std::vector<std::uint16_t, UninitialisedAllocator<std::uint16_t>> row(static_cast<std::size_t>(image.width()) * 4);
    const bool interlaced = header.interlace_method == SPNG_INTERLACE_ADAM7;
    do {
        spng_row_info info{};
        error = spng_get_row_info(png, &info);
        if (error != 0) return error;
        error = spng_decode_row(png, row.data(), row.size() * sizeof(std::uint16_t));
        if (error != 0 && error != SPNG_EOI) return error;
        const std::size_t step = interlaced ? kPassColumnStep[info.pass] : 1;
        Rgba* out = image.row(info.row_num);
        for (std::size_t x = interlaced ? kPassFirstColumn[info.pass] : 0; x < header.width; x += step) {
            const std::uint16_t* in = row.data() + 4 * x;
            out[x] = Rgba{static_cast<std::uint8_t>(in[0] >> 8), static_cast<std::uint8_t>(in[1] >> 8),
                          static_cast<std::uint8_t>(in[2] >> 8), alpha_of(in[3])};
        }
    } while (error != SPNG_EOI);
    return 0;
}

int decode_colours(spng_ctx* png, const spng_ihdr& header, TrueColourImage& image) {
    // A colour key (tRNS) makes one colour transparent.
    spng_trns trns{};
    const int error = spng_get_trns(png, &trns);
    if (error != 0 && error != SPNG_ECHUNKAVAIL) return error;
    image.set_has_alpha(header.color_type == SPNG_COLOR_TYPE_GRAYSCALE_ALPHA ||
                        header.color_type == SPNG_COLOR_TYPE_TRUECOLOR_ALPHA || error == 0);
    if (header.bit_depth == 16) return decode_wide_colours(png, header, image);
    const std::size_t size = static_cast<std::size_t>(image.width()) * static_cast<std::size_t>(image.height());
    return spng_decode_image(png, image.row(0), size * sizeof(Rgba), SPNG_FMT_RGBA8, SPNG_DECODE_TRNS);
}

// The image decoded (error 0), then the chunks after it up to IEND, so that
// every CRC is seen.
DecodedSheet finish(spng_ctx* png, int error, DecodedSheet sheet, const FileBytes& bytes) {
    if (error == 0) error = spng_decode_chunks(png);
    if (error != 0) return refuse(explain(error, bytes));
    return sheet;
}

DecodedSheet decode_indexed(spng_ctx* png, const spng_ihdr& header, const FileBytes& bytes) {
    const std::int64_t width = header.width;
    const std::int64_t height = header.height;
    if (width * height > kMaxDecodedPixels) return refuse(too_many_pixels(width, height, true));
    Palette palette;
    std::vector<std::uint8_t> alpha;
    const int error = read_palette(png, header, palette, alpha);
    if (error != 0) return refuse(explain(error, bytes));
    IndexedImage image = IndexedImage::decoded(static_cast<std::int32_t>(width), height, std::move(palette));
    image.set_palette_alpha(std::move(alpha));
    const int decoded = decode_indices(png, header, image);
    return finish(png, decoded, DecodedSheet{std::move(image), std::nullopt, {}, {}}, bytes);
}

DecodedSheet decode_true_colour(spng_ctx* png, const spng_ihdr& header, const FileBytes& bytes) {
    const std::int64_t width = header.width;
    const std::int64_t height = header.height;
    if (width * height > kMaxTrueColourPixels) return refuse(too_many_pixels(width, height, false));
    if (width > kMaxTrueColourPngWidth) return refuse(problem::true_colour_too_wide(width, kMaxTrueColourPngWidth));
    TrueColourImage image(static_cast<std::int32_t>(width), height);
    const int decoded = decode_colours(png, header, image);
    return finish(png, decoded, DecodedSheet{std::nullopt, std::move(image), {}, {}}, bytes);
}

}  // namespace

DecodedSheet decode_png(FileBytes bytes) {
    std::string mended = cut_long_palette(bytes);
    if (!mended.empty()) return refuse(std::move(mended));
    Context context(spng_ctx_new(0));
    if (!context) throw std::bad_alloc();
    spng_ctx* png = context.get();
    spng_set_crc_action(png, SPNG_CRC_ERROR, SPNG_CRC_ERROR);
    // No side may be longer than the pixel limit; the area is checked below.
    spng_set_image_limits(png, kMaxDecodedPixels, kMaxDecodedPixels);
    spng_set_chunk_limits(png, kMaxChunkSize, kMaxChunkCache);
    spng_set_png_buffer(png, bytes.data(), bytes.size());

    spng_ihdr header{};
    const int error = spng_get_ihdr(png, &header);
    if (error != 0) return refuse(explain(error, bytes));
    if (keeps_indices(header.color_type, header.bit_depth)) return decode_indexed(png, header, bytes);
    DecodedSheet sheet = decode_true_colour(png, header, bytes);
    sheet.not_indexed = problem::png_not_indexed(header.color_type);
    return sheet;
}

}  // namespace pixcell
