// Packing colour sets into rows is bin packing where items may share
// contents (the "pagination" problem): a set costs a row only the colours the
// row lacks. Greedy placements in a few orders are tried and the fewest rows
// kept, then the best is re-packed row by row while that still helps.
#include "colours/pack_rows.h"

#include <algorithm>
#include <array>
#include <numeric>

#include "common/console.h"

namespace pixcell {
namespace {

constexpr std::uint32_t kRowSize = kRowColours - 1;  // slot 0 is transparent

// A placement looks at the newest rows only, so that counting the rows of a
// hopeless input takes little time: as many as about kSearchBudget row tests
// allow, at least the console's rows (a packing that fits is searched in
// full) and at most kSearchedRows (past that, only the count is wanted).
constexpr std::size_t kSearchedRows = 64;
constexpr std::size_t kSearchBudget = std::size_t{1} << 20;

// Re-packing rounds after the greedy placements; each costs one placement.
constexpr int kRepackRounds = 8;

// The colours of a distinct unit or of a row, sorted, held in place: the
// many small lists of a hopeless input then cost no allocations.
struct Colours {
    std::array<std::uint32_t, kRowSize> colour{};
    std::uint32_t count = 0;
    // One bit per colour number modulo 64: the bits of a row and a set
    // together count at most the colours of their union, so most sets that
    // can't join a row are turned away without comparing lists.
    std::uint64_t bits = 0;

    const std::uint32_t* begin() const { return colour.data(); }
    const std::uint32_t* end() const { return colour.data() + count; }
};

struct Packing {
    std::vector<Colours> rows;
    std::vector<std::uint32_t> row_of_set;
};

// Inline: without -mpopcnt, std::bitset::count is a library call, and this
// test is the inner loop of a hopeless input.
std::uint32_t bit_count(std::uint64_t bits) {
    bits -= (bits >> 1) & 0x5555555555555555u;
    bits = (bits & 0x3333333333333333u) + ((bits >> 2) & 0x3333333333333333u);
    bits = (bits + (bits >> 4)) & 0x0F0F0F0F0F0F0F0Fu;
    return static_cast<std::uint32_t>((bits * 0x0101010101010101u) >> 56);
}

// Colours of `set` that `row` lacks, counted up to one past `most`.
std::uint32_t new_colours(const Colours& row, const Colours& set, std::uint32_t most) {
    std::uint32_t added = 0;
    const std::uint32_t* in_row = row.begin();
    for (const std::uint32_t colour : set) {
        while (in_row != row.end() && *in_row < colour) ++in_row;
        if ((in_row == row.end() || *in_row != colour) && ++added > most) break;
    }
    return added;
}

// Only called when the union fits a row.
void add_colours(Colours& row, const Colours& set) {
    Colours merged;
    merged.count = static_cast<std::uint32_t>(
        std::set_union(row.begin(), row.end(), set.begin(), set.end(), merged.colour.begin()) - merged.colour.begin());
    merged.bits = row.bits | set.bits;
    row = merged;
}

enum class Choice { first_fit, fewest_new };

// Places the sets in `order`, each in the first row it fits or in the one it
// adds the fewest new colours to (the first of those), else in a new row.
Packing place(const std::vector<Colours>& sets, const std::vector<std::uint32_t>& order, Choice choice) {
    const std::size_t window =
        std::clamp(kSearchBudget / std::max<std::size_t>(sets.size(), 1), std::size_t{kPaletteRows}, kSearchedRows);
    Packing packing;
    std::vector<Colours>& rows = packing.rows;
    packing.row_of_set.resize(sets.size());
    for (const std::uint32_t index : order) {
        const Colours& set = sets[index];
        std::size_t best = rows.size();
        std::uint32_t best_added = set.count + 1;  // any row it fits beats a new one
        const std::size_t first = rows.size() > window ? rows.size() - window : 0;
        for (std::size_t r = first; r < rows.size(); ++r) {
            const Colours& row = rows[r];
            // Cheap refusals first: a full row takes only sets it holds.
            if (row.count == kRowSize && (set.bits & ~row.bits) != 0) continue;
            if (bit_count(row.bits | set.bits) > kRowSize) continue;
            // Only a row it fits and adds fewer colours to than the best yet.
            const std::uint32_t most = std::min(kRowSize - row.count, best_added - 1);
            const std::uint32_t added = new_colours(row, set, most);
            if (added > most) continue;
            best = r;
            best_added = added;
            if (choice == Choice::first_fit || added == 0) break;
        }
        if (best == rows.size()) rows.emplace_back();
        add_colours(rows[best], set);
        packing.row_of_set[index] = static_cast<std::uint32_t>(best);
    }
    return packing;
}

std::vector<std::uint32_t> first_appearance(std::size_t count) {
    std::vector<std::uint32_t> order(count);
    std::iota(order.begin(), order.end(), std::uint32_t{0});
    return order;
}

// Largest first; equal sizes keep their order.
std::vector<std::uint32_t> largest_first(const std::vector<Colours>& sets, std::vector<std::uint32_t> order) {
    std::stable_sort(order.begin(), order.end(),
                     [&](std::uint32_t a, std::uint32_t b) { return sets[a].count > sets[b].count; });
    return order;
}

// Placing the sets again row by row never takes more rows: each row's sets
// fit together, so a row's sets open at most one new row between them. The
// rows' order changes from round to round (newest first, then fullest
// first), which moves sets between rows and may empty some.
Packing repack(const std::vector<Colours>& sets, Packing best, std::size_t lower_bound) {
    const std::vector<std::uint32_t> largest = largest_first(sets, first_appearance(sets.size()));
    for (int round = 0; round < kRepackRounds && best.rows.size() > lower_bound; ++round) {
        std::vector<std::uint32_t> row_order = first_appearance(best.rows.size());
        if (round % 2 == 0) {
            std::reverse(row_order.begin(), row_order.end());
        } else {
            std::stable_sort(row_order.begin(), row_order.end(),
                             [&](std::uint32_t a, std::uint32_t b) { return best.rows[a].count > best.rows[b].count; });
        }
        std::vector<std::uint32_t> rank(best.rows.size());
        for (std::uint32_t place = 0; place < row_order.size(); ++place) rank[row_order[place]] = place;
        // The sets grouped by their row's rank, largest first within a row.
        std::vector<std::uint32_t> order = largest;
        std::stable_sort(order.begin(), order.end(),
                         [&](std::uint32_t a, std::uint32_t b) { return rank[best.row_of_set[a]] < rank[best.row_of_set[b]]; });
        Packing next = place(sets, order, Choice::fewest_new);
        if (next.rows.size() <= best.rows.size()) best = std::move(next);
    }
    return best;
}

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
        std::size_t slot = hash & (slots.size() - 1);
        while (slots[slot] != kFree &&
               (hashes[slots[slot]] != hash || !std::equal(first, last, sets[slots[slot]].begin(), sets[slots[slot]].end()))) {
            slot = (slot + 1) & (slots.size() - 1);
        }
        if (slots[slot] == kFree) {
            Colours set;
            set.count = static_cast<std::uint32_t>(last - first);
            std::copy(first, last, set.colour.begin());
            for (const std::uint32_t colour : set) set.bits |= std::uint64_t{1} << (colour % 64);
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
            set_of_unit.push_back(static_cast<std::uint32_t>(sets.size() - 1));
        } else {
            set_of_unit.push_back(slots[slot]);
        }
    }
    return true;
}

