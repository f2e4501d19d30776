// Line numbers in a description, counted as the language ends its lines: a
// line feed, a carriage return and line feed, or a lone carriage return.
#pragma once

#include <cstdint>

namespace pixcell {

// The line ends in [first, last); a CR at last - 1 counts when no LF follows
// it before `end`.
std::int64_t count_line_ends(const char* first, const char* last, const char* end);

// Line numbers of places met in text order, so that reading a long
// description counts each line end once.
class LineCounter {
public:
    LineCounter(const char* text, const char* end) : at(text), end(end) {}
    // The line (from 1) of `place`, which is never before an earlier place.
    std::int64_t line_of(const char* place);

private:
    const char* at;
    const char* end;
    std::int64_t line = 1;
};

}  // namespace pixcell
