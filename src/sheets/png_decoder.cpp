// PNG read with libspng, interlaced or not. Indexed colour (1, 2, 4 or 8
// bits) and greyscale of up to 8 bits without alpha, whose grey levels serve
// as indices, keep their indices; every other kind (RGB, grey with alpha,
// RGBA, 16-bit grey) is read as colours. Every chunk's CRC is checked, up to
// the end of the file.
#include <libdeflate.h>
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
#include "sheets/whole_png.h"

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
constexpr std::uint8_t kIndexedColourType = 3;

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

// Tells readers how far the rows have come: every band of 16 rows, as the
// cutting reads a band at a time, and at the end. A decode without readers
// waiting (a sheet read whole before the run goes on) tells no one.
class RowCounter {
public:
    explicit RowCounter(ArrivingRows* arriving) : arriving(arriving) {}
    void done(std::int64_t rows) {
        if (arriving != nullptr && rows % kBand == 0) arriving->arrive(rows);
    }

private:
    static constexpr std::int64_t kBand = 16;
    ArrivingRows* arriving;
};

// Where the pixels go: `width` a row, rows from the top; a byte a pixel, or
// an Rgba. Raw, since the image itself moves into the store meanwhile.
struct Destination {
    std::int64_t width = 0;
    std::int64_t height = 0;
    std::uint8_t* indices = nullptr;
    Rgba* colours = nullptr;
};

// Scanline by scanline, each pass's pixels put in their columns: rows of
// fewer than 8 bits a pixel are unpacked here rather than by libspng.
int decode_scanlines(spng_ctx* context, const spng_ihdr& header, const Destination& to, RowCounter& rows) {
    int error = spng_decode_image(context, nullptr, 0, SPNG_FMT_PNG, SPNG_DECODE_PROGRESSIVE);
    if (error != 0) return error;
    std::vector<std::uint8_t> scanline((to.width * header.bit_depth + 7) / 8);
    const bool interlaced = header.interlace_method == SPNG_INTERLACE_ADAM7;
    do {
        spng_row_info row{};
        error = spng_get_row_info(context, &row);
        if (error != 0) return error;
        error = spng_decode_scanline(context, scanline.data(), scanline.size());
        if (error != 0 && error != SPNG_EOI) return error;
        const std::int64_t first = interlaced ? kPassFirstColumn[row.pass] : 0;
        const std::int64_t step = interlaced ? kPassColumnStep[row.pass] : 1;
        const std::int64_t count = (to.width - first + step - 1) / step;
        unpack_pixels(scanline.data(), header.bit_depth, count, to.indices + row.row_num * to.width + first, step);
        if (!interlaced) rows.done(std::int64_t{row.row_num} + 1);
    } while (error != SPNG_EOI);
    return 0;
}

