// Windows BMP of 16, 24 or 32 bits a pixel: uncompressed, or with bit-field
// masks (after a 40-byte header or inside a V2 to V5 one), an alpha mask
// included. Every form is read as masks over a little-endian pixel value:
// uncompressed ones have fixed masks.
#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <utility>

#include "common/messages.h"
#include "sheets/bmp_header.h"
#include "sheets/decoders.h"

namespace pixcell {

namespace {

namespace problem = messages::sheet_problem;

// The masks lie at these bytes whatever the header: inside a V2 to V5 header,
// or right after a 40-byte one.
constexpr std::size_t kMaskField[4] = {54, 58, 62, 66};  // red, green, blue, alpha
constexpr std::uint64_t kV3InfoSize = 56;                // the first header that holds an alpha mask
constexpr std::uint8_t kOpaque = 255;

// One channel's mask, and how its bits become 8.
struct Channel {
    std::uint32_t mask = 0;
    unsigned shift = 0;                      // of the mask's lowest bit
    unsigned width = 0;                      // bits in the mask; 0: the channel reads 0
    std::array<std::uint8_t, 128> scaled{};  // for widths under 8: value -> 8 bits

    std::uint32_t raw(std::uint32_t pixel) const { return (pixel & mask) >> shift; }

    // Narrow values are spread over 8 bits by repeating their bits, as image
    // readers do (5 bits: v << 3 | v >> 2), so that the widest value is 255;
    // wide ones keep their top 8 bits.
    std::uint8_t eight_bits(std::uint32_t value) const {
        return width >= 8 ? static_cast<std::uint8_t>(value >> (width - 8)) : scaled[value];
    }
};

bool make_channel(std::uint32_t mask, Channel& channel) {
    channel.mask = mask;
    if (mask == 0) return true;
    channel.shift = static_cast<unsigned>(__builtin_ctz(mask));
    const std::uint32_t bits = mask >> channel.shift;
    if ((bits & (bits + 1)) != 0) return false;  // not one run of bits
    channel.width = static_cast<unsigned>(__builtin_popcount(mask));
    if (channel.width < 8) {
        for (std::uint32_t value = 0; value <= bits; ++value) {
            unsigned out = 0;
            for (int at = 8 - static_cast<int>(channel.width); at > -static_cast<int>(channel.width);
                 at -= static_cast<int>(channel.width)) {
                out |= at >= 0 ? value << at : value >> -at;
            }
            channel.scaled[value] = static_cast<std::uint8_t>(out);
        }
    }
    return true;
}

// Alpha keeps its three kinds whatever its width: none, full, and partial,
// which never rounds to either.
std::uint8_t alpha_of(const Channel& alpha, std::uint32_t raw) {
    if (raw == 0) return 0;
    if (raw == alpha.mask >> alpha.shift) return kOpaque;
    return std::clamp<std::uint8_t>(alpha.eight_bits(raw), 1, 254);
}

struct Masks {
    std::array<std::uint32_t, 4> value{};  // red, green, blue, alpha
    // BI_RGB's fourth byte: alpha only if some pixel has it non-zero.
    bool alpha_if_used = false;
};

// Where the headers end: after the masks that follow a 40-byte header.
std::uint64_t headers_end(const BmpHeader& header) {
    const std::uint64_t end = header.info_end();
    if (header.compression == kBmpUncompressed) return end;
    const std::uint64_t masks_end = kMaskField[header.compression == kBmpAlphaBitFields ? 3 : 2] + 4;
    return std::max(end, masks_end);
}

Masks masks_of(const FileBytes& bytes, const BmpHeader& header) {
    Masks masks;
    if (header.compression == kBmpUncompressed) {
        if (header.bits == 16) {
            masks.value = {0x7C00, 0x03E0, 0x001F, 0};
        } else {
            masks.value = {0xFF0000, 0x00FF00, 0x0000FF, header.bits == 32 ? 0xFF000000u : 0};
            masks.alpha_if_used = header.bits == 32;
        }
        return masks;
    }
    const bool alpha = header.compression == kBmpAlphaBitFields || header.info_size >= kV3InfoSize;
    for (std::size_t i = 0; i < (alpha ? 4u : 3u); ++i) masks.value[i] = read_u32_le(bytes, kMaskField[i]);
    // A 16-bit pixel has nothing above its 16 bits.
    if (header.bits == 16) {
        for (std::uint32_t& mask : masks.value) mask &= 0xFFFF;
    }
    masks.alpha_if_used = masks.value[3] != 0;
    return masks;
}

}  // namespace

DecodedSheet decode_bmp_true_colour(const FileBytes& bytes, const BmpHeader& header) {
    const std::int64_t rows = header.rows();
    if (header.width * rows > kMaxTrueColourPixels) {
        return refuse(problem::too_many_true_colour_pixels(header.width, rows, kMaxTrueColourPixels));
    }
    const std::uint64_t headers = headers_end(header);
    if (header.pixel_offset < headers) return refuse(problem::pixels_inside_headers(header.pixel_offset, headers));
    const std::int64_t stride = header.row_size();
    const std::uint64_t end = header.pixel_offset + static_cast<std::uint64_t>(stride * rows);
    if (end > bytes.size()) return refuse(problem::pixels_cut_short(end, bytes.size()));

    const Masks masks = masks_of(bytes, header);
    const char* const names[4] = {"red", "green", "blue", "alpha"};
    std::array<Channel, 4> channels;
    for (std::size_t i = 0; i < 4; ++i) {
        if (!make_channel(masks.value[i], channels[i])) return refuse(problem::bad_mask(names[i], masks.value[i]));
    }
    const Channel& red = channels[0];
    const Channel& green = channels[1];
    const Channel& blue = channels[2];
    const Channel& alpha = channels[3];

    TrueColourImage image(header.width, rows);
    const std::size_t pixel_bytes = header.bits / 8;
    const bool top_down = header.height < 0;
    std::uint32_t any_alpha = 0;
    for (std::int64_t y = 0; y < rows; ++y) {
        const std::int64_t stored = top_down ? y : rows - 1 - y;
        const std::uint8_t* in = bytes.data() + header.pixel_offset + stored * stride;
        Rgba* out = image.row(y);
        for (std::int32_t x = 0; x < header.width; ++x, in += pixel_bytes) {
            std::uint32_t pixel = static_cast<std::uint32_t>(in[0]) | static_cast<std::uint32_t>(in[1]) << 8;
            if (pixel_bytes >= 3) pixel |= static_cast<std::uint32_t>(in[2]) << 16;
            if (pixel_bytes == 4) pixel |= static_cast<std::uint32_t>(in[3]) << 24;
            const std::uint32_t raw_alpha = alpha.raw(pixel);
            any_alpha |= raw_alpha;
            out[x] = Rgba{red.eight_bits(red.raw(pixel)), green.eight_bits(green.raw(pixel)),
                          blue.eight_bits(blue.raw(pixel)), masks.alpha_if_used ? alpha_of(alpha, raw_alpha) : kOpaque};
        }
    }
    // An alpha that is 0 everywhere is a writer's unused byte, not a picture
    // that shows nothing: browsers read such files as opaque.
    const bool has_alpha = masks.alpha_if_used && any_alpha != 0;
    if (masks.alpha_if_used && !has_alpha) {
        for (std::int64_t y = 0; y < rows; ++y) {
            Rgba* row = image.row(y);
            for (std::int32_t x = 0; x < header.width; ++x) row[x].alpha = kOpaque;
        }
    }
    image.set_has_alpha(has_alpha);
    return DecodedSheet{std::nullopt, std::move(image), {}, {}, {}};
}

}  // namespace pixcell
