// Packing colour sets into rows is bin packing where items may share
// contents (the "pagination" problem, arXiv:1605.00558): a set costs a row
// only the colours the row lacks. The fewest rows of several ways are kept:
// placing the sets one at a time, largest first, where they add the fewest
// new colours; filling one row at a time from the sets that share its
// colours; the plain first-fit baselines; placing again row by row;
// gathering sets pairwise by the colours they share; and a bounded search
// for one row fewer. Each way after the first runs only while the rows are
// above a lower bound, which the common sheet (characters apart, one frame
// with all of each one's colours) reaches at once. The sets are the distinct
// units, as most units repeat a few sets.
#include "colours/pack_rows.h"

#include <algorithm>
#include <functional>

#include "colours/colour_sets.h"
#include "colours/row_filling.h"
#include "colours/row_placement.h"
#include "colours/row_search.h"

namespace pixcell {
namespace {

using packing::Colours;
using packing::kRowSize;
using packing::Packing;

// Sets not inside another, at most, for gathering: it keeps a table of pairs.
constexpr std::size_t kGatherSets = 512;

std::uint64_t hash_of(const std::uint32_t* first, const std::uint32_t* last) {
    std::uint64_t hash = 0;
    for (; first != last; ++first) hash = (hash ^ *first) * 0x9E3779B97F4A7C15u;
    return hash ^ (hash >> 29);
}

// The distinct sets in order of first appearance, and each unit's set; false
// when a unit has more colours than a row holds. Units are expected sorted
// and distinct; others are made so. The sets are found through a table of
// their indices (open addressing, a power of 2 at most half full), as a
// hopeless input may have nearly one per unit.
bool dedupe(const std::vector<ColourSet>& units, std::vector<Colours>& sets, std::vector<std::uint32_t>& set_of_unit) {
    constexpr std::uint32_t kFree = 0xFFFFFFFFu;
    std::vector<std::uint32_t> slots(64, kFree);
    std::vector<std::uint64_t> hashes;  // of each set, to place it again when the table grows
    ColourSet scratch;
    set_of_unit.reserve(units.size());
    for (const ColourSet& unit : units) {
        const ColourSet* colours = &unit;
        if (std::adjacent_find(unit.begin(), unit.end(), std::greater_equal<std::uint32_t>()) != unit.end()) {
            scratch = unit;
            std::sort(scratch.begin(), scratch.end());
            scratch.erase(std::unique(scratch.begin(), scratch.end()), scratch.end());
            colours = &scratch;
        }
        if (colours->size() > kRowSize) return false;
        const std::uint32_t* first = colours->data();
        const std::uint32_t* last = first + colours->size();
        const std::uint64_t hash = hash_of(first, last);
        const std::size_t mask = slots.size() - 1;
        std::size_t slot = hash & mask;
        while (slots[slot] != kFree && (hashes[slots[slot]] != hash ||
                                        !std::equal(first, last, sets[slots[slot]].begin(), sets[slots[slot]].end()))) {
            slot = (slot + 1) & mask;
        }
        if (slots[slot] != kFree) {
            set_of_unit.push_back(slots[slot]);
            continue;
        }
        Colours set;
        set.count = static_cast<std::uint32_t>(last - first);
        std::copy(first, last, set.colour.begin());
        set_of_unit.push_back(static_cast<std::uint32_t>(sets.size()));
        slots[slot] = static_cast<std::uint32_t>(sets.size());
        sets.push_back(set);
        hashes.push_back(hash);
        if (2 * sets.size() > slots.size()) {
            slots.assign(2 * slots.size(), kFree);
            for (std::uint32_t index = 0; index < sets.size(); ++index) {
                std::size_t again = hashes[index] & (slots.size() - 1);
                while (slots[again] != kFree) again = (again + 1) & (slots.size() - 1);
                slots[again] = index;
            }
        }
    }
    return true;
}

// Numbers the sets' colours 0, 1, 2, ... keeping their order, so that
// tables indexed by colour are as long as there are colours; gives the
// colours by their new number. Numbered by first appearance, the colours
// are nearly a range already, and a table finds their new numbers; sorting
// is only for input that is not.
std::vector<std::uint32_t> renumber_colours(std::vector<Colours>& sets) {
    std::size_t entries = 0;
    std::uint32_t most = 0;
    for (const Colours& set : sets) {
        entries += set.count;
        if (set.count > 0) most = std::max(most, set.end()[-1]);
    }
    std::vector<std::uint32_t> colours;
    auto new_number = [&](std::uint32_t colour) {
        return static_cast<std::uint32_t>(std::lower_bound(colours.begin(), colours.end(), colour) - colours.begin());
    };
    std::vector<std::uint32_t> table;
    if (most / 8 <= entries) {
        table.assign(std::size_t{most} + 1, 0);
        for (const Colours& set : sets) {
            for (const std::uint32_t colour : set) table[colour] = 1;
        }
        for (std::uint32_t colour = 0; colour <= most; ++colour) {
            if (!table[colour]) continue;
            table[colour] = static_cast<std::uint32_t>(colours.size());
            colours.push_back(colour);
        }
    } else {
        for (const Colours& set : sets) colours.insert(colours.end(), set.begin(), set.end());
        std::sort(colours.begin(), colours.end());
        colours.erase(std::unique(colours.begin(), colours.end()), colours.end());
    }
    for (Colours& set : sets) {
        set.bits = 0;
        for (std::uint32_t k = 0; k < set.count; ++k) {
            set.colour[k] = table.empty() ? new_number(set.colour[k]) : table[set.colour[k]];
            set.bits |= std::uint64_t{1} << (set.colour[k] % 64);
        }
    }
    return colours;
}

// Sets no two of which fit one row together need a row each. They are
// picked greedily, largest first, until there are more than the console's
// rows: for the common sheet, one full frame per character.
std::size_t rows_for_conflicts(const std::vector<Colours>& sets, const std::vector<std::uint32_t>& largest) {
    std::vector<std::uint32_t> apart;
    for (const std::uint32_t index : largest) {
        if (apart.size() > kPaletteRows) break;
        const Colours& set = sets[index];
        if (std::none_of(apart.begin(), apart.end(), [&](std::uint32_t a) {
                return packing::bit_count(sets[a].bits | set.bits) <= kRowSize && fits(sets[a], set);
            })) {
            apart.push_back(index);
        }
    }
    return apart.size();
}

// The rows in the order of their colours, in the units' colour numbers
// (`colours` by their new number), and each unit's row among them.
RowPacking ordered(const Packing& packing, const std::vector<std::uint32_t>& set_of_unit,
                   const std::vector<std::uint32_t>& colours) {
    const std::vector<Colours>& rows = packing.rows;
    std::vector<std::uint32_t> order = packing::first_appearance(rows.size());
    std::stable_sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) {
        return std::lexicographical_compare(rows[a].begin(), rows[a].end(), rows[b].begin(), rows[b].end());
    });
    RowPacking result;
    std::vector<std::uint32_t> place_of_row(rows.size());
    for (std::uint32_t place = 0; place < order.size(); ++place) {
        place_of_row[order[place]] = place;
        ColourSet& row = result.rows.emplace_back();
        for (const std::uint32_t colour : rows[order[place]]) row.push_back(colours[colour]);
    }
    result.unit_rows.reserve(set_of_unit.size());
    for (const std::uint32_t set : set_of_unit) result.unit_rows.push_back(place_of_row[packing.row_of_set[set]]);
    return result;
}

}  // namespace

