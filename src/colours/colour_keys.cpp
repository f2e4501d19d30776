#include "colours/colour_keys.h"

#include <array>
#include <cstring>

namespace pixcell {

namespace {

constexpr std::uint8_t kOpaqueFrom = 128;

bool same(const Rgb& a, const Rgb& b) { return a.red == b.red && a.green == b.green && a.blue == b.blue; }

std::uint32_t packed(const Rgba& pixel) {
    std::uint32_t value;
    std::memcpy(&value, &pixel, sizeof value);
    return value;
}

}  // namespace

ColourKey colour_key(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return static_cast<ColourKey>(red >> 3 | (green >> 3) << 5 | (blue >> 3) << 10);
}

KeyedSheet key_sheet(const TrueColourImage& image, const std::optional<Rgb>& transparent, ColourNumbers& numbers) {
    KeyedSheet sheet;
    sheet.width = image.width();
    sheet.height = image.height();
    sheet.keys.resize(static_cast<std::size_t>(image.width()) * static_cast<std::size_t>(image.height()));

    const bool has_alpha = image.has_alpha();
    const Rgba corner = image.row(0)[0];
    std::optional<ColourKey> transparent_key;
    if (!has_alpha) {
        sheet.transparent = transparent.value_or(Rgb{corner.red, corner.green, corner.blue});
        sheet.transparent_from_corner = !transparent;
        transparent_key = colour_key(sheet.transparent.red, sheet.transparent.green, sheet.transparent.blue);
    }
    bool transparent_seen = !has_alpha;

    // The first of the art's colours seen for each key of this sheet, to find
    // two that the console shows as one.
    std::vector<Rgb> first_seen(kColourKeys);
    std::vector<PixelPlace> first_place(kColourKeys);
    std::vector<bool> seen(kColourKeys, false);

    ColourKey* out = sheet.keys.data();
    for (std::int64_t y = 0; y < image.height(); ++y) {
        const Rgba* row = image.row(y);
        // Art comes in runs of one colour: a pixel like the one before it is
        // keyed like it, without a look at the tables.
        std::uint32_t previous = ~packed(row[0]);
        ColourKey previous_key = 0;
        std::int64_t previous_partial = 0;
        for (std::int32_t x = 0; x < image.width(); ++x, ++out) {
            const Rgba& pixel = row[x];
            if (packed(pixel) == previous) {
                *out = previous_key;
                sheet.partial += previous_partial;
                continue;
            }
            previous = packed(pixel);
            previous_partial = pixel.alpha != 0 && pixel.alpha != 0xFF;
            if (previous_partial != 0 && sheet.partial++ == 0) {
                sheet.first_partial = {x, y};
                sheet.first_partial_alpha = pixel.alpha;
            }
            ColourKey key = colour_key(pixel.red, pixel.green, pixel.blue);
            const bool opaque = has_alpha ? pixel.alpha >= kOpaqueFrom : key != *transparent_key;
            if (!opaque) {
                if (!transparent_seen) {
                    sheet.transparent = Rgb{pixel.red, pixel.green, pixel.blue};
                    transparent_seen = true;
                }
                key = kTransparentKey;
            } else {
                const Rgb colour{pixel.red, pixel.green, pixel.blue};
                numbers.number(key, colour);
                if (!seen[key]) {
                    seen[key] = true;
                    first_seen[key] = colour;
                    first_place[key] = {x, y};
                } else if (!sheet.merged && !same(first_seen[key], colour)) {
                    sheet.merged = true;
                    sheet.merged_colours[0] = first_seen[key];
                    sheet.merged_colours[1] = colour;
                    sheet.merged_places[0] = first_place[key];
                    sheet.merged_places[1] = {x, y};
                }
            }
            *out = key;
            previous_key = key;
        }
    }
    return sheet;
}

}  // namespace pixcell
