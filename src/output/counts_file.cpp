#include "output/counts_file.h"

#include <array>
#include <fstream>
#include <iterator>
#include <optional>
#include <utility>
#include <vector>

namespace pixcell {

namespace {

// Far more than any counts header holds: a larger file is another file.
constexpr std::streamsize kMostBytes = 16 * 1024;

// The #defines render_counts writes, after IDENT_.
// (--compress adds the compressed arrays' bytes.)
constexpr std::array<const char*, 13> kKnownNames = {"CELL_COUNT",
                                                     "CELL_BYTES",
                                                     "SPRITE_COUNT",
                                                     "PATTERN_TABLE_LENGTH",
                                                     "MOST_CELLS",
                                                     "FIRST_ROW",
                                                     "ROW_COUNT",
                                                     "FIRST_TILE",
                                                     "END_TILE",
                                                     "CHR_CMP_BYTES",
                                                     "OBJ_TILES_CMP_BYTES",
                                                     "SPRITE_TILES_CMP_BYTES",
                                                     "MOST_SPRITE_TILES_CMP_BYTES"};
constexpr std::size_t kFirstRow = 5;
constexpr std::size_t kRowCount = 6;
constexpr std::size_t kEndTile = 8;

constexpr const char* kGuardEnd = "_COUNTS_H";

bool starts_with(const std::string& text, const std::string& start) {
    return text.compare(0, start.size(), start) == 0;
}

// A whole number as render_counts writes one: decimal digits, at most 12.
std::optional<std::int64_t> number(const std::string& text) {
    if (text.empty() || text.size() > 12 || text.find_first_not_of("0123456789") != std::string::npos) {
        return std::nullopt;
    }
    return std::stoll(text);
}

CountsRead failed(std::int64_t line, std::string problem) {
    CountsRead read;
    read.opened = true;
    read.line = line;
    read.problem = std::move(problem);
    return read;
}

}  // namespace

CountsRead read_counts_text(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t end = text.find('\n', at);
        if (end == std::string::npos) return failed(static_cast<std::int64_t>(lines.size()) + 1, "it has no line end");
        lines.push_back(text.substr(at, end - at));
        at = end + 1;
    }
    if (lines.size() < 3 || !starts_with(lines[0], "#ifndef ") ||
        lines[0].size() <= 8 + std::string(kGuardEnd).size() ||
        lines[0].compare(lines[0].size() - 9, 9, kGuardEnd) != 0) {
        return failed(1, "it doesn't start with the include guard #ifndef IDENT_COUNTS_H");
    }
    const std::string guard = lines[0].substr(8);
    const std::string base = guard.substr(0, guard.size() - 9);
    if (lines[1] != "#define " + guard) return failed(2, "it doesn't define the include guard " + guard);
    if (lines.back() != "#endif") return failed(static_cast<std::int64_t>(lines.size()), "it doesn't end with #endif");

    std::array<std::optional<std::int64_t>, kKnownNames.size()> values;
    const std::string define = "#define " + base + "_";
    for (std::size_t i = 2; i + 1 < lines.size(); ++i) {
        const std::string& line = lines[i];
        const auto line_number = static_cast<std::int64_t>(i) + 1;
        if (!starts_with(line, define)) return failed(line_number, "it isn't a #define of " + base + "_...");
        const std::size_t blank = line.find(' ', define.size());
        if (blank == std::string::npos) return failed(line_number, "it has no value");
        const std::string name = line.substr(define.size(), blank - define.size());
        std::size_t known = 0;
        while (known < kKnownNames.size() && name != kKnownNames[known]) ++known;
        if (known == kKnownNames.size()) return failed(line_number, base + "_" + name + " isn't one of its #defines");
        if (values[known]) return failed(line_number, base + "_" + name + " is defined twice");
        // The value, then nothing or a tab and a comment.
        std::size_t value_end = line.find('\t', blank + 1);
        if (value_end == std::string::npos) value_end = line.size();
        const std::optional<std::int64_t> value = number(line.substr(blank + 1, value_end - blank - 1));
        if (!value) return failed(line_number, "the value of " + base + "_" + name + " isn't a whole number");
        if (value_end < line.size()) {
            const std::string comment = line.substr(value_end + 1);
            if (comment.size() < 4 || !starts_with(comment, "/*") ||
                comment.compare(comment.size() - 2, 2, "*/") != 0 || comment.find("*/") != comment.size() - 2) {
                return failed(line_number, "after the value of " + base + "_" + name + " comes more than a comment");
            }
        }
        values[known] = value;
    }
    for (const std::size_t needed : {kFirstRow, kRowCount, kEndTile}) {
        if (!values[needed]) {
            return failed(static_cast<std::int64_t>(lines.size()),
                          "it lacks " + base + "_" + kKnownNames[needed] + " (a counts header of an older pixcell?)");
        }
    }
    CountsRead read;
    read.opened = true;
    read.valid = true;
    read.end.end_row = *values[kFirstRow] + *values[kRowCount];
    read.end.end_tile = *values[kEndTile];
    return read;
}

CountsRead read_counts_file(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return {};
    std::string text(static_cast<std::size_t>(kMostBytes) + 1, '\0');
    file.read(&text[0], kMostBytes + 1);
    if (file.bad()) return {};
    text.resize(static_cast<std::size_t>(file.gcount()));
    if (text.size() > static_cast<std::size_t>(kMostBytes)) return failed(0, "it is far larger than a counts header");
    if (text.find('\0') != std::string::npos) return failed(0, "it isn't text");
    return read_counts_text(text);
}

}  // namespace pixcell