PackedRows pack_rows(const std::vector<ColourSet>& units) {
    std::vector<Colours> sets;
    std::vector<std::uint32_t> set_of_unit;
    if (!dedupe(units, sets, set_of_unit)) return {};

    const std::vector<std::uint32_t> colours = renumber_colours(sets);

    const std::vector<std::uint32_t> given = packing::first_appearance(sets.size());
    const std::vector<std::uint32_t> largest = packing::largest_first(sets, given);
    // A row holds at most kRowSize colours.
    const std::size_t by_colours =
        std::max<std::size_t>((colours.size() + kRowSize - 1) / kRowSize, sets.empty() ? 0 : 1);
    const std::size_t lower_bound =
        by_colours > kPaletteRows ? by_colours : std::max(by_colours, rows_for_conflicts(sets, largest));

    Packing best = packing::place(sets, largest, packing::Choice::fewest_new);
    if (by_colours <= kPaletteRows && best.rows.size() > lower_bound) {
        const std::size_t most = std::min(best.rows.size() - 1, packing::kSearchedRows);
        Packing filled = packing::fill_rows(sets, largest, most);
        if (filled.rows.size() <= most) best = std::move(filled);
    }
    // When the colours alone need more rows than the console has, or the
    // placements far more, only a count is wanted, and they gave one.
    const bool hopeless = by_colours > kPaletteRows || best.rows.size() > packing::kSearchedRows;
    if (!hopeless) {
        // The plain baselines: the result never takes more rows than either.
        for (const std::vector<std::uint32_t>* order : {&largest, &given}) {
            if (best.rows.size() == lower_bound) break;
            Packing other = packing::place(sets, *order, packing::Choice::first_fit, best.rows.size() - 1);
            if (other.rows.size() < best.rows.size()) best = std::move(other);
        }
        best = packing::repack(sets, std::move(best), lower_bound);
    }
    if (!hopeless && best.rows.size() > lower_bound) {
        const std::vector<std::uint32_t> outer = packing::outer_sets(sets, largest, kGatherSets);
        if (!outer.empty()) {
            best = packing::gather_rows(sets, outer, std::move(best), lower_bound);
            best = packing::search_fewer_rows(sets, outer, std::move(best), lower_bound);
        }
    }

    PackedRows result;
    result.rows_needed = best.rows.size();
    if (result.rows_needed <= kPaletteRows) result.packing = ordered(best, set_of_unit, colours);
    return result;
}

}  // namespace pixcell
