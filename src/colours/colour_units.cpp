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

// The sprites of one sheet, read pixel by pixel: each sprite's colours, and
// the joins of sprites that meet on a pixel (the one that took it last).
void read_sheet(const SpriteList& sprites, const std::vector<std::size_t>& on_sheet, const KeyedSheet& sheet,
                const ColourNumbers& numbers, Joins& joins, std::vector<ColourSet>& colours) {
    constexpr std::uint32_t kFree = 0xFFFFFFFF;
    std::vector<std::uint32_t> owner(sheet.keys.size(), kFree);
    std::vector<std::uint32_t> stamp(numbers.count(), kFree);  // the last sprite a colour was added to
    for (const std::size_t s : on_sheet) {
        const auto me = static_cast<std::uint32_t>(s);
        ColourSet& set = colours[s];
        for (const SpritePart& part : sprites[s].parts) {
            const PixelArea area = pixels_on_sheet(part, sheet.width, sheet.height);
            if (area.empty()) continue;
            for (std::int64_t y = area.top; y < area.bottom; ++y) {
                const std::size_t start = static_cast<std::size_t>(y * sheet.width + area.left);
                const std::size_t end = start + static_cast<std::size_t>(area.right - area.left);
                for (std::size_t p = start; p < end; ++p) {
                    const std::uint32_t other = owner[p];
                    if (other != me) {
                        if (other != kFree) joins.join(s, other);
                        owner[p] = me;
                    }
                    const ColourKey key = sheet.keys[p];
                    if (key == kTransparentKey) continue;
                    const std::uint32_t number = numbers.find(key);
                    if (stamp[number] == me) continue;
                    stamp[number] = me;
                    set.push_back(number);
                }
            }
        }
        std::sort(set.begin(), set.end());
    }
}

}  // namespace

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
