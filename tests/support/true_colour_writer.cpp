#include "support/true_colour_writer.h"

#include <spng.h>

#include "support/png_encoder.h"

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <stdexcept>

namespace pixcell::testing {

namespace {

using Bytes = std::vector<std::uint8_t>;
using Colour = ColourSheet::Colour;

int samples_per_pixel(int colour_type) {
    switch (colour_type) {
    case SPNG_COLOR_TYPE_GRAYSCALE: return 1;
    case SPNG_COLOR_TYPE_TRUECOLOR: return 3;
    case SPNG_COLOR_TYPE_GRAYSCALE_ALPHA: return 2;
    default: return 4;
    }
}

Bytes encode_png(std::int32_t width, std::int32_t height, int colour_type, int depth,
                 const std::vector<std::uint16_t>& samples, bool interlaced, spng_trns* key) {
    PngEncoder encoder;
    spng_ctx* png = encoder.get();
    spng_ihdr header{};
    header.width = static_cast<std::uint32_t>(width);
    header.height = static_cast<std::uint32_t>(height);
    header.bit_depth = static_cast<std::uint8_t>(depth);
    header.color_type = static_cast<std::uint8_t>(colour_type);
    header.interlace_method = interlaced ? SPNG_INTERLACE_ADAM7 : SPNG_INTERLACE_NONE;
    check_spng(spng_set_ihdr(png, &header));
    if (key != nullptr) check_spng(spng_set_trns(png, key));
    // Big-endian samples, as the file stores them.
    Bytes image;
    for (const std::uint16_t sample : samples) {
        if (depth == 16) image.push_back(static_cast<std::uint8_t>(sample >> 8));
        image.push_back(static_cast<std::uint8_t>(sample));
    }
    return encoder.encode(image, SPNG_FMT_RAW);
}

bool opaque(const Colour& colour) { return colour[3] >= 128; }

// A colour, or a grey (every channel the same), that no opaque pixel has.
Colour unused_colour(const ColourSheet& sheet, bool grey) {
    for (unsigned k = 0;; ++k) {
        const auto red = static_cast<std::uint8_t>(k * 53 + 7);
        const Colour key =
            grey ? Colour{red, red, red, 0}
                 : Colour{red, static_cast<std::uint8_t>(k * 101 + 3), static_cast<std::uint8_t>(k * 29 + 11), 0};
        const bool used = std::any_of(sheet.pixels.begin(), sheet.pixels.end(), [&](const Colour& pixel) {
            return opaque(pixel) &&
                   (grey ? pixel[1] == key[1] : pixel[0] == key[0] && pixel[1] == key[1] && pixel[2] == key[2]);
        });
        if (!used) return key;
    }
}

Bytes colour_png_bytes(const ColourSheet& sheet, int colour_type, int depth, bool interlaced, bool keyed) {
    const bool grey = colour_type == SPNG_COLOR_TYPE_GRAYSCALE || colour_type == SPNG_COLOR_TYPE_GRAYSCALE_ALPHA;
    const Colour key = unused_colour(sheet, grey);
    const std::uint16_t scale = depth == 16 ? 257 : 1;
    std::vector<std::uint16_t> samples;
    for (const Colour& pixel : sheet.pixels) {
        const Colour& written = keyed && !opaque(pixel) ? key : pixel;
        if (grey) {
            samples.push_back(static_cast<std::uint16_t>(written[1] * scale));
        } else {
            for (int c = 0; c < 3; ++c) samples.push_back(static_cast<std::uint16_t>(written[c] * scale));
        }
        if (samples_per_pixel(colour_type) % 2 == 0) samples.push_back(static_cast<std::uint16_t>(pixel[3] * scale));
    }
    spng_trns trns{};
    trns.gray = static_cast<std::uint16_t>(key[1] * scale);
    trns.red = static_cast<std::uint16_t>(key[0] * scale);
    trns.green = static_cast<std::uint16_t>(key[1] * scale);
    trns.blue = static_cast<std::uint16_t>(key[2] * scale);
    return encode_png(sheet.width, sheet.height, colour_type, depth, samples, interlaced, keyed ? &trns : nullptr);
}

void put(Bytes& out, std::size_t at, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

// An 8-bit channel in a mask of up to 8 bits: its top bits, in place.
std::uint32_t packed(std::uint8_t channel, std::uint32_t mask) {
    if (mask == 0) return 0;
    const int shift = __builtin_ctz(mask);
    const int width = __builtin_popcount(mask);
    return static_cast<std::uint32_t>(channel >> (8 - width)) << shift & mask;
}

}  // namespace

std::vector<std::uint8_t> raw_png_bytes(std::int32_t width, std::int32_t height, int colour_type, int depth,
                                        const std::vector<std::uint16_t>& samples, bool interlaced) {
    return encode_png(width, height, colour_type, depth, samples, interlaced, nullptr);
}

std::vector<std::uint8_t> colour_bmp_bytes(const ColourSheet& sheet, const ColourBmp& form) {
    std::array<std::uint32_t, 4> masks = form.masks;
    if (form.compression == 0) {
        masks = form.bits == 16
                    ? std::array<std::uint32_t, 4>{0x7C00, 0x03E0, 0x001F, 0}
                    : std::array<std::uint32_t, 4>{0xFF0000, 0xFF00, 0xFF, form.alpha_byte ? 0xFF000000u : 0};
    }
    const bool masks_after_header = form.compression != 0 && form.info_size == 40;
    const std::size_t mask_bytes = masks_after_header ? (form.compression == 6 ? 16 : 12) : 0;
    const std::size_t offset = 14 + form.info_size + mask_bytes;
    const std::size_t row_size = (static_cast<std::size_t>(sheet.width) * form.bits + 31) / 32 * 4;
    Bytes out(offset + row_size * sheet.height, 0);
    out[0] = 'B';
    out[1] = 'M';
    put(out, 2, static_cast<std::uint32_t>(out.size()), 4);
    put(out, 10, static_cast<std::uint32_t>(offset), 4);
    put(out, 14, form.info_size, 4);
    put(out, 18, static_cast<std::uint32_t>(sheet.width), 4);
    put(out, 22, static_cast<std::uint32_t>(form.top_down ? -sheet.height : sheet.height), 4);
    put(out, 26, 1, 2);
    put(out, 28, static_cast<std::uint32_t>(form.bits), 2);
    put(out, 30, form.compression, 4);
    put(out, 34, static_cast<std::uint32_t>(row_size * sheet.height), 4);
    if (form.compression != 0) {
        // At byte 54 either way: right after a 40-byte header, or inside a larger one.
        const std::size_t count = masks_after_header ? mask_bytes / 4 : (form.info_size >= 56 ? 4 : 3);
        for (std::size_t i = 0; i < count; ++i) put(out, 54 + 4 * i, masks[i], 4);
    }
    for (std::int32_t y = 0; y < sheet.height; ++y) {
        const std::size_t row = offset + row_size * static_cast<std::size_t>(form.top_down ? y : sheet.height - 1 - y);
        for (std::int32_t x = 0; x < sheet.width; ++x) {
            const Colour& pixel = sheet.at(x, y);
            std::uint32_t value = 0;
            for (int c = 0; c < 4; ++c) value |= packed(pixel[c], masks[c]);
            put(out, row + static_cast<std::size_t>(x) * (form.bits / 8), value, form.bits / 8);
        }
    }
    return out;
}

std::vector<ColourFormatBytes> every_true_colour_format(const ColourSheet& sheet) {
    using T = Transparency;
    const int grey = SPNG_COLOR_TYPE_GRAYSCALE;
    const int rgb = SPNG_COLOR_TYPE_TRUECOLOR;
    const int grey_alpha = SPNG_COLOR_TYPE_GRAYSCALE_ALPHA;
    const int rgba = SPNG_COLOR_TYPE_TRUECOLOR_ALPHA;
    const struct {
        const char* format;
        int colour_type;
        int depth;
        bool interlaced;
        T transparency;
    } pngs[] = {
        {"png rgba8", rgba, 8, false, T::alpha},
        {"png rgba8 interlaced", rgba, 8, true, T::alpha},
        {"png rgba16", rgba, 16, false, T::alpha},
        {"png rgba16 interlaced", rgba, 16, true, T::alpha},
        {"png rgb8", rgb, 8, false, T::none},
        {"png rgb8 key interlaced", rgb, 8, true, T::key},
        {"png rgb16 key", rgb, 16, false, T::key},
        {"png grey-alpha8", grey_alpha, 8, false, T::alpha},
        {"png grey-alpha16 interlaced", grey_alpha, 16, true, T::alpha},
        {"png grey16", grey, 16, false, T::none},
        {"png grey16 key", grey, 16, false, T::key},
    };
    std::vector<ColourFormatBytes> formats;
    for (const auto& png : pngs) {
        const bool is_grey = png.colour_type == grey || png.colour_type == grey_alpha;
        formats.push_back(
            {png.format, is_grey, png.transparency,
             colour_png_bytes(sheet, png.colour_type, png.depth, png.interlaced, png.transparency == T::key)});
    }
    const struct {
        const char* format;
        ColourBmp form;
        T transparency;
    } bmps[] = {
        {"bmp24", {24, 0, {}, 40, false, false}, T::none},
        {"bmp24 top-down", {24, 0, {}, 40, true, false}, T::none},
        {"bmp16 5-5-5", {16, 0, {}, 40, false, false}, T::none},
        {"bmp16 5-6-5 bit fields", {16, 3, {0xF800, 0x07E0, 0x001F, 0}, 40, false, false}, T::none},
        {"bmp16 1-5-5-5 v3 header", {16, 3, {0x7C00, 0x03E0, 0x001F, 0x8000}, 56, false, false}, T::key},
        {"bmp32 unused fourth byte", {32, 0, {}, 40, false, false}, T::none},
        {"bmp32 alpha", {32, 0, {}, 40, false, true}, T::alpha},
        {"bmp32 alpha top-down", {32, 0, {}, 40, true, true}, T::alpha},
        {"bmp32 bit fields v5", {32, 3, {0xFF0000, 0xFF00, 0xFF, 0xFF000000}, 124, false, false}, T::alpha},
        {"bmp32 bit fields v2 header", {32, 3, {0xFF000000, 0xFF0000, 0xFF00, 0}, 52, false, false}, T::none},
        {"bmp32 alpha bit fields abgr", {32, 6, {0xFF, 0xFF00, 0xFF0000, 0xFF000000}, 40, false, false}, T::alpha},
    };
    for (const auto& bmp : bmps)
        formats.push_back({bmp.format, false, bmp.transparency, colour_bmp_bytes(sheet, bmp.form)});
    return formats;
}

}  // namespace pixcell::testing
