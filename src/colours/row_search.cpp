#include "colours/row_search.h"

#include <algorithm>
#include <random>
#include <utility>

#include "colours/row_placement.h"

namespace pixcell::packing {
namespace {

// Gathering compares every pair of outer sets, and re-packs all sets: a few
// orders of it, as many as about kGatherWork such steps allow, and always one.
constexpr int kGatherOrders = 8;
constexpr std::size_t kGatherWork = std::size_t{1} << 17;
constexpr std::uint32_t kShuffleSeed = 18;

// Finding the outer sets compares each set with those found before it: at
// most about this many comparisons.
constexpr std::size_t kOuterWork = std::size_t{1} << 22;

constexpr std::size_t kSearchSets = 256;    // outer sets, at most, for the search
constexpr std::size_t kSearchSteps = 5000;  // sets it places, at most, in all

// Each set's row: the outer sets' as given, the others the first that holds them.
Packing with_inner_sets(const std::vector<Colours>& sets, std::vector<Colours> rows,
                        const std::vector<std::uint32_t>& outer, const std::vector<std::uint32_t>& row_of_outer) {
    std::vector<std::uint32_t> row_of_set(sets.size(), 0);
    std::vector<bool> placed(sets.size(), false);
    for (std::size_t k = 0; k < outer.size(); ++k) {
        row_of_set[outer[k]] = row_of_outer[k];
        placed[outer[k]] = true;
    }
    for (std::uint32_t index = 0; index < sets.size(); ++index) {
        if (placed[index]) continue;
        const auto row =
            std::find_if(rows.begin(), rows.end(), [&](const Colours& r) { return holds(r, sets[index]); });
        row_of_set[index] = static_cast<std::uint32_t>(row - rows.begin());
    }
    return {std::move(rows), std::move(row_of_set)};
}

constexpr std::uint16_t kNever = 0xFFFF;

// What joining two rows costs, lowest first: the pair sharing the most
// colours, then adding the fewest to the larger; kNever when they don't fit
// one row together. Sets drawn from one row of the artist's share colours,
// so they come together first.
std::uint16_t join_cost(const Colours& a, const Colours& b) {
    if (bit_count(a.bits | b.bits) > kRowSize) return kNever;
    const bool a_larger = a.count >= b.count;
    const Colours& larger = a_larger ? a : b;
    const Colours& smaller = a_larger ? b : a;
    const std::uint32_t room = kRowSize - larger.count;
    const std::uint32_t added = new_colours(larger, smaller, room);
    if (added > room) return kNever;
    const std::uint32_t shared = smaller.count - added;
    return static_cast<std::uint16_t>((kRowSize - shared) * (kRowSize + 1) + added);
}

// join_cost of every pair of outer sets, a row per set.
std::vector<std::uint16_t> pair_costs(const std::vector<Colours>& sets, const std::vector<std::uint32_t>& outer) {
    const std::size_t count = outer.size();
    std::vector<std::uint16_t> cost(count * count, kNever);
    for (std::size_t a = 0; a < count; ++a) {
        for (std::size_t b = a + 1; b < count; ++b) {
            cost[a * count + b] = cost[b * count + a] = join_cost(sets[outer[a]], sets[outer[b]]);
        }
    }
    return cost;
}

// Starts with a row per outer set, taken in `order` (positions in `outer`),
// and joins the two rows of lowest join_cost (the first pair in that order
// of those) while any two fit together, where a placement one set at a time
// may have filled a row with others first. Each row keeps its nearest
// partner, so a join only looks again at the rows whose partner it took.
Packing gather(const std::vector<Colours>& sets, const std::vector<std::uint32_t>& outer,
               const std::vector<std::uint16_t>& outer_costs, const std::vector<std::uint32_t>& order) {
    const std::size_t count = outer.size();
    std::vector<Colours> rows;
    for (const std::uint32_t position : order) rows.push_back(sets[outer[position]]);
    std::vector<std::uint16_t> cost(count * count);
    for (std::size_t a = 0; a < count; ++a) {
        for (std::size_t b = 0; b < count; ++b) cost[a * count + b] = outer_costs[order[a] * count + order[b]];
    }
    std::vector<bool> alive(count, true);
    std::vector<std::size_t> nearest(count);
    auto find_nearest = [&](std::size_t a) {
        nearest[a] = a;
        for (std::size_t b = 0; b < count; ++b) {
            if (b != a && alive[b] && (nearest[a] == a || cost[a * count + b] < cost[a * count + nearest[a]])) {
                nearest[a] = b;
            }
        }
    };
    for (std::size_t a = 0; a < count; ++a) find_nearest(a);
    std::vector<std::uint32_t> row_of = first_appearance(count);  // of each row's first set, by order
    for (;;) {
        std::size_t a = count;
        for (std::size_t r = 0; r < count; ++r) {
            if (!alive[r] || nearest[r] == r) continue;
            if (a == count || cost[r * count + nearest[r]] < cost[a * count + nearest[a]]) a = r;
        }
        if (a == count || cost[a * count + nearest[a]] == kNever) break;
        std::size_t b = nearest[a];
        if (b < a) std::swap(a, b);
        add_colours(rows[a], rows[b]);
        alive[b] = false;
        for (std::uint32_t& row : row_of) {
            if (row == b) row = static_cast<std::uint32_t>(a);
        }
        for (std::size_t r = 0; r < count; ++r) {
            if (r != a && alive[r]) cost[a * count + r] = cost[r * count + a] = join_cost(rows[a], rows[r]);
        }
        for (std::size_t r = 0; r < count; ++r) {
            if (!alive[r]) continue;
            const std::uint16_t with_a = cost[r * count + a];
            const std::uint16_t now = cost[r * count + nearest[r]];
            if (r == a || nearest[r] == a || nearest[r] == b) {
                find_nearest(r);
            } else if (with_a < now || (with_a == now && a < nearest[r])) {
                nearest[r] = a;
            }
        }
    }
    std::vector<std::uint32_t> number(count, 0);
    std::vector<Colours> kept;
    for (std::size_t r = 0; r < count; ++r) {
        if (!alive[r]) continue;
        number[r] = static_cast<std::uint32_t>(kept.size());
        kept.push_back(rows[r]);
    }
    std::vector<std::uint32_t> row_of_outer(count);
    for (std::size_t k = 0; k < count; ++k) row_of_outer[order[k]] = number[row_of[k]];
    return with_inner_sets(sets, std::move(kept), outer, row_of_outer);
}

// Fisher-Yates with the generator's raw numbers: std::shuffle may differ
// between standard libraries, and the same input must give the same rows.
void shuffle(std::vector<std::uint32_t>& order, std::mt19937& random) {
    for (std::size_t k = order.size(); k > 1; --k) std::swap(order[k - 1], order[random() % k]);
}

// Places the outer sets in order, each in a row it fits (fewest new colours
// first) or in a new row while there are fewer than `most`. A set that adds
// nothing to a row is only tried there: no other choice leaves more room.
struct Search {
    const std::vector<Colours>& sets;
    const std::vector<std::uint32_t>& outer;
    std::size_t most = 0;
    std::size_t steps_left = kSearchSteps;
    std::vector<Colours> rows;
    std::vector<std::uint32_t> row_of_outer;

