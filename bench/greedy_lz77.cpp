#include "bench/greedy_lz77.h"

#include <algorithm>

namespace pixcell::bench {

// Every displacement tried, nearest first, as those converters do: slow,
// and written apart from pixcell's matcher so that it checks nothing of it.
std::size_t greedy_lz77_size(const std::vector<std::uint8_t>& data) {
    const std::size_t n = data.size();
    std::size_t blocks = 0, bytes = 0;
    for (std::size_t pos = 0; pos < n; ++blocks) {
        std::size_t best = 0;
        const std::size_t longest = std::min<std::size_t>(18, n - pos);
        for (std::size_t back = 2; back <= std::min<std::size_t>(pos, 4096) && best < longest; ++back) {
            std::size_t length = 0;
            while (length < longest && data[pos + length - back] == data[pos + length]) ++length;
            best = std::max(best, length);
        }
        if (best >= 3) {
            bytes += 2;
            pos += best;
        } else {
            bytes += 1;
            pos += 1;
        }
    }
    return 4 + bytes + (blocks + 7) / 8;
}

}  // namespace pixcell::bench
