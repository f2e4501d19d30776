// Writes small true-colour sheets for tests, in every form the converter
// reads: RGBA, RGB, grey with alpha and 16-bit grey PNG at 8 and 16 bits
// (a colour key in tRNS where there is no alpha), and BMP of 16 (5-5-5, and
// 5-6-5 and 1-5-5-5 bit fields), 24 and 32 bits (the fourth byte alpha or
// unused, and bit fields with an alpha mask), bottom-up and top-down.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace pixcell::testing {

// A picture of colours, row 0 at the top.
struct ColourSheet {
    using Colour = std::array<std::uint8_t, 4>;  // red, green, blue, alpha

    std::int32_t width = 0;
    std::int32_t height = 0;
    std::vector<Colour> pixels;  // width * height, row-major from the top

    ColourSheet() = default;
    ColourSheet(std::int32_t w, std::int32_t h, Colour fill = {0, 0, 0, 255})
        : width(w), height(h), pixels(static_cast<std::size_t>(w) * h, fill) {}
    Colour& at(std::int32_t x, std::int32_t y) { return pixels[static_cast<std::size_t>(y) * width + x]; }
    const Colour& at(std::int32_t x, std::int32_t y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

// What a form keeps of the picture's alpha.
enum class Transparency {
    none,   // nothing: every pixel opaque, and the file says it has no alpha
    alpha,  // every pixel's alpha
    key,    // below 128 transparent (a colour key, a 1-bit alpha), else opaque
};

struct ColourFormatBytes {
    std::string format;  // e.g. "png rgba16 interlaced", "bmp32 bit fields v5"
    bool grey = false;   // a grey form: each pixel written as its green
    Transparency transparency = Transparency::none;
    std::vector<std::uint8_t> bytes;
};

// The picture in every form above. A key form writes its transparent pixels
// in a colour (or grey) that no other pixel has, and tRNS names it; 16-bit
// forms write each 8-bit value v as v * 257; bit fields keep each channel's
// top bits.
std::vector<ColourFormatBytes> every_true_colour_format(const ColourSheet& sheet);

// A PNG of the samples given as they are, red, green, blue, alpha (as many
// as the colour type has) for each pixel, row after row: for values that no
// 8-bit picture gives, such as 16-bit alphas.
std::vector<std::uint8_t> raw_png_bytes(std::int32_t width, std::int32_t height, int colour_type, int depth,
                                        const std::vector<std::uint16_t>& samples, bool interlaced = false);

// A BMP of 16, 24 or 32 bits a pixel. Compression 0 writes 5-5-5 (16 bits),
// blue-green-red (24) or blue-green-red-alpha (32, the alpha byte 0 unless
// `alpha_byte`); compression 3 or 6 writes the masks, after the header when
// it is 40 bytes, else in it.
struct ColourBmp {
    int bits = 24;
    std::uint32_t compression = 0;
    std::array<std::uint32_t, 4> masks{};  // red, green, blue, alpha
    std::uint32_t info_size = 40;
    bool top_down = false;
    bool alpha_byte = false;
};
std::vector<std::uint8_t> colour_bmp_bytes(const ColourSheet& sheet, const ColourBmp& form);

}  // namespace pixcell::testing