int decode_indices(spng_ctx* png, const spng_ihdr& header, const Destination& to, RowCounter& rows) {
    if (header.bit_depth != 8 || header.interlace_method != SPNG_INTERLACE_NONE) {
        return decode_scanlines(png, header, to, rows);
    }
    // Already a byte a pixel, rows from the top: straight into the image.
    int error = spng_decode_image(png, nullptr, 0, SPNG_FMT_PNG, SPNG_DECODE_PROGRESSIVE);
    for (std::int64_t y = 0; error == 0; ++y) {
        error = spng_decode_row(png, to.indices + y * to.width, static_cast<std::size_t>(to.width));
        rows.done(y + 1);
    }
    return error == SPNG_EOI ? 0 : error;
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
int decode_wide_colours(spng_ctx* png, const spng_ihdr& header, const Destination& to, RowCounter& rows) {
    int error = spng_decode_image(png, nullptr, 0, SPNG_FMT_RGBA16, SPNG_DECODE_TRNS | SPNG_DECODE_PROGRESSIVE);
    if (error != 0) return error;
    // Uninitialised: libspng fills what is read of it.
    std::vector<std::uint16_t, UninitialisedAllocator<std::uint16_t>> row(static_cast<std::size_t>(to.width) * 4);
    const bool interlaced = header.interlace_method == SPNG_INTERLACE_ADAM7;
    do {
        spng_row_info info{};
        error = spng_get_row_info(png, &info);
        if (error != 0) return error;
        error = spng_decode_row(png, row.data(), row.size() * sizeof(std::uint16_t));
        if (error != 0 && error != SPNG_EOI) return error;
        const std::size_t step = interlaced ? kPassColumnStep[info.pass] : 1;
        Rgba* out = to.colours + std::int64_t{info.row_num} * to.width;
        for (std::size_t x = interlaced ? kPassFirstColumn[info.pass] : 0; x < header.width; x += step) {
            const std::uint16_t* in = row.data() + 4 * x;
            out[x] = Rgba{static_cast<std::uint8_t>(in[0] >> 8), static_cast<std::uint8_t>(in[1] >> 8),
                          static_cast<std::uint8_t>(in[2] >> 8), alpha_of(in[3])};
        }
        if (!interlaced) rows.done(std::int64_t{info.row_num} + 1);
    } while (error != SPNG_EOI);
    return 0;
}

// A colour key (tRNS) makes one colour transparent.
int colours_have_alpha(spng_ctx* png, const spng_ihdr& header, bool& has_alpha) {
    spng_trns trns{};
    const int error = spng_get_trns(png, &trns);
    if (error != 0 && error != SPNG_ECHUNKAVAIL) return error;
    has_alpha = header.color_type == SPNG_COLOR_TYPE_GRAYSCALE_ALPHA ||
                header.color_type == SPNG_COLOR_TYPE_TRUECOLOR_ALPHA || error == 0;
    return 0;
}

int decode_colours(spng_ctx* png, const spng_ihdr& header, const Destination& to, RowCounter& rows) {
    if (header.bit_depth == 16) return decode_wide_colours(png, header, to, rows);
    const bool interlaced = header.interlace_method == SPNG_INTERLACE_ADAM7;
    if (interlaced) {
        const std::size_t size = static_cast<std::size_t>(to.width) * static_cast<std::size_t>(to.height);
        return spng_decode_image(png, to.colours, size * sizeof(Rgba), SPNG_FMT_RGBA8, SPNG_DECODE_TRNS);
    }
    int error = spng_decode_image(png, nullptr, 0, SPNG_FMT_RGBA8, SPNG_DECODE_TRNS | SPNG_DECODE_PROGRESSIVE);
    for (std::int64_t y = 0; error == 0; ++y) {
        error = spng_decode_row(png, to.colours + y * to.width, static_cast<std::size_t>(to.width) * sizeof(Rgba));
        rows.done(y + 1);
    }
    return error == SPNG_EOI ? 0 : error;
}

// What is left of a PNG's decoding once its header is read: the pixels,
// then the chunks after them up to IEND, so that every CRC is seen. Run at
// once or by the store's decoding thread; the reason the file can't be
// read, or nothing.
struct PixelDecoding {
    Context context;
    FileBytes bytes;  // what the context reads
    spng_ihdr header{};
    Destination to;
    std::shared_ptr<ArrivingRows> arriving;  // null when nobody waits

    // The file decoded whole, as most sheets can be: its image data inflated
    // by libdeflate in one call, then unfiltered a band of rows at a time.
    // False, with the file's bytes as they came, when this way can't take
    // it or finds it damaged: libspng then reads it and says what is wrong.
    bool decode_whole(RowCounter& rows) {
        const WholePng png = read_png_chunks(bytes.data(), bytes.size());
        if (png.state != WholePngState::ready || png.width != to.width || png.height != to.height) return false;
        if ((png.colour_type == kIndexedColourType) != (to.indices != nullptr)) return false;
        const GatheredStream gathered = gather_image_data(bytes.data(), png);
        std::uint8_t* out = to.indices != nullptr ? to.indices : reinterpret_cast<std::uint8_t*>(to.colours);
        const std::unique_ptr<libdeflate_decompressor, void (*)(libdeflate_decompressor*)> inflater(
            libdeflate_alloc_decompressor(), libdeflate_free_decompressor);
        if (!inflater) throw std::bad_alloc();
        if (!inflate_rows(inflater.get(), bytes.data() + gathered.stream.offset, gathered.stream.size, out, png)) {
            scatter_image_data(bytes.data(), png, gathered);
            return false;
        }
        constexpr std::uint32_t kBand = 16;
        for (std::uint32_t y = 0; y < png.height; y += kBand) {
            const std::uint32_t end = std::min(y + kBand, png.height);
            unfilter_rows(out, png, y, end);
            rows.done(end);
        }
        return true;
    }

    std::string operator()() {
        RowCounter rows(arriving.get());
        if (decode_whole(rows)) {
            context.reset();
            bytes = FileBytes{};
            if (arriving) arriving->arrive(to.height);
            return {};
        }
        int error = to.indices != nullptr ? decode_indices(context.get(), header, to, rows)
                                          : decode_colours(context.get(), header, to, rows);
        if (error == 0) error = spng_decode_chunks(context.get());
        std::string problem;
        if (error != 0) {
            try {
                problem = explain(error, bytes);
            } catch (const std::bad_alloc&) {
                problem = problem::too_large_for_memory();
            }
        }
        context.reset();
        bytes = FileBytes{};
        if (arriving) {
            // Rows that never came read 0 for whoever waits for them.
            if (error != 0) {
                const std::size_t size = static_cast<std::size_t>(to.width) * static_cast<std::size_t>(to.height);
                if (to.indices != nullptr) std::fill(to.indices, to.indices + size, std::uint8_t{0});
                if (to.colours != nullptr) std::fill(to.colours, to.colours + size, Rgba{0, 0, 0, 0});
            }
            arriving->arrive(to.height);
        }
        return problem;
    }
};

// The sheet with its pixels decoded now, or, with `later`, to be decoded by
// the pending job the sheet comes back with, its rows arriving meanwhile.
DecodedSheet with_pixels(DecodedSheet sheet, std::shared_ptr<PixelDecoding> decoding, bool later) {
    if (!later) {
        std::string problem = (*decoding)();
        if (!problem.empty()) return refuse(std::move(problem));
        return sheet;
    }
    decoding->arriving = std::make_shared<ArrivingRows>();
    if (sheet.image) sheet.image->set_arriving(decoding->arriving);
    if (sheet.true_colour) sheet.true_colour->set_arriving(decoding->arriving);
    sheet.pending = [decoding]() { return (*decoding)(); };
    return sheet;
}

DecodedSheet decode_indexed(std::shared_ptr<PixelDecoding> decoding, bool later) {
    const spng_ihdr& header = decoding->header;
    const std::int64_t width = header.width;
    const std::int64_t height = header.height;
    if (width * height > kMaxDecodedPixels) return refuse(too_many_pixels(width, height, true));
    Palette palette;
    std::vector<std::uint8_t> alpha;
    const int error = read_palette(decoding->context.get(), header, palette, alpha);
    if (error != 0) return refuse(explain(error, decoding->bytes));
    IndexedImage image = IndexedImage::to_decode(static_cast<std::int32_t>(width), height, std::move(palette));
    image.set_palette_alpha(std::move(alpha));
    decoding->to = Destination{width, height, image.pixels(), nullptr};
    return with_pixels(DecodedSheet{std::move(image), std::nullopt, {}, {}, {}}, std::move(decoding), later);
}

DecodedSheet decode_true_colour(std::shared_ptr<PixelDecoding> decoding, bool later) {
    const spng_ihdr& header = decoding->header;
    const std::int64_t width = header.width;
    const std::int64_t height = header.height;
    if (width * height > kMaxTrueColourPixels) return refuse(too_many_pixels(width, height, false));
    if (width > kMaxTrueColourPngWidth) return refuse(problem::true_colour_too_wide(width, kMaxTrueColourPngWidth));
    bool has_alpha = false;
    const int error = colours_have_alpha(decoding->context.get(), header, has_alpha);
    if (error != 0) return refuse(explain(error, decoding->bytes));
    TrueColourImage image(static_cast<std::int32_t>(width), height);
    image.set_has_alpha(has_alpha);
    decoding->to = Destination{width, height, nullptr, image.row(0)};
    return with_pixels(DecodedSheet{std::nullopt, std::move(image), {}, {}, {}}, std::move(decoding), later);
}

}  // namespace

