// Writes small 8-bit BMP sheets for tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace pixcell::testing {

// A sheet of palette indices, row 0 at the top.
struct Sheet {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::vector<std::uint8_t> pixels;  // width * height, row-major from the top

    Sheet() = default;
    Sheet(std::int32_t w, std::int32_t h, std::uint8_t fill = 0)
        : width(w), height(h), pixels(static_cast<std::size_t>(w) * h, fill) {}
    std::uint8_t& at(std::int32_t x, std::int32_t y) {
        return pixels[static_cast<std::size_t>(y) * width + x];
    }
    std::uint8_t at(std::int32_t x, std::int32_t y) const {
        return pixels[static_cast<std::size_t>(y) * width + x];
    }
};

// The bytes of an uncompressed 8-bit BMP with a 256-entry grey palette;
// bottom-up unless top_down is set (then the height field is negative).
std::vector<std::uint8_t> bmp_bytes(const Sheet& sheet, bool top_down = false);

// Writes bmp_bytes to a file; throws std::runtime_error when it can't.
void write_bmp(const std::string& path, const Sheet& sheet, bool top_down = false);

void write_file(const std::string& path, const std::vector<std::uint8_t>& bytes);
void write_file(const std::string& path, const std::string& text);
std::string read_file(const std::string& path);

}  // namespace pixcell::testing
