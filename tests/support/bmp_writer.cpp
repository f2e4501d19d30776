#include "support/bmp_writer.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

namespace pixcell::testing {

namespace {

void put32(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

void put16(std::vector<std::uint8_t>& out, std::size_t at, std::uint16_t v) {
    out[at] = static_cast<std::uint8_t>(v);
    out[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

}  // namespace

std::vector<std::uint8_t> bmp_bytes(const Sheet& sheet, bool top_down) {
    const std::size_t row_size = (static_cast<std::size_t>(sheet.width) + 3) / 4 * 4;
    const std::size_t header = 14 + 40 + 256 * 4;
    std::vector<std::uint8_t> out(header + row_size * sheet.height, 0);
    out[0] = 'B';
    out[1] = 'M';
    put32(out, 2, static_cast<std::uint32_t>(out.size()));
    put32(out, 10, static_cast<std::uint32_t>(header));
    put32(out, 14, 40);
    put32(out, 18, static_cast<std::uint32_t>(sheet.width));
    put32(out, 22, static_cast<std::uint32_t>(top_down ? -sheet.height : sheet.height));
    put16(out, 26, 1);
    put16(out, 28, 8);
    put32(out, 34, static_cast<std::uint32_t>(row_size * sheet.height));
    put32(out, 46, 256);
    for (std::uint32_t i = 0; i < 256; ++i) {
        const std::uint8_t g = static_cast<std::uint8_t>((i & 0xF) * 17);
        out[54 + 4 * i] = g;
        out[54 + 4 * i + 1] = g;
        out[54 + 4 * i + 2] = g;
    }
    for (std::int32_t y = 0; y < sheet.height; ++y) {
        const std::int32_t stored_row = top_down ? y : sheet.height - 1 - y;
        std::uint8_t* row = out.data() + header + row_size * stored_row;
        for (std::int32_t x = 0; x < sheet.width; ++x) row[x] = sheet.at(x, y);
    }
    return out;
}

void write_file(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream f(path, std::ios::binary);
    f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!f) throw std::runtime_error("can't write " + path);
}

void write_file(const std::string& path, const std::string& text) {
    write_file(path, std::vector<std::uint8_t>(text.begin(), text.end()));
}

void write_bmp(const std::string& path, const Sheet& sheet, bool top_down) {
    write_file(path, bmp_bytes(sheet, top_down));
}

std::string read_file(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    if (!f) throw std::runtime_error("can't read " + path);
    return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

}  // namespace pixcell::testing
