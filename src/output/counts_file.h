// Reading back a counts header (--counts) of another description, for
// --after: where that description's palette rows and tiles end, so that
// this one's start there. Only what render_counts writes is taken.
#pragma once

#include <cstdint>
#include <string>

namespace pixcell {

struct ChainEnd {
    std::int64_t end_row = 0;   // FIRST_ROW + ROW_COUNT
    std::int64_t end_tile = 0;  // END_TILE
};

struct CountsRead {
    bool opened = false;
    bool valid = false;
    ChainEnd end;
    // When not valid: the first line that isn't what a counts header holds
    // (1 on), and what it is or lacks, for the message.
    std::int64_t line = 0;
    std::string problem;
};

CountsRead read_counts_file(const std::string& path);

// The same from the header's text.
CountsRead read_counts_text(const std::string& text);

}  // namespace pixcell
