#include "colours/colour_units.h"

#include <algorithm>

#include "description/part_area.h"

namespace pixcell {

namespace {

// Sprites joined into units, each led by its smallest sprite.
class Joins {
public:
    explicit Joins(std::size_t count) : lead(count) {
        for (std::size_t i = 0; i < count; ++i) lead[i] = i;
    }
    std::size_t find(std::size_t i) {
        while (lead[i] != i) i = lead[i] = lead[lead[i]];
        return i;
    }
    void join(std::size_t a, std::size_t b) {
        a = find(a);
        b = find(b);
        if (a != b) lead[std::max(a, b)] = std::min(a, b);
    }

private:
    std::vector<std::size_t> lead;
};

// A part's pixels on its sheet, and the sprite it belongs to.
struct PlacedArea {
    std::uint32_t sprite;
    PixelArea area;
};

bool overlap(const PixelArea& a, const PixelArea& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// Joins the sprites whose parts share a pixel. Two areas that share one
// share one of the sheet's 16x16 blocks, so only the areas listed in a block
// are compared; a block crowded with areas is settled pixel by pixel, so
// that no input costs more than a few times the pixels its parts cover.
void join_overlapping(const std::vector<PlacedArea>& areas, std::int64_t width, std::int64_t height, Joins& joins) {
    constexpr std::int64_t kBlock = 16;
    constexpr std::size_t kCrowded = 32;
    const std::int64_t columns = (width + kBlock - 1) / kBlock;
    const std::int64_t rows = (height + kBlock - 1) / kBlock;
    // The areas of each block, in the order given: counted, then listed.
    std::vector<std::uint32_t> start(static_cast<std::size_t>(columns * rows) + 1, 0);
    const auto each_block = [&](const PixelArea& area, auto&& visit) {
        for (std::int64_t by = area.top / kBlock; by <= (area.bottom - 1) / kBlock; ++by) {
            for (std::int64_t bx = area.left / kBlock; bx <= (area.right - 1) / kBlock; ++bx) {
                visit(static_cast<std::size_t>(by * columns + bx));
            }
        }
    };
    for (const PlacedArea& placed : areas) each_block(placed.area, [&](std::size_t b) { ++start[b + 1]; });
    for (std::size_t b = 1; b < start.size(); ++b) start[b] += start[b - 1];
    std::vector<std::uint32_t> listed(start.back());
    std::vector<std::uint32_t> next(start.begin(), start.end() - 1);
    for (std::uint32_t i = 0; i < areas.size(); ++i) each_block(areas[i].area, [&](std::size_t b) { listed[next[b]++] = i; });

    std::vector<std::uint32_t> owner;  // a crowded block's pixels
    for (std::size_t b = 0; b + 1 < start.size(); ++b) {
        const std::uint32_t* first = listed.data() + start[b];
        const std::size_t count = start[b + 1] - start[b];
        if (count < 2) continue;
        if (count <= kCrowded) {
            for (std::size_t i = 1; i < count; ++i) {
                for (std::size_t j = 0; j < i; ++j) {
                    const PlacedArea& a = areas[first[i]];
                    const PlacedArea& c = areas[first[j]];
                    if (a.sprite != c.sprite && overlap(a.area, c.area)) joins.join(a.sprite, c.sprite);
                }
            }
            continue;
        }
        constexpr std::uint32_t kFree = 0xFFFFFFFF;
        owner.assign(static_cast<std::size_t>(kBlock * kBlock), kFree);
        const std::int64_t left = static_cast<std::int64_t>(b % static_cast<std::size_t>(columns)) * kBlock;
        const std::int64_t top = static_cast<std::int64_t>(b / static_cast<std::size_t>(columns)) * kBlock;
        for (std::size_t i = 0; i < count; ++i) {
            const PlacedArea& placed = areas[first[i]];
            for (std::int64_t y = std::max(top, placed.area.top); y < std::min(top + kBlock, placed.area.bottom); ++y) {
                for (std::int64_t x = std::max(left, placed.area.left); x < std::min(left + kBlock, placed.area.right);
                     ++x) {
                    std::uint32_t& pixel = owner[static_cast<std::size_t>((y - top) * kBlock + x - left)];
                    if (pixel != kFree && pixel != placed.sprite) joins.join(placed.sprite, pixel);
                    pixel = placed.sprite;
                }
            }
        }
    }
}

// The sprites of one sheet: the joins of those that share a pixel, and the
// colours each one's pixels show.
void read_sheet(const SpriteList& sprites, const std::vector<std::size_t>& on_sheet, const KeyedSheet& sheet,
                const ColourNumbers& numbers, Joins& joins, std::vector<ColourSet>& colours) {
    std::vector<PlacedArea> areas;
    for (const std::size_t s : on_sheet) {
        for (const SpritePart& part : sprites[s].parts) {
            const PixelArea area = coloured_pixels(part, sheet.width, sheet.height);
            if (!area.empty()) areas.push_back({static_cast<std::uint32_t>(s), area});
        }
    }
    join_overlapping(areas, sheet.width, sheet.height, joins);

    // The last sprite each key was added to; the transparent key counts as
    // added to every sprite, so that it is never looked at.
    constexpr std::uint32_t kNone = 0xFFFFFFFF;
    std::vector<std::uint32_t> stamp(kColourKeys + 1, kNone);
    for (const PlacedArea& placed : areas) {
        ColourSet& set = colours[placed.sprite];
        stamp[kTransparentKey] = placed.sprite;
        for (std::int64_t y = placed.area.top; y < placed.area.bottom; ++y) {
            const std::size_t start = static_cast<std::size_t>(y * sheet.width + placed.area.left);
            const std::size_t end = start + static_cast<std::size_t>(placed.area.right - placed.area.left);
            for (std::size_t p = start; p < end; ++p) {
                const ColourKey key = sheet.key(p);
                if (stamp[key] == placed.sprite) continue;
                stamp[key] = placed.sprite;
                set.push_back(numbers.find(key));
            }
        }
    }
    for (const std::size_t s : on_sheet) std::sort(colours[s].begin(), colours[s].end());
}

}  // namespace

PixelArea coloured_pixels(const SpritePart& part, std::int64_t width, std::int64_t height) {
    PixelArea area = pixels_on_sheet(part, width, height);
    if (!part.clipped) return area;
    area.left = std::max<std::int64_t>(area.left, part.x);
    area.top = std::max<std::int64_t>(area.top, part.y);
    area.right = std::min<std::int64_t>(area.right, std::int64_t{part.x} + part.own_width);
    area.bottom = std::min<std::int64_t>(area.bottom, std::int64_t{part.y} + part.own_height);
    if (area.right < area.left) area.right = area.left;
    if (area.bottom < area.top) area.bottom = area.top;
    return area;
}

void number_colours_by_sprites(const SpriteList& sprites, const std::vector<std::int32_t>& sheet_of,
                               const std::vector<const KeyedSheet*>& keyed, ColourNumbers& numbers) {
    const bool clipped = std::any_of(sprites.begin(), sprites.end(), [](const SpriteObject& sprite) {
        return std::any_of(sprite.parts.begin(), sprite.parts.end(), [](const SpritePart& part) { return part.clipped; });
    });
    if (!clipped) return;
    std::vector<std::uint32_t> order;
    std::vector<bool> met(numbers.count(), false);
    const auto meet = [&](std::uint32_t n) {
        if (n == ColourNumbers::kNone || met[n]) return;
        met[n] = true;
        order.push_back(n);
    };
    for (std::size_t s = 0; s < sprites.size(); ++s) {
        if (sheet_of[s] < 0 || keyed[static_cast<std::size_t>(sheet_of[s])] == nullptr) continue;
        const KeyedSheet& sheet = *keyed[static_cast<std::size_t>(sheet_of[s])];
        for (const SpritePart& part : sprites[s].parts) {
            const PixelArea area = coloured_pixels(part, sheet.width, sheet.height);
            for (std::int64_t y = area.top; y < area.bottom; ++y) {
                for (std::int64_t x = area.left; x < area.right; ++x) {
                    const ColourKey key = sheet.key(static_cast<std::size_t>(y * sheet.width + x));
                    if (key != kTransparentKey) meet(numbers.find(key));
                }
            }
        }
    }
    for (std::uint32_t n = 0; n < numbers.count(); ++n) meet(n);
    numbers.renumber(order);
}

ColourUnits find_colour_units(const SpriteList& sprites, const std::vector<std::int32_t>& sheet_of,
                              const std::vector<const KeyedSheet*>& keyed, const ColourNumbers& numbers) {
    Joins joins(sprites.size());
    std::vector<ColourSet> colours(sprites.size());
    for (std::size_t sheet = 0; sheet < keyed.size(); ++sheet) {
        if (keyed[sheet] == nullptr) continue;
        std::vector<std::size_t> on_sheet;
        for (std::size_t s = 0; s < sprites.size(); ++s) {
            if (sheet_of[s] == static_cast<std::int32_t>(sheet) && !sprites[s].parts.empty()) on_sheet.push_back(s);
        }
        if (!on_sheet.empty()) read_sheet(sprites, on_sheet, *keyed[sheet], numbers, joins, colours);
    }

    ColourUnits result;
    result.unit_of_sprite.assign(sprites.size(), ColourUnits::kNoUnit);
    for (std::size_t s = 0; s < sprites.size(); ++s) {
        const std::int32_t sheet = sheet_of[s];
        if (sheet < 0 || keyed[static_cast<std::size_t>(sheet)] == nullptr || sprites[s].parts.empty()) continue;
        // A unit's lead is its first sprite, so it is numbered when that is met.
        const std::size_t lead = joins.find(s);
        if (lead == s) {
            result.unit_of_sprite[s] = result.units.size();
            result.units.emplace_back();
        } else {
            result.unit_of_sprite[s] = result.unit_of_sprite[lead];
        }
        ColourUnit& unit = result.units[result.unit_of_sprite[s]];
        unit.sprites.push_back(s);
        ColourSet joined;
        std::set_union(unit.colours.begin(), unit.colours.end(), colours[s].begin(), colours[s].end(),
                       std::back_inserter(joined));
        unit.colours = std::move(joined);
    }
    return result;
}

}  // namespace pixcell
