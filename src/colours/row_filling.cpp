#include "colours/row_filling.h"

namespace pixcell::packing {
namespace {

// The sets holding each colour, all in one list (colour by colour), so that a
// colour joining a row finds the sets it brings closer in one look-up.
struct SetsByColour {
    std::vector<std::size_t> first;  // colour c's sets are sets[first[c], first[c + 1])
    std::vector<std::uint32_t> sets;

    explicit SetsByColour(const std::vector<Colours>& all) {
        std::size_t colours = 0;
        for (const Colours& set : all) colours = std::max<std::size_t>(colours, set.count ? set.end()[-1] + 1u : 0);
        first.assign(colours + 1, 0);
        for (const Colours& set : all) {
            for (const std::uint32_t colour : set) ++first[colour + 1];
        }
        for (std::size_t c = 1; c < first.size(); ++c) first[c] += first[c - 1];
        std::vector<std::size_t> next(first);
        sets.resize(first.back());
        for (std::uint32_t index = 0; index < all.size(); ++index) {
            for (const std::uint32_t colour : all[index]) sets[next[colour]++] = index;
        }
    }

    template <typename Visit>
    void for_each_set(std::uint32_t colour, Visit visit) const {
        for (std::size_t at = first[colour]; at < first[colour + 1]; ++at) visit(sets[at]);
    }
};

}  // namespace

Packing fill_rows(const std::vector<Colours>& sets, const std::vector<std::uint32_t>& largest, std::size_t most) {
    const SetsByColour by_colour(sets);
    Packing packing;
    packing.row_of_set.assign(sets.size(), 0);
    // A byte a set: the sets a colour brings closer come in no order, and
    // these stay in the cache where the sets themselves would not.
    std::vector<std::uint8_t> size(sets.size());
    for (std::size_t index = 0; index < sets.size(); ++index) {
        size[index] = static_cast<std::uint8_t>(sets[index].count);
    }
    std::vector<std::uint8_t> placed(sets.size(), 0);
    std::vector<std::uint8_t> shared(sets.size(), 0);  // colours in common with the row being built
    std::vector<std::uint32_t> touched;                // the sets sharing any
    // Candidates by (colours they would add, their size); an entry is stale
    // once its set is placed or adds fewer.
    constexpr std::size_t kSizes = kRowSize + 1;
    std::vector<std::vector<std::uint32_t>> candidates(kSizes * kSizes);
    auto adds = [&](std::uint32_t index) -> std::uint32_t { return size[index] - shared[index]; };

    auto take = [&](std::uint32_t index) {
        Colours& row = packing.rows.back();
        placed[index] = 1;
        packing.row_of_set[index] = static_cast<std::uint32_t>(packing.rows.size() - 1);
        const Colours before = row;
        add_colours(row, sets[index]);
        const std::uint32_t room = kRowSize - row.count;
        for (const std::uint32_t colour : sets[index]) {
            if (std::binary_search(before.begin(), before.end(), colour)) continue;
            by_colour.for_each_set(colour, [&](std::uint32_t other) {
                if (placed[other]) return;
                if (shared[other]++ == 0) touched.push_back(other);
                // One that doesn't fit now is pushed again when it adds fewer.
                if (adds(other) <= room) candidates[adds(other) * kSizes + size[other]].push_back(other);
            });
        }
    };
    // The set that adds the fewest colours and fits, the largest of those.
    auto best_candidate = [&](std::uint32_t room) -> std::int64_t {
        for (std::uint32_t added = 0; added <= room; ++added) {
            for (std::uint32_t wanted = kRowSize; wanted >= std::max<std::uint32_t>(added, 1); --wanted) {
                std::vector<std::uint32_t>& list = candidates[added * kSizes + wanted];
                while (!list.empty() && (placed[list.back()] || adds(list.back()) != added)) list.pop_back();
                if (!list.empty()) return list.back();
            }
        }
        return -1;
    };

    // A set without colours fits any row; the others make at least one.
    for (std::size_t index = 0; index < sets.size(); ++index) placed[index] = size[index] == 0;

    auto seed = largest.begin();
    for (;;) {
        while (seed != largest.end() && placed[*seed]) ++seed;
        if (seed == largest.end()) break;
        packing.rows.emplace_back();
        if (packing.rows.size() > most) break;
        take(*seed);
        for (std::int64_t next; (next = best_candidate(kRowSize - packing.rows.back().count)) >= 0;) {
            take(static_cast<std::uint32_t>(next));
        }
        for (const std::uint32_t index : touched) shared[index] = 0;
        touched.clear();
        for (std::vector<std::uint32_t>& list : candidates) list.clear();
    }
    return packing;
}

}  // namespace pixcell::packing
