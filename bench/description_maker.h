// Large descriptions for timing the description reader (`pixcell -d`).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace pixcell::bench {

struct DescriptionCounts {
    std::int64_t bytes = 0;
    std::int64_t parts = 0;  // entry lines read, one listing line each
};

// Writes a description of at least `target_bytes` to `path`. It repeats one
// fixed cycle of blocks, so a large file has the same mix as a small one:
// sprites with every kind of field, sections over the given sheets in turn,
// comments of every kind (block comments on entry lines, between fields and
// inside a name, multi-line and 4 KB long ones, line comments on their own
// lines and after an entry line, runs of 2000 line comments), and at the end
// one "/*" that is never closed, followed by 1/64 of the file's size of text.
// Nothing when the file can't be written (reported on stderr) or no sheet is given.
std::optional<DescriptionCounts> write_parse_description(const std::string& path, std::int64_t target_bytes,
                                                         const std::vector<std::string>& sheets);

}  // namespace pixcell::bench
