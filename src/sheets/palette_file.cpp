#include "sheets/palette_file.h"

#include <cstdint>
#include <cstring>
#include <new>
#include <string_view>
#include <utility>
#include <vector>

#include "common/console.h"
#include "common/messages.h"
#include "sheets/decode_sheet.h"
#include "sheets/file_bytes.h"
#include "sheets/image_signatures.h"

namespace pixcell {

namespace {

namespace problem = messages::palette_problem;

constexpr std::int64_t kMostColours = kPaletteRows * kRowColours;

bool is_blank(char c) { return c == ' ' || c == '\t'; }

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && is_blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && (is_blank(text.back()) || text.back() == '\r')) text.remove_suffix(1);
    return text;
}

// The text line by line, without line ends and the blanks around them,
// numbered from 1 as an editor shows them.
class Lines {
public:
    explicit Lines(std::string_view text) : rest(text) {
        if (rest.substr(0, 3) == "\xEF\xBB\xBF") rest.remove_prefix(3);  // a UTF-8 byte order mark
    }

    bool next(std::string_view& line) {
        if (finished) return false;
        const std::size_t end = rest.find('\n');
        finished = end == std::string_view::npos;
        line = trimmed(rest.substr(0, end));
        rest.remove_prefix(finished ? rest.size() : end + 1);
        ++count;
        // A last line end is not the start of another line.
        if (!finished && rest.empty()) finished = true;
        return true;
    }

    std::int64_t number() const { return count; }

private:
    std::string_view rest;
    std::int64_t count = 0;
    bool finished = false;
};

// The next word of `text` (blanks separate words), taken off its front.
std::string_view next_word(std::string_view& text) {
    while (!text.empty() && is_blank(text.front())) text.remove_prefix(1);
    std::size_t length = 0;
    while (length < text.size() && !is_blank(text[length])) ++length;
    const std::string_view word = text.substr(0, length);
    text.remove_prefix(length);
    return word;
}

bool parse_number(std::string_view word, std::int64_t most, std::int64_t& value) {
    if (word.empty() || word.size() > 9) return false;
    value = 0;
    for (const char c : word) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
    }
    return value <= most;
}

// "R G B" in decimal; the rest of the line is left in `text`.
bool parse_decimal_colour(std::string_view& text, Rgb& colour) {
    std::int64_t channel[3];
    for (std::int64_t& value : channel) {
        if (!parse_number(next_word(text), 255, value)) return false;
    }
    colour = Rgb{static_cast<std::uint8_t>(channel[0]), static_cast<std::uint8_t>(channel[1]),
                 static_cast<std::uint8_t>(channel[2])};
    return true;
}

bool parse_hex_colour(std::string_view line, Rgb& colour) {
    if (!line.empty() && line.front() == '#') line.remove_prefix(1);
    if (line.size() != 6) return false;
    std::uint8_t channel[3];
    for (std::size_t i = 0; i < 6; ++i) {
        const char c = line[i];
        const int digit = c >= '0' && c <= '9'   ? c - '0'
                          : c >= 'a' && c <= 'f' ? c - 'a' + 10
                          : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                 : -1;
        if (digit < 0) return false;
        channel[i / 2] = static_cast<std::uint8_t>(i % 2 == 0 ? digit << 4 : channel[i / 2] | digit);
    }
    colour = Rgb{channel[0], channel[1], channel[2]};
    return true;
}

// Colours as they are read: more than the console holds are counted, not kept.
struct Colours {
    Palette palette;
    std::int64_t count = 0;

    void add(const Rgb& colour) {
        if (++count <= kMostColours) palette.push_back(colour);
    }

    PaletteFile result() {
        PaletteFile file{true, std::nullopt, {}, 0, {}};
        if (count == 0) {
            file.problem = problem::no_colours();
        } else if (count > kMostColours) {
            file.problem = problem::too_many_colours(count);
        } else {
            file.colours = std::move(palette);
        }
        return file;
    }
};

PaletteFile failed(std::string problem) { return PaletteFile{true, std::nullopt, std::move(problem), 0, {}}; }

// A problem of the line just read, which the run quotes.
PaletteFile failed_at(const Lines& lines, std::string_view line, std::string problem) {
    return PaletteFile{true, std::nullopt, std::move(problem), lines.number(), std::string(line)};
}

