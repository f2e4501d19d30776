// A true-colour sheet's pixels as the console can show them: each a 15-bit
// colour (the top 5 bits of red, green and blue) or transparent, and each
// colour numbered by its first appearance. What the console can't keep of
// the art (partial transparency, colours that differ only in the bits it
// drops) is noted for the warnings.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <vector>

#include "sheets/indexed_image.h"
#include "sheets/true_colour_image.h"

namespace pixcell {

// A pixel as the console shows it: a colour in its 15-bit format (red in the
// low 5 bits, then green, then blue), or kTransparentKey.
using ColourKey = std::uint16_t;
constexpr ColourKey kTransparentKey = 0x8000;
constexpr std::uint32_t kColourKeys = 0x8000;  // the 15-bit colours

ColourKey colour_key(std::uint8_t red, std::uint8_t green, std::uint8_t blue);

// The opaque colours met on the sheets keyed so far, numbered in the order
// they were first met (sheets in loading order, each row by row from the
// top), each with the first of the art's colours that showed as it.
class ColourNumbers {
public:
    static constexpr std::uint32_t kNone = 0xFFFFFFFF;

    ColourNumbers() : numbers(kColourKeys, kNone) {}

    // The number of an opaque key, given one if it has none yet.
    std::uint32_t number(ColourKey key, const Rgb& colour) {
        std::uint32_t& n = numbers[key];
        if (n == kNone) {
            n = static_cast<std::uint32_t>(keys.size());
            keys.push_back(key);
            colours.push_back(colour);
        }
        return n;
    }
    std::uint32_t find(ColourKey key) const { return numbers[key]; }
    // Numbers them again: `order` lists every number once, in the new order.
    void renumber(const std::vector<std::uint32_t>& order) {
        std::vector<ColourKey> old_keys = keys;
        std::vector<Rgb> old_colours = colours;
        for (std::uint32_t n = 0; n < order.size(); ++n) {
            keys[n] = old_keys[order[n]];
            colours[n] = old_colours[order[n]];
            numbers[keys[n]] = n;
        }
    }
    std::uint32_t count() const { return static_cast<std::uint32_t>(keys.size()); }
    ColourKey key(std::uint32_t number) const { return keys[number]; }
    const Rgb& colour(std::uint32_t number) const { return colours[number]; }

private:
    std::vector<std::uint32_t> numbers;  // by key
    std::vector<ColourKey> keys;         // by number
    std::vector<Rgb> colours;            // by number: the art's colour first met
};

// A pixel of a sheet, for the messages.
struct PixelPlace {
    std::int64_t x = 0;
    std::int64_t y = 0;
};

struct KeyedSheet {
    std::int32_t width = 0;
    std::int64_t height = 0;

    // The key of pixel p, counted row by row from the top.
    ColourKey key(std::size_t p) const {
        ColourKey value;
        std::memcpy(&value, keys + 2 * p, sizeof value);
        return value;
    }
    // The keys, 2 bytes a pixel, are written over the colours they are made
    // of: a sheet is never held twice.
    std::optional<TrueColourImage> storage;
    const std::uint8_t* keys = nullptr;

    // The colour slot 0 of its rows gets: the one taken as transparent, or,
    // for a sheet with alpha, that of its first transparent pixel (black
    // when it has none); the console never shows it.
    Rgb transparent;
    // A sheet without alpha whose transparent colour no option gave: its
    // top-left pixel's, said in a note.
    bool transparent_from_corner = false;

    // Pixels whose alpha is neither 0 nor 255: how many, and the first.
    std::int64_t partial = 0;
    PixelPlace first_partial;
    std::uint8_t first_partial_alpha = 0;

    // Two of the art's colours that show as one: the first such pair met.
    bool merged = false;
    Rgb merged_colours[2];
    PixelPlace merged_places[2];
};

// Keys every pixel: alpha below 128 is transparent, from 128 up opaque; a
// sheet without alpha is transparent where it shows `transparent` (or, when
// that isn't given, its top-left pixel's colour). New colours are numbered
// in `numbers`.
KeyedSheet key_sheet(TrueColourImage image, const std::optional<Rgb>& transparent, ColourNumbers& numbers);

}  // namespace pixcell
