#include "colours/row_placement.h"

#include <numeric>

namespace pixcell::packing {
namespace {

// A placement looks at the newest rows only, so that counting the rows of a
// hopeless input takes little time: as many as about kPlacementBudget row
// tests allow, at least the console's rows (a packing that fits is searched
// in full) and at most kSearchedRows.
constexpr std::size_t kPlacementBudget = std::size_t{1} << 20;

// Each round of re-packing costs one placement: as many rounds as about
// kRepackWork sets placed allow, at most kRepackRounds.
constexpr std::size_t kRepackRounds = 8;
constexpr std::size_t kRepackWork = std::size_t{1} << 16;

}  // namespace

Packing place(const std::vector<Colours>& sets, const std::vector<std::uint32_t>& order, Choice choice,
              std::size_t most) {
    const std::size_t window =
        std::clamp(kPlacementBudget / std::max<std::size_t>(sets.size(), 1), std::size_t{kPaletteRows}, kSearchedRows);
    Packing packing;
    std::vector<Colours>& rows = packing.rows;
    packing.row_of_set.resize(sets.size());
    for (const std::uint32_t index : order) {
        const Colours& set = sets[index];
        std::size_t best = rows.size();
        std::uint32_t best_added = set.count + 1;  // any row it fits beats a new one
        for (std::size_t r = rows.size() > window ? rows.size() - window : 0; r < rows.size(); ++r) {
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
        if (best == rows.size()) {
            rows.emplace_back();
            if (rows.size() > most) break;
        }
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

std::vector<std::uint32_t> largest_first(const std::vector<Colours>& sets, std::vector<std::uint32_t> order) {
    std::stable_sort(order.begin(), order.end(),
                     [&](std::uint32_t a, std::uint32_t b) { return sets[a].count > sets[b].count; });
    return order;
}

// Each row's sets fit together, so between them they open at most one new
// row: placing them again never takes more rows. The rows' order changes
// from round to round (newest first, then fullest first), which moves sets
// between rows and may empty some.
Packing repack(const std::vector<Colours>& sets, Packing packing, std::size_t lower_bound) {
    const std::vector<std::uint32_t> largest = largest_first(sets, first_appearance(sets.size()));
    const std::size_t rounds = std::min(kRepackRounds, kRepackWork / std::max<std::size_t>(sets.size(), 1));
    for (std::size_t round = 0; round < rounds && packing.rows.size() > lower_bound; ++round) {
        std::vector<std::uint32_t> row_order = first_appearance(packing.rows.size());
        if (round % 2 == 0) {
            std::reverse(row_order.begin(), row_order.end());
        } else {
            std::stable_sort(row_order.begin(), row_order.end(), [&](std::uint32_t a, std::uint32_t b) {
                return packing.rows[a].count > packing.rows[b].count;
            });
        }
        std::vector<std::uint32_t> rank(packing.rows.size());
        for (std::uint32_t place = 0; place < row_order.size(); ++place) rank[row_order[place]] = place;
        std::vector<std::uint32_t> order = largest;
        std::stable_sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) {
            return rank[packing.row_of_set[a]] < rank[packing.row_of_set[b]];
        });
        Packing next = place(sets, order, Choice::fewest_new, packing.rows.size());
        if (next.rows.size() <= packing.rows.size()) packing = std::move(next);
    }
    return packing;
}

}  // namespace pixcell::packing
