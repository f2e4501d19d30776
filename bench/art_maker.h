// Art like the sprites people draw for the console, to measure covers with
// objects on: battle pictures of 64x64 with empty corners, walk cycles of
// 16x32, 8x8 effects, icons, pictures with mirrored halves, sprites of
// several parts, effects of odd sizes and a few large pictures, drawn with
// outlines, shading and dithering rather than noise.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace pixcell::bench {

struct ArtCounts {
    std::int64_t sprites = 0;
    std::int64_t parts = 0;
};

// Writes `dir/stem.bmp`, an 8-bit sheet, and `dir/stem.txt`, its
// description; each sprite drawn in a palette row of its own. The same seed
// gives the same bytes. Nothing when a file can't be written (reported on stderr).
std::optional<ArtCounts> write_art(const std::string& dir, const std::string& stem, std::uint64_t seed);

}  // namespace pixcell::bench
