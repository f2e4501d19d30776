#include "compress/lz77.h"

#include <algorithm>

#include "common/large_pages.h"
#include "compress/lz77_matches.h"

namespace pixcell {

namespace {

// The fewest bytes from a position to the end, for each count of blocks
// already under the current flag byte (0 to 7; 0 means the next block
// starts a new flag byte). A flag byte's cost depends on how many blocks
// came before, so the state holds that count; and from any state the end
// is reached with at most one flag byte more than from another, so the 8
// costs are the least and a bit for each that is one more.
struct Costs {
    std::uint32_t least = 0;
    std::uint8_t one_more = 0;  // bit r: state r costs least + 1
    std::uint32_t at(std::size_t state) const { return least + ((one_more >> state) & 1u); }
};

constexpr std::size_t kStates = kLzBlocksPerFlag;

std::size_t next_state(std::size_t state) { return (state + 1) % kStates; }

// A block's bytes with the flag byte it opens.
std::uint32_t block_cost(std::size_t bytes, std::size_t state) {
    return static_cast<std::uint32_t>(bytes + (state == 0 ? 1 : 0));
}

Costs least_of(const std::uint32_t (&cost)[kStates]) {
    Costs costs;
    costs.least = *std::min_element(cost, cost + kStates);
    for (std::size_t r = 0; r < kStates; ++r) {
        if (cost[r] != costs.least) costs.one_more |= static_cast<std::uint8_t>(1u << r);
    }
    return costs;
}

// Costs from a position where only a literal fits, given those from the
// next: state r costs 1, one more at r = 0 for the flag byte, and then what
// state r + 1 costs there. Since the 8 costs stay within 1 of each other,
// either some state but 0 costs the least there, and only those that cost
// one more there, and state 0, cost one more here; or none does, and only
// state 0 can cost one more still.
Costs literal_costs(const Costs& next) {
    const auto rotated = static_cast<std::uint8_t>(next.one_more >> 1 | next.one_more << 7);
    if ((rotated & 0xFE) != 0xFE) return {next.least + 1, static_cast<std::uint8_t>(rotated | 1)};
    return {next.least + 2, static_cast<std::uint8_t>(rotated & 1)};
}

// Costs from `pos` on, given the costs from every later position.
Costs costs_at(const Costs* from, std::size_t pos, std::size_t longest) {
    if (longest < kLzShortest) return literal_costs(from[pos + 1]);
    // The cheapest reference ends at the least of the positions it can reach:
    // those of the least cost, a state there costing one more only if it
    // does at each of them.
    std::uint32_t least_end = UINT32_MAX;
    std::uint8_t one_more = 0xFF;
    for (std::size_t length = kLzShortest; length <= longest; ++length) {
        const Costs& end = from[pos + length];
        if (end.least < least_end) {
            least_end = end.least;
            one_more = end.one_more;
        } else if (end.least == least_end) {
            one_more &= end.one_more;
        }
    }
    std::uint32_t cost[kStates];
    for (std::size_t r = 0; r < kStates; ++r) {
        const std::size_t s = next_state(r);
        cost[r] = block_cost(1, r) + from[pos + 1].at(s);
        if (longest >= kLzShortest) {
            const std::uint32_t reference = block_cost(kLzReferenceBytes, r) + least_end + ((one_more >> s) & 1u);
            cost[r] = std::min(cost[r], reference);
        }
    }
    return least_of(cost);
}

}  // namespace

Bytes compress_lz77(const Bytes& data) {
    const std::size_t n = data.size();
    // Two arrays as long as the data, each entry written before it is read.
    const RawBlock match_block = allocate_block((n + 1) * sizeof(LzMatch));
    LzMatch* const matches = static_cast<LzMatch*>(match_block.get());
    longest_matches(data, matches);
    // The shortest path from the end back: with every reference 2 bytes,
    // the longest match at a position gives every length a parse may take.
    const RawBlock cost_block = allocate_block((n + 1) * sizeof(Costs));
    Costs* const from = static_cast<Costs*>(cost_block.get());
    from[n] = Costs{};
    for (std::size_t pos = n; pos-- > 0;) from[pos] = costs_at(from, pos, matches[pos].length);

    Bytes out;
    out.reserve(kHeaderBytes + n + n / kLzBlocksPerFlag + 1);
    put_header(out, kTypeLz77, n);
    std::size_t state = 0;
    std::size_t flag_at = 0;
    for (std::size_t pos = 0; pos < n;) {
        if (state == 0) {
            flag_at = out.size();
            out.push_back(0);
        }
        const std::uint32_t goal = from[pos].at(state);
        const std::size_t s = next_state(state);
        // The longest reference that stays on a cheapest path, else a literal.
        std::size_t taken = 1;
        for (std::size_t length = matches[pos].length; length >= kLzShortest; --length) {
            if (block_cost(kLzReferenceBytes, state) + from[pos + length].at(s) == goal) {
                taken = length;
                break;
            }
        }
        if (taken == 1) {
            out.push_back(data[pos]);
        } else {
            out[flag_at] |= static_cast<std::uint8_t>(0x80u >> state);
            const std::size_t stored = matches[pos].distance - 1;
            out.push_back(static_cast<std::uint8_t>((taken - kLzShortest) << 4 | stored >> 8));
            out.push_back(static_cast<std::uint8_t>(stored));
        }
        pos += taken;
        state = s;
    }
    return out;
}

}  // namespace pixcell