// Every row holds at most kRowSize colours, so there are at least this many.
std::size_t rows_for_colours(const std::vector<Colours>& sets) {
    std::size_t entries = 0;
    std::uint32_t most = 0;
    for (const Colours& set : sets) {
        entries += set.count;
        if (set.count > 0) most = std::max(most, set.end()[-1]);
    }
    std::size_t colours = 0;
    if (most / 8 <= entries) {
        // Numbered by first appearance, the colours are a dense range.
        std::vector<char> seen(std::size_t{most} + 1);
        for (const Colours& set : sets) {
            for (const std::uint32_t colour : set) {
                colours += !seen[colour];
                seen[colour] = 1;
            }
        }
    } else {
        ColourSet all;
        for (const Colours& set : sets) all.insert(all.end(), set.begin(), set.end());
        std::sort(all.begin(), all.end());
        colours = static_cast<std::size_t>(std::unique(all.begin(), all.end()) - all.begin());
    }
    return (colours + kRowSize - 1) / kRowSize;
}

// The rows in the order of their colours, and each unit's row among them.
RowPacking ordered(const Packing& packing, const std::vector<std::uint32_t>& set_of_unit) {
    const std::vector<Colours>& rows = packing.rows;
    std::vector<std::uint32_t> order = first_appearance(rows.size());
    std::sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) {
        if (std::equal(rows[a].begin(), rows[a].end(), rows[b].begin(), rows[b].end())) return a < b;
        return std::lexicographical_compare(rows[a].begin(), rows[a].end(), rows[b].begin(), rows[b].end());
    });
    RowPacking result;
    std::vector<std::uint32_t> place_of_row(rows.size());
    for (std::uint32_t place = 0; place < order.size(); ++place) {
        place_of_row[order[place]] = place;
        result.rows.emplace_back(rows[order[place]].begin(), rows[order[place]].end());
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

    const std::vector<std::uint32_t> given = first_appearance(sets.size());
    const std::vector<std::uint32_t> largest = largest_first(sets, given);
    const std::size_t lower_bound = std::max<std::size_t>(rows_for_colours(sets), sets.empty() ? 0 : 1);

    Packing best = place(sets, largest, Choice::fewest_new);
    // When the colours alone need more rows than the console has, or the
    // first placement far more, only the count is wanted, and it has it.
    if (lower_bound <= kPaletteRows && best.rows.size() <= kSearchedRows) {
        // The plain baselines: the result never takes more rows than either.
        for (const std::vector<std::uint32_t>* order : {&largest, &given}) {
            if (best.rows.size() == lower_bound) break;
            Packing other = place(sets, *order, Choice::first_fit);
            if (other.rows.size() < best.rows.size()) best = std::move(other);
        }
        best = repack(sets, std::move(best), lower_bound);
    }

    PackedRows result;
    result.rows_needed = best.rows.size();
    if (result.rows_needed <= kPaletteRows) result.packing = ordered(best, set_of_unit);
    return result;
}

}  // namespace pixcell
