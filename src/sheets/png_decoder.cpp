// Indexed-colour PNG, 1, 2, 4 or 8 bits a pixel, interlaced or not, read
// with libspng. Every chunk's CRC is checked, up to the end of the file.
#include <spng.h>

#include <cstdint>
#include <memory>
#include <new>
#include <utility>
#include <vector>

#include "common/messages.h"
#include "sheets/decoders.h"
#include "sheets/packed_pixels.h"

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

// The width and height fields of IHDR, which must come first.
constexpr std::size_t kWidthField = 16;
constexpr std::size_t kHeightField = 20;

struct ContextDeleter {
    void operator()(spng_ctx* context) const noexcept { spng_ctx_free(context); }
};
using Context = std::unique_ptr<spng_ctx, ContextDeleter>;

DecodedSheet refuse(std::string problem) { return DecodedSheet{std::nullopt, std::move(problem)}; }

std::uint32_t read_u32_big_endian(const FileBytes& bytes, std::size_t at) {
    return static_cast<std::uint32_t>(bytes[at]) << 24 | static_cast<std::uint32_t>(bytes[at + 1]) << 16 |
           static_cast<std::uint32_t>(bytes[at + 2]) << 8 | static_cast<std::uint32_t>(bytes[at + 3]);
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
        // Only reported once IHDR is read, so both fields are in the file.
        return problem::too_many_pixels(read_u32_big_endian(bytes, kWidthField),
                                        read_u32_big_endian(bytes, kHeightField), kMaxDecodedPixels);
    default: return problem::png_damaged(spng_strerror(error));
    }
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

}  // namespace

DecodedSheet decode_png(FileBytes bytes) {
    Context context(spng_ctx_new(0));
    if (!context) throw std::bad_alloc();
    spng_ctx* png = context.get();
    spng_set_crc_action(png, SPNG_CRC_ERROR, SPNG_CRC_ERROR);
    // No side may be longer than the pixel limit; the area is checked below.
    spng_set_image_limits(png, kMaxDecodedPixels, kMaxDecodedPixels);
    spng_set_chunk_limits(png, kMaxChunkSize, kMaxChunkCache);
    spng_set_png_buffer(png, bytes.data(), bytes.size());

    spng_ihdr header{};
    int error = spng_get_ihdr(png, &header);
    if (error != 0) return refuse(explain(error, bytes));
    if (header.color_type != SPNG_COLOR_TYPE_INDEXED) return refuse(problem::png_not_indexed(header.color_type));
    const std::int64_t width = header.width;
    const std::int64_t height = header.height;
    if (width * height > kMaxDecodedPixels) return refuse(problem::too_many_pixels(width, height, kMaxDecodedPixels));

    spng_plte plte{};
    error = spng_get_plte(png, &plte);
    if (error != 0) return refuse(explain(error == SPNG_ECHUNKAVAIL ? SPNG_ENOPLTE : error, bytes));
    Palette palette(plte.n_entries);
    for (std::uint32_t i = 0; i < plte.n_entries; ++i) {
        palette[i] = Rgb{plte.entries[i].red, plte.entries[i].green, plte.entries[i].blue};
    }

    IndexedImage image = IndexedImage::decoded(static_cast<std::int32_t>(width), height, std::move(palette));
    if (header.bit_depth == 8 && header.interlace_method == SPNG_INTERLACE_NONE) {
        // Already a byte a pixel, rows from the top: straight into the image.
        error = spng_decode_image(png, image.pixels(), static_cast<std::size_t>(width * height), SPNG_FMT_PNG, 0);
    } else {
        error = decode_scanlines(png, header, image);
    }
    // Then the chunks after the image, up to IEND, so that every CRC is seen.
    if (error == 0) error = spng_decode_chunks(png);
    if (error != 0) return refuse(explain(error, bytes));
    return DecodedSheet{std::move(image), {}};
}

}  // namespace pixcell
