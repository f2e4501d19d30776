// Windows BMP: the headers, and the files with a colour table: 1, 4 or 8 bits
// a pixel, uncompressed (bottom-up or top-down) or run-length encoded (RLE8,
// RLE4). An uncompressed 8-bit pixel array is used in place, never copied;
// the others are expanded to a byte a pixel. Files of 16, 24 and 32 bits go
// on to bmp_true_colour.cpp.
#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <utility>

#include "common/messages.h"
#include "sheets/bmp_header.h"
#include "sheets/bmp_rle.h"
#include "sheets/decoders.h"
#include "sheets/packed_pixels.h"

namespace pixcell {

namespace {

namespace problem = messages::sheet_problem;

constexpr std::uint32_t kColourEntrySize = 4;  // blue, green, red, unused

bool has_colour_table(std::uint32_t bits) { return bits == 1 || bits == 4 || bits == 8; }
bool is_true_colour(std::uint32_t bits) { return bits == 16 || bits == 24 || bits == 32; }

// Why a compression method can't go with a pixel size, or "".
std::string compression_problem(std::uint32_t compression, std::uint32_t bits) {
    switch (compression) {
    case kBmpUncompressed: return {};
    case kBmpRle8:
    case kBmpRle4:
        if (bits == (compression == kBmpRle8 ? 8u : 4u)) return {};
        return problem::rle_bits(compression, bits);
    case kBmpBitFields:
    case kBmpAlphaBitFields:
        if (bits == 16 || bits == 32) return {};
        return problem::bit_fields_bits(compression, bits);
    default: return problem::compression(compression);
    }
}

// The colour table lies between the headers and the pixel data. It holds
// the number of colours the header gives, or 2^bits when that is 0; only the
// entries before the pixels and inside the file are taken, since writers
// that leave the number at 0 often write fewer than 2^bits.
std::string read_palette(const FileBytes& bytes, const BmpHeader& header, Palette& palette) {
    const std::uint64_t table = header.info_end();
    if (header.pixel_offset < table) return problem::pixels_inside_headers(header.pixel_offset, table);
    const std::uint64_t claimed = header.colours_used != 0 ? header.colours_used : std::uint64_t{1} << header.bits;
    const std::uint64_t room =
        std::min<std::uint64_t>(header.pixel_offset, bytes.size()) - std::min(table, std::uint64_t{bytes.size()});
    const std::uint64_t count = std::min({claimed, std::uint64_t{1} << header.bits, room / kColourEntrySize});
    palette.resize(static_cast<std::size_t>(count));
    const std::uint8_t* entry = bytes.data() + table;
    for (Rgb& colour : palette) {
        colour = Rgb{entry[2], entry[1], entry[0]};
        entry += kColourEntrySize;
    }
    return {};
}

// Rows of 1 or 4 bits a pixel, `stride` bytes apart, spread to a byte a pixel.
IndexedImage unpack_rows(const FileBytes& bytes, std::uint32_t bits, std::int32_t width, std::int64_t rows,
                         std::size_t top, std::int64_t stride, Palette palette) {
    IndexedImage image = IndexedImage::decoded(width, rows, std::move(palette));
    for (std::int64_t y = 0; y < rows; ++y) {
        const std::uint8_t* row = bytes.data() + static_cast<std::int64_t>(top) + y * stride;
        unpack_pixels(row, bits, width, image.pixels() + y * width);
    }
    return image;
}

// The rows of an uncompressed 8-bit BMP read from the file on the decoding
// thread, from the top row down (the bottom one first, when the file stores
// the bottom row first), a band at a time, each band arriving for readers.
std::function<std::string()> read_rows_later(std::shared_ptr<const OpenFile> file, std::uint8_t* data,
                                             const BmpHeader& header, std::shared_ptr<ArrivingRows> arriving) {
    return [file, data, arriving, offset = std::uint64_t{header.pixel_offset}, stride = header.row_size(),
            rows = header.rows(), top_down = header.height < 0]() -> std::string {
        constexpr std::int64_t kBand = 64;
        for (std::int64_t first = 0; first < rows; first += kBand) {
            const std::int64_t end = std::min(rows, first + kBand);
            // The file's rows [first, end) from the top, as one range of bytes.
            const std::uint64_t from = offset + static_cast<std::uint64_t>((top_down ? first : rows - end) * stride);
            const auto count = static_cast<std::size_t>((end - first) * stride);
            if (!file->read(data + from, static_cast<std::size_t>(from), count)) {
                // Whoever waits reads 0 from here on; the run starts again.
                const std::uint64_t all_from = top_down ? from : offset;
                const std::uint64_t all_to = top_down ? offset + static_cast<std::uint64_t>(rows * stride) : from + count;
                std::fill(data + all_from, data + all_to, std::uint8_t{0});
                arriving->arrive(rows);
                return problem::changed_while_read();
            }
            arriving->arrive(end);
        }
        return {};
    };
}

DecodedSheet decode_indexed(FileBytes bytes, const BmpHeader& header, PartlyRead partly) {
    const std::int64_t rows = header.rows();
    if (header.compression != kBmpUncompressed) {
        if (header.height < 0) return refuse(problem::rle_top_down());
        if (header.width * rows > kMaxDecodedPixels) {
            return refuse(problem::too_many_pixels(header.width, rows, kMaxDecodedPixels));
        }
        Palette palette;
        std::string bad_palette = read_palette(bytes, header, palette);
        if (!bad_palette.empty()) return refuse(std::move(bad_palette));
        IndexedImage image = IndexedImage::decoded(header.width, rows, std::move(palette));
        std::string bad_data = expand_rle(bytes, header.pixel_offset, header.bits, image);
        if (!bad_data.empty()) return refuse(std::move(bad_data));
        return DecodedSheet{std::move(image), std::nullopt, {}, {}, {}};
    }

    const std::int64_t stride = header.row_size();
    const std::uint64_t end = header.pixel_offset + static_cast<std::uint64_t>(stride * rows);
    if (end > bytes.size()) return refuse(problem::pixels_cut_short(end, bytes.size()));
    // Pixels read later: the colour table before them now.
    if (!partly.whole() && header.pixel_offset > partly.read) {
        if (!partly.file->read(bytes.data() + partly.read, partly.read, header.pixel_offset - partly.read)) {
            return refuse(problem::changed_while_read());
        }
        partly.read = header.pixel_offset;
    }
    Palette palette;
    std::string bad_palette = read_palette(bytes, header, palette);
    if (!bad_palette.empty()) return refuse(std::move(bad_palette));

    // A positive height stores the bottom row first.
    const bool top_down = header.height < 0;
    const std::size_t top = header.pixel_offset + static_cast<std::size_t>(top_down ? 0 : (rows - 1) * stride);
    const std::int64_t step = top_down ? stride : -stride;
    if (header.bits != 8) {
        return DecodedSheet{
            unpack_rows(bytes, header.bits, header.width, rows, top, step, std::move(palette)), std::nullopt, {}, {}, {}};
    }
    std::uint8_t* data = bytes.data();
    DecodedSheet sheet{IndexedImage::view(std::move(bytes), header.width, rows, top, step, std::move(palette)),
                       std::nullopt, {}, {}, {}};
    if (!partly.whole()) {
        auto arriving = std::make_shared<ArrivingRows>();
        sheet.image->set_arriving(arriving);
        sheet.pending = read_rows_later(std::move(partly.file), data, header, std::move(arriving));
    }
    return sheet;
}

}  // namespace

DecodedSheet decode_bmp(FileBytes bytes, bool later, PartlyRead partly) {
    if (bytes.size() < kBmpHeadersSize) return refuse(problem::too_short(bytes.size()));
    const BmpHeader header = read_bmp_header(bytes);
    if (header.info_size < kBmpInfoHeaderSize) return refuse(problem::old_bmp_header(header.info_size));
    if (!has_colour_table(header.bits) && !is_true_colour(header.bits)) {
        return refuse(problem::bits_per_pixel(header.bits));
    }
    std::string bad_header = compression_problem(header.compression, header.bits);
    if (bad_header.empty() && header.width <= 0) bad_header = problem::bad_width(header.width);
    if (bad_header.empty() && header.height == 0) bad_header = problem::zero_height();
    if (is_true_colour(header.bits)) {
        if (!partly.finish(bytes)) return refuse(problem::changed_while_read());
        DecodedSheet sheet = bad_header.empty() ? decode_bmp_true_colour(bytes, header) : refuse(std::move(bad_header));
        sheet.not_indexed = problem::bmp_not_indexed(header.bits);
        return sheet;
    }
    if (!bad_header.empty()) return refuse(std::move(bad_header));
    // Only an uncompressed 8-bit pixel array, read in place, can be read
    // while the run goes on; any other is read whole now.
    const bool in_place = header.bits == 8 && header.compression == kBmpUncompressed;
    if ((!later || !in_place) && !partly.finish(bytes)) return refuse(problem::changed_while_read());
    return decode_indexed(std::move(bytes), header, std::move(partly));
}

}  // namespace pixcell
