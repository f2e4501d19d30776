#include "description/source_lines.h"

#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace pixcell {

namespace {

// Line feeds in [first, last), 16 bytes a step where SSE2 is there: a
// reading counts every line of the description, however long.
std::int64_t count_line_feeds(const char* first, const char* last) {
    std::int64_t count = 0;
#if defined(__SSE2__)
    // Each lane counts its matches (a match is -1) for up to 255 steps, then
    // the lanes are summed.
    const __m128i feed = _mm_set1_epi8('\n');
    while (last - first >= 16) {
        __m128i lanes = _mm_setzero_si128();
        for (int step = 0; step < 255 && last - first >= 16; ++step, first += 16) {
            const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(first));
            lanes = _mm_sub_epi8(lanes, _mm_cmpeq_epi8(bytes, feed));
        }
        const __m128i sums = _mm_sad_epu8(lanes, _mm_setzero_si128());
        count += _mm_cvtsi128_si32(sums) + _mm_cvtsi128_si32(_mm_srli_si128(sums, 8));
    }
#endif
    return count + std::count(first, last, '\n');
}

}  // namespace

std::int64_t count_line_ends(const char* first, const char* last, const char* end) {
    // Every LF, then every CR that no LF follows: two fast scans, since most
    // texts hold no CR at all.
    std::int64_t count = count_line_feeds(first, last);
    for (const char* c = first; c != last; ++c) {
        c = static_cast<const char*>(std::memchr(c, '\r', static_cast<std::size_t>(last - c)));
        if (c == nullptr) break;
        if (c + 1 == end || c[1] != '\n') ++count;
    }
    return count;
}

std::int64_t LineCounter::line_of(const char* place) {
    if (place > at) {
        line += count_line_ends(at, place, end);
        at = place;
    }
    return line;
}

}  // namespace pixcell
