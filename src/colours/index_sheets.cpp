#include "colours/index_sheets.h"

#include <algorithm>
#include <map>
#include <tuple>
#include <utility>

#include "colours/colour_keys.h"
#include "colours/colour_units.h"
#include "colours/indexed_rows.h"
#include "colours/match_rows.h"
#include "colours/pack_rows.h"
#include "common/console.h"
#include "common/messages.h"
#include "description/part_area.h"

namespace pixcell {

namespace {

constexpr std::size_t kRowSlots = kRowColours;

// The rows the sheets' pixels are put in: for each row the slot each colour
// shows in, and the row of each unit.
struct Rows {
    std::size_t count = 0;
    std::size_t first = 0;  // made rows: the first, those before it empty
    // [row * kRowKeys + key]: 0 when the row lacks the colour, and for the
    // transparent key, which follows the colours.
    std::vector<std::uint8_t> slots;
    std::vector<std::int32_t> unit_rows;   // by unit
    std::vector<std::vector<Rgb>> colours;  // made rows: the colours of slots 1.. of each row
};

constexpr std::size_t kRowKeys = kColourKeys + 1;

std::uint8_t& slot(Rows& rows, std::size_t row, ColourKey key) { return rows.slots[row * kRowKeys + key]; }

std::string text_of(const Rgb& colour) { return messages::warn::colour_text(colour.red, colour.green, colour.blue); }

std::vector<std::string> names_of(const ColourUnit& unit, const SpriteList& sprites) {
    std::vector<std::string> names;
    for (const std::size_t s : unit.sprites) names.push_back(sprites[s].name);
    return names;
}

void warn_about_sheet(const KeyedSheet& sheet, const std::string& name, std::int64_t line, Diagnostics& diagnostics) {
    namespace warn = messages::warn;
    if (sheet.partial > 0) {
        diagnostics.warning_at(line, warn::partly_transparent(name, sheet.partial, sheet.first_partial.x,
                                                              sheet.first_partial.y, sheet.first_partial_alpha));
    }
    if (sheet.merged) {
        diagnostics.warning_at(
            line, warn::colours_shown_alike(name, text_of(sheet.merged_colours[0]), sheet.merged_places[0].x,
                                            sheet.merged_places[0].y, text_of(sheet.merged_colours[1]),
                                            sheet.merged_places[1].x, sheet.merged_places[1].y));
    }
    if (sheet.transparent_from_corner) {
        diagnostics.note_at(line, warn::transparent_from_corner(name, text_of(sheet.transparent)));
    }
}

// Rows made to hold the units' colours, as few as will do, from
// `first_row` on, clear of the rows of the indexed sheets' sprites (`used`);
// the rows before them stay empty.
std::optional<Rows> make_rows(const ColourUnits& units, const ColourNumbers& numbers,
                              const std::vector<std::string>& sheet_names, const std::string& failing_sheet,
                              const std::optional<std::int32_t>& first_row, bool after, std::uint32_t used) {
    std::vector<ColourSet> sets;
    std::vector<std::size_t> unit_of_set;
    for (std::size_t u = 0; u < units.units.size(); ++u) {
        if (units.units[u].colours.empty()) continue;
        sets.push_back(units.units[u].colours);
        unit_of_set.push_back(u);
    }
    const PackedRows packed = pack_rows(sets);
    const std::size_t from = static_cast<std::size_t>(first_row.value_or(0));
    if (!packed.packing || packed.rows_needed > kPaletteRows - from) {
        messages::cant_use_sheet(
            failing_sheet, messages::colour_problem::too_many_rows(sheet_names, packed.rows_needed, first_row, after));
        return std::nullopt;
    }
    const std::optional<std::size_t> start =
        free_rows(used, from, std::max<std::size_t>(1, packed.packing->rows.size()));
    if (!start) {
        std::vector<std::int32_t> taken;
        for (std::int32_t r = 0; r < kPaletteRows; ++r) {
            if ((used >> r & 1) != 0) taken.push_back(r);
        }
        messages::cant_use_sheet(failing_sheet,
                                 messages::colour_problem::rows_taken(sheet_names, packed.rows_needed, from, taken));
        return std::nullopt;
    }
    const std::size_t first = *start;
    // Units without colours (sprites transparent throughout) are in the
    // first row, which exists even when no unit has colours.
    Rows rows;
    rows.first = first;
    rows.count = first + std::max<std::size_t>(1, packed.packing->rows.size());
    rows.slots.assign(rows.count * kRowKeys, 0);
    rows.unit_rows.assign(units.units.size(), static_cast<std::int32_t>(first));
    rows.colours.resize(rows.count);
    for (std::size_t r = 0; r < packed.packing->rows.size(); ++r) {
        std::vector<Rgb>& colours = rows.colours[first + r];
        for (const std::uint32_t number : packed.packing->rows[r]) {
            colours.push_back(numbers.colour(number));
            slot(rows, first + r, numbers.key(number)) = static_cast<std::uint8_t>(colours.size());
        }
    }
    for (std::size_t i = 0; i < sets.size(); ++i) {
        rows.unit_rows[unit_of_set[i]] = static_cast<std::int32_t>(first + packed.packing->unit_rows[i]);
    }
    return rows;
}

// The units no given row holds, said once for each sheet, best row and set
// of missing colours, with the number of other sprites that miss the same,
// so that the frames of an animation drawn with one wrong colour make one
// line; a note names the first sprite's line.
void say_row_misses(const std::vector<RowMiss>& misses, const ColourUnits& units, const ColourNumbers& numbers,
                    const std::string& given_file, const SpriteList& sprites, const std::vector<std::int32_t>& sheet_of,
                    const SheetStore& sheets, Diagnostics& diagnostics) {
    struct Group {
        const RowMiss* first;
        std::size_t more_sprites = 0;
    };
    std::vector<Group> groups;
    std::map<std::tuple<std::int32_t, std::int32_t, ConsoleColours>, std::size_t> group_of;
    for (const RowMiss& miss : misses) {
        const ColourUnit& unit = units.units[miss.unit];
        const auto key = std::make_tuple(sheet_of[unit.sprites.front()], miss.best_row, miss.missing);
        const auto [at, added] = group_of.emplace(key, groups.size());
        if (added) {
            groups.push_back({&miss});
        } else {
            groups[at->second].more_sprites += unit.sprites.size();
        }
    }
    for (const Group& group : groups) {
        const ColourUnit& unit = units.units[group.first->unit];
        std::vector<std::string> missing;
        for (const ColourKey key : group.first->missing) missing.push_back(text_of(numbers.colour(numbers.find(key))));
        const SpriteObject& first = sprites[unit.sprites.front()];
        messages::cant_use_sheet(sheets.name(sheet_of[unit.sprites.front()]),
                                 messages::colour_problem::no_row_holds(names_of(unit, sprites), group.more_sprites,
                                                                        given_file, group.first->best_row, missing));
        diagnostics.note_at(first.line, messages::warn::sprite_named_here(first.name));
    }
}

// The rows of a palette the game has: each unit in the lowest row holding
// all its colours.
std::optional<Rows> match_given_rows(const ColourUnits& units, const ColourNumbers& numbers, const Palette& given,
                                     const std::string& given_file, const SpriteList& sprites,
                                     const std::vector<std::int32_t>& sheet_of, const SheetStore& sheets,
                                     Diagnostics& diagnostics) {
    ConsoleColours palette;
    for (const Rgb& colour : given) palette.push_back(colour_key(colour.red, colour.green, colour.blue));
    std::vector<ConsoleColours> unit_colours;
    for (const ColourUnit& unit : units.units) {
        ConsoleColours& keys = unit_colours.emplace_back();
        for (const std::uint32_t number : unit.colours) keys.push_back(numbers.key(number));
    }
    const MatchedRows matched = match_rows(palette, unit_colours);
    if (!matched.misses.empty()) {
        say_row_misses(matched.misses, units, numbers, given_file, sprites, sheet_of, sheets, diagnostics);
        return std::nullopt;
    }
    Rows rows;
    rows.count = std::max<std::size_t>(1, (given.size() + kRowSlots - 1) / kRowSlots);
    rows.slots.assign(rows.count * kRowKeys, 0);
    // The lowest slot of each colour in each row; slot 0 holds none.
    for (std::size_t entry = given.size(); entry-- > 0;) {
        if (entry % kRowSlots != 0) slot(rows, entry / kRowSlots, palette[entry]) = entry % kRowSlots;
    }
    for (const UnitMatch& unit : matched.units) rows.unit_rows.push_back(unit.row);
    return rows;
}

// The palette of an indexed sheet with made rows: 16 entries a row, slot 0
// the sheet's transparent colour, unused slots black.
Palette made_palette(const Rows& rows, const Rgb& transparent) {
    Palette palette(rows.count * kRowSlots);
    for (std::size_t r = 0; r < rows.count; ++r) {
        palette[r * kRowSlots] = transparent;
        for (std::size_t k = 0; k < rows.colours[r].size(); ++k) palette[r * kRowSlots + k + 1] = rows.colours[r][k];
    }
    return palette;
}

// The indices of a sheet's sprites' pixels; those of no sprite stay 0.
IndexedImage index_sheet(const KeyedSheet& sheet, Palette palette, const std::vector<std::size_t>& on_sheet,
                         const SpriteList& sprites, const ColourUnits& units, Rows& rows) {
    IndexedImage image = IndexedImage::decoded(sheet.width, sheet.height, std::move(palette));
    std::uint8_t* pixels = image.pixels();
    for (const std::size_t s : on_sheet) {
        const std::int32_t row = rows.unit_rows[units.unit_of_sprite[s]];
        const auto base = static_cast<std::uint8_t>(row << kRowShift);
        const std::uint8_t* slots = &slot(rows, static_cast<std::size_t>(row), 0);
        for (const SpritePart& part : sprites[s].parts) {
            const PixelArea area = coloured_pixels(part, sheet.width, sheet.height);
            if (area.empty()) continue;
            for (std::int64_t y = area.top; y < area.bottom; ++y) {
                const std::size_t start = static_cast<std::size_t>(y * sheet.width + area.left);
                const std::size_t end = start + static_cast<std::size_t>(area.right - area.left);
                for (std::size_t p = start; p < end; ++p) {
                    // Transparent is 0 in every row: the cells of a clipped
                    // part that reach into a neighbour's transparent pixels
                    // then read no other row.
                    const ColourKey key = sheet.key(p);
                    pixels[p] = key == kTransparentKey ? 0 : static_cast<std::uint8_t>(base | slots[key]);
                }
            }
        }
    }
    return image;
}

}  // namespace

bool index_true_colour_sheets(const SpriteList& sprites, SheetStore& sheets, const ColourOptions& options,
                              const std::vector<std::int64_t>& sheet_lines, Diagnostics& diagnostics) {
    std::vector<std::int32_t> true_colour;
    std::vector<std::string> true_colour_names;
    for (std::int32_t i = 0; i < static_cast<std::int32_t>(sheets.count()); ++i) {
        if (sheets.true_colour(i) == nullptr) continue;
        true_colour.push_back(i);
        true_colour_names.push_back(sheets.name(i));
    }
    // --first-row moves the rows indexed sheets are drawn in.
    bool any_indexed = false;
    for (std::int32_t i = 0; i < static_cast<std::int32_t>(sheets.count()); ++i) {
        if (sheets.true_colour(i) != nullptr) continue;
        any_indexed = true;
        if (options.first_row) sheets.set_row_shift(i, *options.first_row);
    }
    if (true_colour.empty()) {
        // Indexed sheets keep their indices: a palette given for the others has nothing to act on.
        if (options.given_rows) diagnostics.note(messages::warn::palette_from_unused(options.given_rows_file));
        if (options.first_row && !any_indexed) {
            diagnostics.note(messages::warn::first_row_without_sheets(*options.first_row));
        }
        return true;
    }
    // Read before the true-colour sheets are taken apart, which tells them from the indexed ones.
    const std::uint32_t indexed_used = any_indexed && !options.given_rows ? indexed_rows(sprites, sheets) : 0;
    if (options.first_row && options.given_rows && !any_indexed) {
        diagnostics.note(messages::warn::first_row_with_given_rows(*options.first_row, options.given_rows_file));
    }

    // Each sheet's colours, numbered in the order they first appear, keyed
    // in place of its pixels.
    ColourNumbers numbers;
    std::vector<KeyedSheet> keyed(sheets.count());
    std::vector<const KeyedSheet*> keyed_of(sheets.count(), nullptr);
    for (const std::int32_t i : true_colour) {
        const std::size_t at = static_cast<std::size_t>(i);
        keyed[at] = key_sheet(std::move(*sheets.take_true_colour(i)), options.transparent, numbers);
        keyed_of[at] = &keyed[at];
        warn_about_sheet(keyed[at], sheets.name(i), at < sheet_lines.size() ? sheet_lines[at] : 0, diagnostics);
    }

    std::vector<std::int32_t> sheet_of(sprites.size());
    for (std::size_t s = 0; s < sprites.size(); ++s) sheet_of[s] = sheets.find(sprites[s].bitmap);
    number_colours_by_sprites(sprites, sheet_of, keyed_of, numbers);
    const ColourUnits units = find_colour_units(sprites, sheet_of, keyed_of, numbers);
    bool fits = true;
    for (const ColourUnit& unit : units.units) {
        if (unit.colours.size() < static_cast<std::size_t>(kRowColours)) continue;
        const SpriteObject& first = sprites[unit.sprites.front()];
        messages::cant_use_sheet(sheets.name(sheet_of[unit.sprites.front()]),
                                 messages::colour_problem::too_many_colours(names_of(unit, sprites), unit.colours.size()));
        diagnostics.note_at(first.line, messages::warn::sprite_named_here(first.name));
        fits = false;
    }
    if (!fits) return false;

    std::optional<Rows> rows =
        options.given_rows ? match_given_rows(units, numbers, *options.given_rows, options.given_rows_file, sprites,
                                              sheet_of, sheets, diagnostics)
                           : make_rows(units, numbers, true_colour_names, true_colour_names.back(), options.first_row,
                                       options.rows_option.rfind("--after", 0) == 0, indexed_used);
    if (!rows) return false;

    for (const std::int32_t i : true_colour) {
        const KeyedSheet& sheet = keyed[static_cast<std::size_t>(i)];
        std::vector<std::size_t> on_sheet;
        for (std::size_t s = 0; s < sprites.size(); ++s) {
            if (sheet_of[s] == i && units.unit_of_sprite[s] != ColourUnits::kNoUnit) on_sheet.push_back(s);
        }
        Palette palette = options.given_rows ? *options.given_rows : made_palette(*rows, sheet.transparent);
        IndexedImage image = index_sheet(sheet, std::move(palette), on_sheet, sprites, units, *rows);
        if (!options.given_rows) image.set_first_palette_row(static_cast<std::int32_t>(rows->first));
        sheets.set_indexed(i, std::move(image));
        keyed[static_cast<std::size_t>(i)] = KeyedSheet{};  // its keys are needed no more
    }
    return true;
}

}  // namespace pixcell
