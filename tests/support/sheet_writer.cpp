#include "support/sheet_writer.h"

#include <spng.h>

#include "support/png_encoder.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <stdexcept>

namespace pixcell::testing {

namespace {

using Bytes = std::vector<std::uint8_t>;

void put32(Bytes& out, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

void put16(Bytes& out, std::size_t at, std::uint16_t v) {
    out[at] = static_cast<std::uint8_t>(v);
    out[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

std::array<std::uint8_t, 3> colour(const Sheet& sheet, std::uint32_t index) {
    if (index < sheet.colours.size()) return sheet.colours[index];
    const auto grey = static_cast<std::uint8_t>((index & 0xF) * 17);
    return {grey, grey, grey};
}

int highest_index(const Sheet& sheet) {
    return sheet.pixels.empty() ? 0 : *std::max_element(sheet.pixels.begin(), sheet.pixels.end());
}

void check_fits(const Sheet& sheet, int bits) {
    if (highest_index(sheet) >> bits != 0) throw std::runtime_error("an index doesn't fit the bit depth");
}

// Headers and grey colour table of a BMP whose pixel data takes `data_size`
// bytes after them; the pixel data is left to the caller.
Bytes bmp_headers(const Sheet& sheet, int bits, std::uint32_t compression, std::size_t data_size, bool top_down) {
    const std::uint32_t colours = 1u << bits;
    const std::size_t header = 14 + 40 + 4 * colours;
    Bytes out(header + data_size, 0);
    out[0] = 'B';
    out[1] = 'M';
    put32(out, 2, static_cast<std::uint32_t>(out.size()));
    put32(out, 10, static_cast<std::uint32_t>(header));
    put32(out, 14, 40);
    put32(out, 18, static_cast<std::uint32_t>(sheet.width));
    put32(out, 22, static_cast<std::uint32_t>(top_down ? -sheet.height : sheet.height));
    put16(out, 26, 1);
    put16(out, 28, static_cast<std::uint16_t>(bits));
    put32(out, 30, compression);
    put32(out, 34, static_cast<std::uint32_t>(data_size));
    put32(out, 46, colours);
    for (std::uint32_t i = 0; i < colours; ++i) {
        const std::array<std::uint8_t, 3> rgb = colour(sheet, i);
        out[54 + 4 * i] = rgb[2];
        out[54 + 4 * i + 1] = rgb[1];
        out[54 + 4 * i + 2] = rgb[0];
    }
    return out;
}

// Leftmost pixel in the high bits, as both BMP and PNG pack rows.
void pack_row(const Sheet& sheet, std::int32_t y, int bits, std::uint8_t* out) {
    for (std::int32_t x = 0; x < sheet.width; ++x) {
        const std::size_t bit = static_cast<std::size_t>(x) * bits;
        out[bit / 8] = static_cast<std::uint8_t>(out[bit / 8] | sheet.at(x, y) << (8 - bits - bit % 8));
    }
}

// How many pixels from x on a single RLE code can give: in RLE8 the same
// index repeated, in RLE4 the first two indices alternating.
int run_length(const std::uint8_t* row, int x, int width, int bits) {
    int n = 1;
    while (x + n < width && n < 255 && row[x + n] == row[x + (bits == 4 ? n % 2 : 0)]) ++n;
    return n;
}

void encode_rle_row(const std::uint8_t* row, int width, int bits, Bytes& out) {
    auto run = [&](int x, int n) {
        out.push_back(static_cast<std::uint8_t>(n));
        const std::uint8_t second = n > 1 ? row[x + 1] : row[x];
        out.push_back(bits == 8 ? row[x] : static_cast<std::uint8_t>(row[x] << 4 | second));
    };
    int x = 0;
    while (x < width) {
        const int n = run_length(row, x, width, bits);
        if (n >= 3 || x + n == width) {
            run(x, n);
            x += n;
            continue;
        }
        // Pixels that don't repeat go in one absolute run; fewer than three
        // can't (those counts are escapes) and become runs of one or two.
        int end = x;
        while (end < width && end - x < 255 && run_length(row, end, width, bits) < 3) ++end;
        const int count = end - x;
        if (count < 3) {
            for (int i = x; i < end; ++i) run(i, 1);
        } else {
            out.push_back(0);
            out.push_back(static_cast<std::uint8_t>(count));
            std::size_t bytes = 0;
            for (int i = 0; i < count; ++i) {
                if (bits == 8) {
                    out.push_back(row[x + i]);
                    ++bytes;
                } else if (i % 2 == 0) {
                    out.push_back(static_cast<std::uint8_t>(row[x + i] << 4));
                    ++bytes;
                } else {
                    out.back() = static_cast<std::uint8_t>(out.back() | row[x + i]);
                }
            }
            if (bytes % 2 != 0) out.push_back(0);  // absolute runs end on a 16-bit boundary
        }
        x = end;
    }
}

}  // namespace

std::vector<std::uint8_t> indexed_bmp_bytes(const Sheet& sheet, int bits, bool top_down) {
    check_fits(sheet, bits);
    const std::size_t row_size = (static_cast<std::size_t>(sheet.width) * bits + 31) / 32 * 4;
    Bytes out = bmp_headers(sheet, bits, 0, row_size * sheet.height, top_down);
    const std::size_t pixels = out.size() - row_size * sheet.height;
    for (std::int32_t y = 0; y < sheet.height; ++y) {
        const std::int32_t stored_row = top_down ? y : sheet.height - 1 - y;
        pack_row(sheet, y, bits, out.data() + pixels + row_size * stored_row);
    }
    return out;
}

std::vector<std::uint8_t> bmp_bytes(const Sheet& sheet, bool top_down) { return indexed_bmp_bytes(sheet, 8, top_down); }

std::vector<std::uint8_t> rle_bmp_bytes(const Sheet& sheet, int bits) {
    check_fits(sheet, bits);
    Bytes data;
    for (std::int32_t y = sheet.height - 1; y >= 0; --y) {
        encode_rle_row(&sheet.pixels[static_cast<std::size_t>(y) * sheet.width], sheet.width, bits, data);
        data.push_back(0);
        data.push_back(y == 0 ? 1 : 0);  // end of bitmap after the top row, else end of line
    }
    Bytes out = bmp_headers(sheet, bits, bits == 8 ? 1 : 2, data.size(), false);
    std::copy(data.begin(), data.end(), out.end() - static_cast<std::ptrdiff_t>(data.size()));
    return out;
}

namespace {

void set_header(spng_ctx* png, const Sheet& sheet, int depth, int colour_type, bool interlaced) {
    spng_ihdr header{};
    header.width = static_cast<std::uint32_t>(sheet.width);
    header.height = static_cast<std::uint32_t>(sheet.height);
    header.bit_depth = static_cast<std::uint8_t>(depth);
    header.color_type = static_cast<std::uint8_t>(colour_type);
    header.interlace_method = interlaced ? SPNG_INTERLACE_ADAM7 : SPNG_INTERLACE_NONE;
    check_spng(spng_set_ihdr(png, &header));
}

// The rows as a PNG stores them, `depth` bits a pixel, each row whole bytes.
Bytes packed_rows(const Sheet& sheet, int depth) {
    const std::size_t row_size = (static_cast<std::size_t>(sheet.width) * depth + 7) / 8;
    Bytes image(row_size * sheet.height, 0);
    for (std::int32_t y = 0; y < sheet.height; ++y) pack_row(sheet, y, depth, image.data() + row_size * y);
    return image;
}

}  // namespace

std::vector<std::uint8_t> png_bytes(const Sheet& sheet, int depth, bool interlaced) {
    check_fits(sheet, depth);
    PngEncoder encoder;
    spng_ctx* png = encoder.get();
    set_header(png, sheet, depth, SPNG_COLOR_TYPE_INDEXED, interlaced);
    spng_plte palette{};
    palette.n_entries = 1u << depth;
    for (std::uint32_t i = 0; i < palette.n_entries; ++i) {
        const std::array<std::uint8_t, 3> rgb = colour(sheet, i);
        palette.entries[i] = spng_plte_entry{rgb[0], rgb[1], rgb[2], 255};
    }
    check_spng(spng_set_plte(png, &palette));
    if (!sheet.alpha.empty()) {
        spng_trns transparency{};
        transparency.n_type3_entries = static_cast<std::uint32_t>(sheet.alpha.size());
        for (std::size_t i = 0; i < sheet.alpha.size(); ++i) transparency.type3_alpha[i] = sheet.alpha[i];
        check_spng(spng_set_trns(png, &transparency));
    }
    return encoder.encode(packed_rows(sheet, depth), SPNG_FMT_PNG);
}

std::vector<std::uint8_t> grey_png_bytes(const Sheet& sheet, int depth, bool interlaced, int transparent) {
    check_fits(sheet, depth);
    PngEncoder encoder;
    spng_ctx* png = encoder.get();
    set_header(png, sheet, depth, SPNG_COLOR_TYPE_GRAYSCALE, interlaced);
    if (transparent >= 0) {
        spng_trns key{};
        key.gray = static_cast<std::uint16_t>(transparent);
        check_spng(spng_set_trns(png, &key));
    }
    return encoder.encode(packed_rows(sheet, depth), SPNG_FMT_PNG);
}

std::vector<std::uint8_t> long_palette_png_bytes(const Sheet& sheet, int depth, std::size_t entries,
                                                 std::size_t alphas) {
    // libspng won't write such a PLTE: the chunks are put in by hand.
    Bytes png = png_bytes(sheet, depth);
    const std::size_t plte = png_chunk_at(png, "PLTE");
    const std::size_t idat = png_chunk_at(png, "IDAT");
    Bytes colours;
    for (std::uint32_t i = 0; i < entries; ++i) {
        const std::array<std::uint8_t, 3> rgb = colour(sheet, i);
        colours.insert(colours.end(), rgb.begin(), rgb.end());
    }
    Bytes chunks = png_chunk("PLTE", colours);
    if (alphas != 0) {
        Bytes alpha(alphas);
        for (std::size_t i = 0; i < alphas; ++i) alpha[i] = static_cast<std::uint8_t>(255 - i);
        const Bytes trns = png_chunk("tRNS", alpha);
        chunks.insert(chunks.end(), trns.begin(), trns.end());
    }
    png.erase(png.begin() + static_cast<std::ptrdiff_t>(plte), png.begin() + static_cast<std::ptrdiff_t>(idat));
    png.insert(png.begin() + static_cast<std::ptrdiff_t>(plte), chunks.begin(), chunks.end());
    return png;
}

std::vector<std::uint8_t> short_table_bmp_bytes(const Sheet& sheet, int bits, std::uint32_t entries,
                                                std::uint32_t compression) {
    const Bytes full = compression == 0 ? indexed_bmp_bytes(sheet, bits) : rle_bmp_bytes(sheet, bits);
    const std::size_t table_end = 54 + 4 * (std::size_t{1} << bits);
    Bytes out(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(54 + 4 * entries));
    out.insert(out.end(), full.begin() + static_cast<std::ptrdiff_t>(table_end), full.end());
    put32(out, 2, static_cast<std::uint32_t>(out.size()));
    put32(out, 10, static_cast<std::uint32_t>(54 + 4 * entries));
    put32(out, 46, 0);
    return out;
}

std::vector<FormatBytes> every_format(const Sheet& sheet) {
    const int highest = highest_index(sheet);
    std::vector<FormatBytes> formats;
    for (const int bits : {8, 4, 1}) {
        if (highest >> bits != 0) continue;
        const std::string name = "bmp" + std::to_string(bits);
        formats.push_back({name, bits, indexed_bmp_bytes(sheet, bits)});
        formats.push_back({name + " top-down", bits, indexed_bmp_bytes(sheet, bits, true)});
        if (bits != 1) formats.push_back({"rle" + std::to_string(bits), bits, rle_bmp_bytes(sheet, bits)});
    }
    for (const int depth : {8, 4, 2, 1}) {
        if (highest >> depth != 0) continue;
        const std::string name = "png" + std::to_string(depth);
        formats.push_back({name, depth, png_bytes(sheet, depth)});
        formats.push_back({name + " interlaced", depth, png_bytes(sheet, depth, true)});
    }
    return formats;
}

std::vector<std::uint8_t> bmp_with_pixel_data(std::int32_t width, std::int32_t height, int bits,
                                              std::uint32_t compression, const std::vector<std::uint8_t>& data) {
    Sheet sheet;
    sheet.width = width;
    sheet.height = height;
    Bytes out = bmp_headers(sheet, bits, compression, data.size(), false);
    std::copy(data.begin(), data.end(), out.end() - static_cast<std::ptrdiff_t>(data.size()));
    return out;
}

std::vector<std::uint8_t> png_chunk(const std::string& type, const std::vector<std::uint8_t>& data) {
    Bytes chunk(12 + data.size(), 0);
    for (std::size_t i = 0; i < 4; ++i) {
        chunk[i] = static_cast<std::uint8_t>(data.size() >> (24 - 8 * i));
        chunk[4 + i] = static_cast<std::uint8_t>(type.at(i));
    }
    std::copy(data.begin(), data.end(), chunk.begin() + 8);
    fix_png_crc(chunk, 0);
    return chunk;
}

std::size_t png_chunk_at(const std::vector<std::uint8_t>& png, const std::string& type) {
    std::size_t at = 8;
    while (at + 8 <= png.size()) {
        const std::size_t length = static_cast<std::size_t>(png[at]) << 24 | png[at + 1] << 16 | png[at + 2] << 8 | png[at + 3];
        if (std::equal(type.begin(), type.end(), png.begin() + static_cast<std::ptrdiff_t>(at + 4))) return at;
        at += 12 + length;
    }
    return png.size();
}

void fix_png_crc(std::vector<std::uint8_t>& png, std::size_t at) {
    const std::size_t length = static_cast<std::size_t>(png[at]) << 24 | png[at + 1] << 16 | png[at + 2] << 8 | png[at + 3];
    // CRC-32 of the type and data, bit by bit: slow and plainly right.
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = at + 4; i < at + 8 + length; ++i) {
        crc ^= png[i];
        for (int bit = 0; bit < 8; ++bit) crc = crc >> 1 ^ (0xEDB88320u & (0u - (crc & 1)));
    }
    crc ^= 0xFFFFFFFFu;
    for (int i = 0; i < 4; ++i) png[at + 8 + length + i] = static_cast<std::uint8_t>(crc >> (24 - 8 * i));
}

void write_file(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream f(path, std::ios::binary);
    f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!f) throw std::runtime_error("can't write " + path);
}

void write_file(const std::string& path, const std::string& text) {
    write_file(path, std::vector<std::uint8_t>(text.begin(), text.end()));
}

void write_bmp(const std::string& path, const Sheet& sheet, bool top_down) {
    write_file(path, bmp_bytes(sheet, top_down));
}

std::string read_file(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    if (!f) throw std::runtime_error("can't read " + path);
    return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

}  // namespace pixcell::testing
