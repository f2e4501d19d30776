#include "colours/colour_keys.h"

#include <array>
#include <cstring>
#include <utility>

namespace pixcell {

namespace {

constexpr std::uint8_t kOpaqueFrom = 128;

bool same(const Rgb& a, const Rgb& b) { return a.red == b.red && a.green == b.green && a.blue == b.blue; }

std::uint32_t packed(const std::uint8_t* pixel) {
    std::uint32_t value;
    std::memcpy(&value, pixel, sizeof value);
    return value;
}

// The keys of the colours met lately, by their 32 bits: art holds few
// colours, each met again and again, and a repeat needs no other look.
class RecentColours {
public:
    struct Entry {
        std::uint32_t rgba = 0;
        ColourKey key = 0;
        bool partial = false;  // alpha neither 0 nor 255
        bool valid = false;
    };
    Entry& slot(std::uint32_t rgba) { return entries[(rgba * 0x9E3779B1u) >> (32 - kBits)]; }

private:
    static constexpr unsigned kBits = 12;
    std::array<Entry, std::size_t{1} << kBits> entries{};
};

// What keying learns of a sheet's colours as it meets them the first time.
struct FirstMeetings {
    std::vector<Rgb> colour;  // by key: the first of the art's colours that showed as it
    std::vector<PixelPlace> place;
    std::vector<bool> seen;
    FirstMeetings() : colour(kColourKeys), place(kColourKeys), seen(kColourKeys, false) {}
};

}  // namespace

ColourKey colour_key(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return static_cast<ColourKey>(red >> 3 | (green >> 3) << 5 | (blue >> 3) << 10);
}

KeyedSheet key_sheet(TrueColourImage image, const std::optional<Rgb>& transparent, ColourNumbers& numbers) {
    KeyedSheet sheet;
    sheet.width = image.width();
    sheet.height = image.height();

    const bool has_alpha = image.has_alpha();
    // The sheet may still be arriving, row by row from the top.
    image.wait_for_rows(1);
    const Rgba corner = image.row(0)[0];
    ColourKey transparent_key = kTransparentKey;  // no 15-bit colour
    if (!has_alpha) {
        sheet.transparent = transparent.value_or(Rgb{corner.red, corner.green, corner.blue});
        sheet.transparent_from_corner = !transparent;
        transparent_key = colour_key(sheet.transparent.red, sheet.transparent.green, sheet.transparent.blue);
    }
    bool transparent_seen = !has_alpha;

    // The first time a colour is met: its key, and what it tells the warnings.
    FirstMeetings first;
    const auto meet = [&](const std::uint8_t* pixel, std::int64_t x, std::int64_t y, RecentColours::Entry& entry) {
        const Rgb colour{pixel[0], pixel[1], pixel[2]};
        const std::uint8_t alpha = pixel[3];
        entry.rgba = packed(pixel);
        entry.partial = alpha != 0 && alpha != 0xFF;
        entry.valid = true;
        if (entry.partial && sheet.partial == 0) {
            sheet.first_partial = {x, y};
            sheet.first_partial_alpha = alpha;
        }
        entry.key = colour_key(colour.red, colour.green, colour.blue);
        const bool opaque = has_alpha ? alpha >= kOpaqueFrom : entry.key != transparent_key;
        if (!opaque) {
            if (!transparent_seen) {
                sheet.transparent = colour;
                transparent_seen = true;
            }
            entry.key = kTransparentKey;
            return;
        }
        numbers.number(entry.key, colour);
        if (!first.seen[entry.key]) {
            first.seen[entry.key] = true;
            first.colour[entry.key] = colour;
            first.place[entry.key] = {x, y};
        } else if (!sheet.merged && !same(first.colour[entry.key], colour)) {
            sheet.merged = true;
            sheet.merged_colours[0] = first.colour[entry.key];
            sheet.merged_colours[1] = colour;
            sheet.merged_places[0] = first.place[entry.key];
            sheet.merged_places[1] = {x, y};
        }
    };

    // Each key goes over the first 2 of its pixel's 4 bytes, which are read
    // before, and before any later pixel's: reading runs ahead of writing.
    std::uint8_t* bytes = image.bytes();
    RecentColours recent;
    std::size_t p = 0;
    for (std::int64_t y = 0; y < image.height(); ++y) {
        image.wait_for_rows(y + 1);
        for (std::int64_t x = 0; x < image.width(); ++x, ++p) {
            const std::uint8_t* pixel = bytes + 4 * p;
            RecentColours::Entry& entry = recent.slot(packed(pixel));
            if (!entry.valid || entry.rgba != packed(pixel)) meet(pixel, x, y, entry);
            sheet.partial += entry.partial;
            std::memcpy(bytes + 2 * p, &entry.key, sizeof entry.key);
        }
    }
    sheet.keys = bytes;
    sheet.storage = std::move(image);
    return sheet;
}

}  // namespace pixcell