    bool place_from(std::size_t at) {
        if (at == outer.size()) return true;
        if (steps_left == 0) return false;
        --steps_left;
        const Colours& set = sets[outer[at]];
        std::vector<std::pair<std::uint32_t, std::uint32_t>> choices;  // colours added, row
        for (std::uint32_t r = 0; r < rows.size(); ++r) {
            const std::uint32_t room = kRowSize - rows[r].count;
            const std::uint32_t added = new_colours(rows[r], set, room);
            if (added <= room) choices.push_back({added, r});
        }
        std::sort(choices.begin(), choices.end());
        for (const auto& [added, r] : choices) {
            const Colours before = rows[r];
            add_colours(rows[r], set);
            row_of_outer[at] = r;
            if (place_from(at + 1)) return true;
            rows[r] = before;
            if (added == 0) return false;
        }
        if (rows.size() < most) {
            rows.push_back(set);
            row_of_outer[at] = static_cast<std::uint32_t>(rows.size() - 1);
            if (place_from(at + 1)) return true;
            rows.pop_back();
        }
        return false;
    }
};

}  // namespace

std::vector<std::uint32_t> outer_sets(const std::vector<Colours>& sets, const std::vector<std::uint32_t>& largest,
                                      std::size_t most) {
    std::vector<std::uint32_t> outer;
    std::size_t comparisons = 0;
    for (const std::uint32_t index : largest) {
        if ((comparisons += outer.size()) > kOuterWork) return {};
        if (std::any_of(outer.begin(), outer.end(), [&](std::uint32_t o) { return holds(sets[o], sets[index]); })) {
            continue;
        }
        if (outer.size() == most) return {};
        outer.push_back(index);
    }
    return outer;
}

Packing gather_rows(const std::vector<Colours>& sets, const std::vector<std::uint32_t>& outer, Packing best,
                    std::size_t lower_bound) {
    const std::size_t work = outer.size() * outer.size() + sets.size();
    const std::size_t orders = std::clamp<std::size_t>(kGatherWork / std::max<std::size_t>(work, 1), 1, kGatherOrders);
    const std::vector<std::uint16_t> outer_costs = pair_costs(sets, outer);
    std::vector<std::uint32_t> order = first_appearance(outer.size());
    std::mt19937 random(kShuffleSeed);
    for (std::size_t round = 0; round < orders && best.rows.size() > lower_bound; ++round) {
        Packing gathered = repack(sets, gather(sets, outer, outer_costs, order), lower_bound);
        if (gathered.rows.size() < best.rows.size()) best = std::move(gathered);
        shuffle(order, random);
    }
    return best;
}

Packing search_fewer_rows(const std::vector<Colours>& sets, const std::vector<std::uint32_t>& outer, Packing best,
                          std::size_t lower_bound) {
    if (outer.size() > kSearchSets) return best;
    Search search{sets, outer, 0, kSearchSteps, {}, std::vector<std::uint32_t>(outer.size())};
    while (best.rows.size() > lower_bound && search.steps_left > 0) {
        search.most = std::min<std::size_t>(best.rows.size() - 1, kPaletteRows);
        search.rows.clear();
        if (!search.place_from(0)) break;
        best = with_inner_sets(sets, search.rows, outer, search.row_of_outer);
    }
    return best;
}

}  // namespace pixcell::packing
