// The palette indices of a sprite sheet, read by the harness itself so that
// the picture it expects owes nothing to the converter's own reading.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace pixcell::console {

struct SheetPixels {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::vector<std::uint8_t> index;  // width * height, row 0 at the top
    // The BMP's colour table, 15 bits each (red in the low 5), as the
    // console shows its colours.
    std::vector<std::uint16_t> colours;

    // Outside the sheet a cell reads as index 0, which shows nothing.
    std::uint8_t at(std::int64_t x, std::int64_t y) const {
        if (x < 0 || y < 0 || x >= width || y >= height) return 0;
        return index[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                     static_cast<std::size_t>(x)];
    }
};

// An uncompressed 8-bit BMP, bottom-up or top-down; nothing and a reason
// when the file is missing or not such a BMP. A sheet in any other format
// has a twin beside it, NAME.8bit.bmp, the same picture written as an 8-bit
// BMP by the tests' own writer: that is read instead, so that the expected
// picture owes nothing to the decoders under test.
std::optional<SheetPixels> read_sheet(const std::string& path, std::string& error);

}  // namespace pixcell::console
