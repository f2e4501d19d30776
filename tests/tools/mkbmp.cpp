// mkbmp PICTURE.pix OUT.bmp: turns a readable text picture into an 8-bit BMP
// with a grey palette, for the end-to-end cases; into an 8-bit indexed PNG
// when OUT ends in ".png"; into a true-colour sheet of the picture's colours
// when it ends in ".rgba.png", ".rgb.png" (no alpha), ".24.bmp" or ".32.bmp"
// (alpha in the fourth byte).
//
// The picture:
//   # a comment line (anywhere)
//   WIDTH HEIGHT [topdown]
//   one line per row, top row first: WIDTH pixels of two characters each,
//   two hex digits (the palette index, 00..FF) or ".." for 00, so that
//   columns line up; blanks between pixels are ignored: "..1F 2A" is
//   00 1F 2A.
// The height line's "topdown" stores the rows top first (negative height);
// "alpha=E:A,E:A..." gives palette entry E the alpha A in a PNG's tRNS (or
// in a true-colour sheet); "E=RRGGBB" gives entry E that colour (the others
// are grey, entry i (i & 15) * 17).
// Any other line shape is an error, reported with its line number.
#include <cstdint>
#include <cstdio>
#include <exception>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/sheet_writer.h"
#include "support/true_colour_writer.h"

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

// The picture in colours: 1 RGBA PNG, 2 RGB PNG, 3 24-bit BMP, 4 32-bit BMP.
std::vector<std::uint8_t> true_colour(const pixcell::testing::Sheet& sheet, int form) {
    pixcell::testing::ColourSheet colours(sheet.width, sheet.height);
    std::vector<std::uint16_t> samples;
    for (std::int32_t y = 0; y < sheet.height; ++y) {
        for (std::int32_t x = 0; x < sheet.width; ++x) {
            const std::uint8_t index = sheet.at(x, y);
            const auto grey = static_cast<std::uint8_t>((index & 0xF) * 17);
            const std::array<std::uint8_t, 3> rgb =
                index < sheet.colours.size() ? sheet.colours[index] : std::array<std::uint8_t, 3>{grey, grey, grey};
            const std::uint8_t alpha = index < sheet.alpha.size() ? sheet.alpha[index] : 255;
            colours.at(x, y) = {rgb[0], rgb[1], rgb[2], alpha};
            samples.insert(samples.end(), {rgb[0], rgb[1], rgb[2]});
            if (form == 1) samples.push_back(alpha);
        }
    }
    if (form <= 2) return pixcell::testing::raw_png_bytes(sheet.width, sheet.height, form == 1 ? 6 : 2, 8, samples);
    pixcell::testing::ColourBmp bmp;
    bmp.bits = form == 3 ? 24 : 32;
    bmp.alpha_byte = form == 4;
    return pixcell::testing::colour_bmp_bytes(colours, bmp);
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
                unsigned entry = 0;
                unsigned rgb = 0;
                int read = 0;
                if (std::sscanf(flag.c_str(), "%u=%6x%n", &entry, &rgb, &read) == 2 &&
                    static_cast<std::size_t>(read) == flag.size() && flag.size() - flag.find('=') == 7 && entry < 256) {
                    if (sheet.colours.size() <= entry) {
                        for (unsigned i = static_cast<unsigned>(sheet.colours.size()); i <= entry; ++i) {
                            const auto grey = static_cast<std::uint8_t>((i & 0xF) * 17);
                            sheet.colours.push_back({grey, grey, grey});
                        }
                    }
                    sheet.colours[entry] = {static_cast<std::uint8_t>(rgb >> 16), static_cast<std::uint8_t>(rgb >> 8),
                                            static_cast<std::uint8_t>(rgb)};
                    continue;
                }
                if (flag.rfind("alpha=", 0) != 0) {
                    return fail(where, "only \"topdown\", \"E=RRGGBB\" and \"alpha=E:A,...\" may follow the size");
                }
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
        const auto ends_with = [&](const std::string& end) {
            return output.size() >= end.size() && output.compare(output.size() - end.size(), end.size(), end) == 0;
        };
        if (ends_with(".rgba.png") || ends_with(".rgb.png") || ends_with(".24.bmp") || ends_with(".32.bmp")) {
            pixcell::testing::write_file(output, true_colour(sheet, ends_with(".rgba.png") ? 1
                                                                   : ends_with(".rgb.png") ? 2
                                                                   : ends_with(".24.bmp")  ? 3
                                                                                           : 4));
        } else if (ends_with(".png")) {
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
