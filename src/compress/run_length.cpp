#include "compress/run_length.h"

#include <algorithm>

namespace pixcell {

namespace {

// Least of cost[j] + bias * j over a window of j that slides towards 0.
class WindowMinimum {
public:
    WindowMinimum(const std::vector<std::uint32_t>& cost, std::size_t bias)
        : cost(cost), bias(bias), held(cost.size()) {}
    void add(std::size_t j) {
        while (back > front && value(held[back - 1]) >= value(j)) --back;
        held[back++] = j;
    }
    // Drops every j beyond `last`; the window must not be empty then.
    std::size_t least_up_to(std::size_t last) {
        while (held[front] > last) ++front;
        return held[front];
    }
    void clear() { front = back = 0; }

private:
    std::size_t value(std::size_t j) const { return cost[j] + bias * j; }
    const std::vector<std::uint32_t>& cost;
    std::size_t bias;
    // held[front, back): increasing values, decreasing j. Each j comes once.
    std::vector<std::uint32_t> held;
    std::size_t front = 0, back = 0;
};

}  // namespace

Bytes compress_run_length(const Bytes& data) {
    const std::size_t n = data.size();
    // cost[i]: the fewest bytes from i to the end. A literal of k bytes
    // costs 1 + k, a run 2 whatever its length; each is a window of ends.
    std::vector<std::uint32_t> cost(n + 1, 0);
    std::vector<std::uint32_t> end(n + 1, static_cast<std::uint32_t>(n));  // where the best block from i ends
    std::vector<std::uint8_t> is_run(n + 1, 0);
    std::vector<std::uint32_t> run(n + 1, 0);  // equal bytes from i on
    for (std::size_t i = n; i-- > 0;) run[i] = i + 1 < n && data[i + 1] == data[i] ? run[i + 1] + 1 : 1;

    WindowMinimum literal_ends(cost, 1);
    WindowMinimum run_ends(cost, 0);
    for (std::size_t i = n; i-- > 0;) {
        literal_ends.add(i + 1);
        const std::size_t lit_end = literal_ends.least_up_to(i + kRleLongestLiteral);
        cost[i] = 1 + (lit_end - i) + cost[lit_end];
        end[i] = lit_end;
        // Within a run of equal bytes the ends a run block may reach slide
        // with i; a new run starts the window afresh.
        if (i + 1 >= n || data[i + 1] != data[i]) run_ends.clear();
        if (run[i] >= kRleShortestRun) {
            run_ends.add(i + kRleShortestRun);
            const std::size_t run_end = run_ends.least_up_to(i + std::min<std::size_t>(run[i], kRleLongestRun));
            if (2 + cost[run_end] < cost[i]) {
                cost[i] = 2 + cost[run_end];
                end[i] = run_end;
                is_run[i] = 1;
            }
        }
    }

    Bytes out;
    out.reserve(kHeaderBytes + cost[0]);
    put_header(out, kTypeRunLength, n);
    for (std::size_t i = 0; i < n; i = end[i]) {
        const std::size_t length = end[i] - i;
        if (is_run[i]) {
            out.push_back(static_cast<std::uint8_t>(kRleRunFlag | (length - kRleShortestRun)));
            out.push_back(data[i]);
        } else {
            out.push_back(static_cast<std::uint8_t>(length - 1));
            out.insert(out.end(), data.begin() + static_cast<std::ptrdiff_t>(i), data.begin() + static_cast<std::ptrdiff_t>(end[i]));
        }
    }
    return out;
}

}  // namespace pixcell
