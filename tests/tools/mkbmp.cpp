// mkbmp PICTURE.pix OUT.bmp: turns a readable text picture into an 8-bit BMP
// with a grey palette, for the end-to-end cases; into an 8-bit indexed PNG
// when OUT ends in ".png".
//
// The picture:
//   # a comment line (anywhere)
//   WIDTH HEIGHT [topdown]
//   one line per row, top row first: WIDTH pixels of two characters each,
//   two hex digits (the palette index, 00..FF) or ".." for 00, so that
//   columns line up; blanks between pixels are ignored: "..1F 2A" is
//   00 1F 2A.
// The height line's "topdown" stores the rows top first (negative height);
// "alpha=E:A,E:A..." gives palette entry E the alpha A in a PNG's tRNS.
// Any other line shape is an error, reported with its line number.
#include <cstdint>
#include <cstdio>
#include <exception>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/sheet_writer.h"

namespace {

int hex_value(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool fail(const std::string& where, const std::string& what) {
    std::fprintf(stderr, "mkbmp: %s: %s\n", where.c_str(), what.c_str());
    return false;
}

// Reads one row line into `row`; false with a message when it doesn't fit.
bool parse_row(const std::string& line, std::int32_t width, std::vector<std::uint8_t>& row,
               const std::string& where) {
    row.clear();
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == ' ' || c == '\t' || c == '\r') continue;
        const char next = i + 1 < line.size() ? line[i + 1] : '\0';
        if (c == '.' && next == '.') {
            row.push_back(0);
        } else if (hex_value(c) >= 0 && hex_value(next) >= 0) {
            row.push_back(static_cast<std::uint8_t>(hex_value(c) * 16 + hex_value(next)));
        } else {
            return fail(where, "a pixel is \"..\" or two hex digits");
        }
        ++i;
    }
    if (row.size() != static_cast<std::size_t>(width)) {
        return fail(where, std::to_string(row.size()) + " pixels, the picture is " + std::to_string(width) + " wide");
    }
    return true;
}

bool convert(const std::string& input, const std::string& output) {
    std::ifstream file(input);
    if (!file) return fail(input, "can't read it");
    pixcell::testing::Sheet sheet;
    bool top_down = false;
    bool have_size = false;
    std::int32_t y = 0;
    std::vector<std::uint8_t> row;
    std::string line;
    for (int number = 1; std::getline(file, line); ++number) {
        const std::string where = input + ":" + std::to_string(number);
        if (line.empty() || line[0] == '#') continue;
        if (!have_size) {
            std::istringstream words(line);
            std::int32_t width = 0;
            std::int32_t height = 0;
            std::string flag;
            if (!(words >> width >> height) || width <= 0 || height <= 0 || width > 4096 || height > 4096) {
                return fail(where, "the first line is \"WIDTH HEIGHT [topdown]\", both 1..4096");
            }
            sheet = pixcell::testing::Sheet(width, height);
            while (words >> flag) {
                if (flag == "topdown") {
                    top_down = true;
                    continue;
                }
                if (flag.rfind("alpha=", 0) != 0) return fail(where, "only \"topdown\" and \"alpha=E:A,...\" may follow the size");
                std::istringstream pairs(flag.substr(6));
                std::string pair;
                while (std::getline(pairs, pair, ',')) {
                    unsigned entry = 0;
                    unsigned alpha = 0;
                    if (std::sscanf(pair.c_str(), "%u:%u", &entry, &alpha) != 2 || entry > 255 || alpha > 255) {
                        return fail(where, "\"" + pair + "\" is not ENTRY:ALPHA, both 0..255");
                    }
                    if (sheet.alpha.size() <= entry) sheet.alpha.resize(entry + 1, 255);
                    sheet.alpha[entry] = static_cast<std::uint8_t>(alpha);
                }
            }
            have_size = true;
            continue;
        }
        if (y >= sheet.height) return fail(where, "more rows than the height");
        if (!parse_row(line, sheet.width, row, where)) return false;
        for (std::int32_t x = 0; x < sheet.width; ++x) sheet.at(x, y) = row[static_cast<std::size_t>(x)];
        ++y;
    }
    if (!have_size) return fail(input, "no size line");
    if (y != sheet.height) return fail(input, std::to_string(y) + " rows, the height is " + std::to_string(sheet.height));
    try {
        const bool png = output.size() >= 4 && output.compare(output.size() - 4, 4, ".png") == 0;
        if (png) {
            pixcell::testing::write_file(output, pixcell::testing::png_bytes(sheet, 8));
        } else {
            pixcell::testing::write_bmp(output, sheet, top_down);
        }
    } catch (const std::exception& error) {
        return fail(output, error.what());
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "Usage: mkbmp PICTURE.pix OUT.bmp\n");
        return 2;
    }
    return convert(argv[1], argv[2]) ? 0 : 1;
}
