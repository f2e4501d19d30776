#include "console/harness/sheet_pixels.h"

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>

namespace pixcell::console {

namespace {

std::uint32_t le32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return static_cast<std::uint32_t>(b[at]) | static_cast<std::uint32_t>(b[at + 1]) << 8 |
           static_cast<std::uint32_t>(b[at + 2]) << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

}  // namespace

std::optional<SheetPixels> read_sheet(const std::string& sheet_path, std::string& error) {
    const std::string twin = sheet_path + ".8bit.bmp";
    const std::string path = std::ifstream(twin) ? twin : sheet_path;
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        error = "can't open sheet " + path;
        return std::nullopt;
    }
    const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(file)),
                                          std::istreambuf_iterator<char>());
    constexpr std::size_t kHeaderEnd = 30;  // through the bits-per-pixel field
    if (bytes.size() < kHeaderEnd || bytes[0] != 'B' || bytes[1] != 'M') {
        error = path + " is not a BMP file";
        return std::nullopt;
    }
    const std::uint32_t pixel_offset = le32(bytes, 10);
    const auto width = static_cast<std::int32_t>(le32(bytes, 18));
    const auto stored_height = static_cast<std::int32_t>(le32(bytes, 22));
    const std::uint32_t bits = bytes[28] | bytes[29] << 8;
    const std::uint32_t compression = bytes.size() >= 34 ? le32(bytes, 30) : 0;
    if (bits != 8 || compression != 0 || width <= 0 || stored_height == 0 ||
        stored_height == INT32_MIN) {
        error = path + " is not an uncompressed 8-bit BMP";
        return std::nullopt;
    }
    const bool top_down = stored_height < 0;
    const std::int32_t height = top_down ? -stored_height : stored_height;
    const std::size_t row_size = (static_cast<std::size_t>(width) + 3) / 4 * 4;
    if (pixel_offset > bytes.size() ||
        (bytes.size() - pixel_offset) / row_size < static_cast<std::size_t>(height)) {
        error = path + " is shorter than its pixel array";
        return std::nullopt;
    }

    SheetPixels sheet;
    // The colour table: blue, green, red and a spare byte an entry, between
    // the info header and the pixels.
    const std::size_t table = 14 + static_cast<std::size_t>(le32(bytes, 14));
    for (std::size_t at = table; at + 4 <= std::min<std::size_t>(pixel_offset, bytes.size()); at += 4) {
        sheet.colours.push_back(static_cast<std::uint16_t>(bytes[at + 2] >> 3 | (bytes[at + 1] >> 3) << 5 |
                                                           (bytes[at] >> 3) << 10));
    }
    sheet.width = width;
    sheet.height = height;
    sheet.index.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (std::int32_t y = 0; y < height; ++y) {
        const std::size_t stored_row = static_cast<std::size_t>(top_down ? y : height - 1 - y);
        const std::uint8_t* row = bytes.data() + pixel_offset + stored_row * row_size;
        std::copy(row, row + width, sheet.index.begin() + static_cast<std::ptrdiff_t>(y) * width);
    }
    return sheet;
}

}  // namespace pixcell::console
