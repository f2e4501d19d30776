#include "description/source_lines.h"

namespace pixcell {

std::int64_t count_line_ends(const char* first, const char* last, const char* end) {
    std::int64_t count = 0;
    for (const char* c = first; c != last; ++c) {
        if (*c == '\n') {
            ++count;
        } else if (*c == '\r') {
            if (c + 1 == end || c[1] != '\n') ++count;  // CR LF counts at its LF
        }
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
