#include "compress/run_length.h"

#include <algorithm>

#include "common/large_pages.h"

namespace pixcell {

namespace {

// Least of cost[j] + bias * j over a window of j that slides towards 0 and
// never holds more than a block's reach.
class WindowMinimum {
public:
    WindowMinimum(const std::uint32_t* cost, std::uint32_t bias) : cost(cost), bias(bias) {}
    void add(std::uint32_t j) {
        while (back != front && value(held[(back - 1) % kReach]) >= value(j)) --back;
        held[back++ % kReach] = j;
    }
    // Drops every j beyond `last`; the window must not be empty then.
    std::uint32_t least_up_to(std::size_t last) {
        while (held[front % kReach] > last) ++front;
        return held[front % kReach];
    }
    void clear() { front = back = 0; }

private:
    static constexpr std::size_t kReach = 256;  // more than a run's or a literal's length
    std::uint64_t value(std::uint32_t j) const { return cost[j] + std::uint64_t{bias} * j; }
    const std::uint32_t* cost;
    std::uint32_t bias;
    // held[front, back) (mod kReach): increasing values, decreasing j.
    std::uint32_t held[kReach] = {};
    std::size_t front = 0, back = 0;
};

constexpr std::uint32_t kRunBit = 0x80000000u;  // in `end`: the block from here is a run

}  // namespace

Bytes compress_run_length(const Bytes& data) {
    const std::size_t n = data.size();
    // cost[i]: the fewest bytes from i to the end. A literal of k bytes
    // costs 1 + k, a run 2 whatever its length; each is a window of ends.
    // end[i]: where the best block from i ends, with kRunBit for a run.
    // Both written before they are read.
    const RawBlock cost_block = allocate_block((n + 1) * sizeof(std::uint32_t));
    const RawBlock end_block = allocate_block((n + 1) * sizeof(std::uint32_t));
    auto* const cost = static_cast<std::uint32_t*>(cost_block.get());
    auto* const end = static_cast<std::uint32_t*>(end_block.get());
    cost[n] = 0;

    WindowMinimum literal_ends(cost, 1);
    WindowMinimum run_ends(cost, 0);
    std::size_t run = 0;  // equal bytes from i on
    for (std::size_t i = n; i-- > 0;) {
        literal_ends.add(static_cast<std::uint32_t>(i + 1));
        const std::uint32_t lit_end = literal_ends.least_up_to(i + kRleLongestLiteral);
        cost[i] = static_cast<std::uint32_t>(1 + (lit_end - i) + cost[lit_end]);
        end[i] = lit_end;
        // Within a run of equal bytes the ends a run block may reach slide
        // with i; a new run starts the window afresh.
        if (i + 1 < n && data[i + 1] == data[i]) {
            ++run;
        } else {
            run = 1;
            run_ends.clear();
        }
        if (run >= kRleShortestRun) {
            run_ends.add(static_cast<std::uint32_t>(i + kRleShortestRun));
            const std::uint32_t run_end = run_ends.least_up_to(i + std::min(run, kRleLongestRun));
            if (2 + cost[run_end] < cost[i]) {
                cost[i] = 2 + cost[run_end];
                end[i] = run_end | kRunBit;
            }
        }
    }

    Bytes out;
    out.reserve(kHeaderBytes + cost[0]);
    put_header(out, kTypeRunLength, n);
    for (std::size_t i = 0; i < n;) {
        const std::size_t next = end[i] & ~kRunBit;
        const std::size_t length = next - i;
        if (end[i] & kRunBit) {
            out.push_back(static_cast<std::uint8_t>(kRleRunFlag | (length - kRleShortestRun)));
            out.push_back(data[i]);
        } else {
            out.push_back(static_cast<std::uint8_t>(length - 1));
            out.insert(out.end(), data.begin() + static_cast<std::ptrdiff_t>(i),
                       data.begin() + static_cast<std::ptrdiff_t>(next));
        }
        i = next;
    }
    return out;
}

}  // namespace pixcell