DecodedSheet decode_png(FileBytes bytes, bool later) {
    std::string mended = cut_long_palette(bytes);
    if (!mended.empty()) return refuse(std::move(mended));
    auto decoding = std::make_shared<PixelDecoding>();
    decoding->context.reset(spng_ctx_new(0));
    if (!decoding->context) throw std::bad_alloc();
    decoding->bytes = std::move(bytes);
    spng_ctx* png = decoding->context.get();
    spng_set_crc_action(png, SPNG_CRC_ERROR, SPNG_CRC_ERROR);
    // No side may be longer than the pixel limit; the area is checked below.
    spng_set_image_limits(png, kMaxDecodedPixels, kMaxDecodedPixels);
    spng_set_chunk_limits(png, kMaxChunkSize, kMaxChunkCache);
    spng_set_png_buffer(png, decoding->bytes.data(), decoding->bytes.size());

    const int error = spng_get_ihdr(png, &decoding->header);
    if (error != 0) return refuse(explain(error, decoding->bytes));
    const spng_ihdr header = decoding->header;
    if (keeps_indices(header.color_type, header.bit_depth)) return decode_indexed(std::move(decoding), later);
    DecodedSheet sheet = decode_true_colour(std::move(decoding), later);
    sheet.not_indexed = problem::png_not_indexed(header.color_type);
    return sheet;
}

}  // namespace pixcell