bool starts_without_case(std::string_view line, std::string_view start) {
    if (line.size() < start.size()) return false;
    for (std::size_t i = 0; i < start.size(); ++i) {
        if ((line[i] | 0x20) != (start[i] | 0x20)) return false;
    }
    return true;
}

// After its first line "JASC-PAL".
PaletteFile read_jasc(Lines& lines) {
    std::string_view line;
    if (!lines.next(line)) return failed(problem::expected_jasc_version(2));
    if (line != "0100") return failed_at(lines, line, problem::expected_jasc_version(2));
    std::int64_t announced = 0;
    if (!lines.next(line)) return failed(problem::expected_jasc_count(3));
    if (!parse_number(line, 999999999, announced)) return failed_at(lines, line, problem::expected_jasc_count(3));
    if (announced > kMostColours) return failed_at(lines, line, problem::too_many_colours(announced));
    Colours colours;
    while (lines.next(line)) {
        if (line.empty()) continue;
        if (colours.count == announced) {
            return failed_at(lines, line, problem::jasc_more_colours(lines.number(), announced));
        }
        Rgb colour;
        std::string_view rest = line;
        if (!parse_decimal_colour(rest, colour) || !rest.empty()) {
            return failed_at(lines, line, problem::expected_decimal_colour(lines.number()));
        }
        colours.add(colour);
    }
    if (colours.count < announced) return failed(problem::jasc_ends_early(colours.count, announced));
    return colours.result();
}

// After its first line "GIMP Palette".
PaletteFile read_gimp(Lines& lines) {
    Colours colours;
    std::string_view line;
    while (lines.next(line)) {
        if (line.empty() || line.front() == '#' || line.substr(0, 5) == "Name:" || line.substr(0, 8) == "Columns:") {
            continue;
        }
        Rgb colour;
        // Whatever follows the three numbers is the colour's name.
        std::string_view rest = line;
        if (!parse_decimal_colour(rest, colour) || (!rest.empty() && !is_blank(rest.front()))) {
            return failed_at(lines, line, problem::expected_decimal_colour(lines.number()));
        }
        colours.add(colour);
    }
    return colours.result();
}

PaletteFile read_hex(Lines& lines) {
    Colours colours;
    std::string_view line;
    while (lines.next(line)) {
        // "#" and a blank (or nothing) begins a comment; "#" and digits is a colour.
        if (line.empty() || line == "#" || (line.size() > 1 && line[0] == '#' && (line[1] == ' ' || line[1] == '\t'))) {
            continue;
        }
        Rgb colour;
        if (!parse_hex_colour(line, colour)) {
            return failed_at(lines, line, problem::expected_hex_colour(lines.number()));
        }
        colours.add(colour);
    }
    return colours.result();
}

bool starts_with(const FileBytes& bytes, const char* magic) {
    const std::size_t length = std::strlen(magic);
    return bytes.size() >= length && std::memcmp(bytes.data(), magic, length) == 0;
}

PaletteFile read_image(FileBytes bytes) {
    DecodedSheet sheet = decode_sheet(std::move(bytes));
    if (sheet.true_colour) return failed(problem::true_colour_image());
    if (!sheet.image) return failed(std::move(sheet.problem));
    Colours colours;
    for (const Rgb& colour : sheet.image->palette()) colours.add(colour);
    return colours.result();
}

}  // namespace

PaletteFile read_palette_file(const std::string& path) {
    try {
        FileBytes bytes;
        if (!read_whole_file(path, bytes)) return PaletteFile{};
        if (starts_with(bytes, "BM") || starts_with(bytes, "\x89PNG\r\n\x1A\n")) return read_image(std::move(bytes));
        const std::string kind = other_image_format(bytes);
        if (!kind.empty()) return failed(messages::sheet_problem::other_image(kind));

        Lines lines(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
        Lines first = lines;
        std::string_view line;
        if (first.next(line) && line == "JASC-PAL") return read_jasc(first);
        if (line == "GIMP Palette") return read_gimp(first);
        // No colour starts so: a header mistyped ("JASC PAL", "jasc-pal").
        if (starts_without_case(line, "JASC")) return failed_at(first, line, problem::expected_jasc_header());
        if (starts_without_case(line, "GIMP")) return failed_at(first, line, problem::expected_gimp_header());
        return read_hex(lines);
    } catch (const std::bad_alloc&) {
        return failed(messages::sheet_problem::too_large_for_memory());
    }
}

}  // namespace pixcell
