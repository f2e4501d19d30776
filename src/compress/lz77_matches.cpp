#include "compress/lz77_matches.h"

#include <algorithm>

namespace pixcell {

namespace {

constexpr int kHashBits = 16;
constexpr std::uint32_t kNone = 0xFFFFFFFFu;

std::uint32_t hash3(const std::uint8_t* p) {
    const std::uint32_t v = p[0] | p[1] << 8 | p[2] << 16;
    return (v * 2654435761u) >> (32 - kHashBits);
}

}  // namespace

void longest_matches(const Bytes& data, LzMatch* matches) {
    const std::size_t n = data.size();
    std::fill(matches, matches + n, LzMatch{});
    if (n < kLzShortest + kLzNearestVramSafe) return;
    // Hash chains of 3-byte prefixes: the chain is walked from the nearest
    // position back to the window's end, and stops at the longest length.
    // A link is needed only while its position is in the window.
    std::vector<std::uint32_t> head(std::size_t{1} << kHashBits, kNone);
    std::vector<std::uint32_t> previous(kLzWindow, kNone);
    const std::uint8_t* bytes = data.data();
    // A position joins its chain only when the search is 2 past it, so every
    // candidate is one the 16-bit function can copy from.
    for (std::size_t pos = 0; pos + kLzShortest <= n; ++pos) {
        if (pos >= kLzNearestVramSafe) {
            const std::size_t joined = pos - kLzNearestVramSafe;
            const std::uint32_t h = hash3(bytes + joined);
            previous[joined % kLzWindow] = head[h];
            head[h] = static_cast<std::uint32_t>(joined);
        }
        const std::size_t longest = std::min(kLzLongest, n - pos);
        std::size_t best = kLzShortest - 1;
        std::size_t best_distance = 0;
        const std::uint8_t* here = bytes + pos;
        for (std::uint32_t candidate = head[hash3(here)]; candidate != kNone; candidate = previous[candidate % kLzWindow]) {
            const std::size_t distance = pos - candidate;
            if (distance > kLzWindow) break;
            const std::uint8_t* there = bytes + candidate;
            if (there[best] != here[best]) continue;
            std::size_t length = 0;
            while (length < longest && there[length] == here[length]) ++length;
            if (length > best) {
                best = length;
                best_distance = distance;
                if (best == longest) break;
            }
        }
        if (best >= kLzShortest) {
            matches[pos].length = static_cast<std::uint8_t>(best);
            matches[pos].distance = static_cast<std::uint16_t>(best_distance);
        }
    }
}

}  // namespace pixcell
