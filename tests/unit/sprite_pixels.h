// What a sprite shows, worked out from its sheet the long way, pixel by
// pixel, for the tests that read generated data back into pixels.
#pragma once

#include <algorithm>
#include <cstdint>
#include <tuple>
#include <vector>

#include "description/sprite_list.h"
#include "support/sheet_writer.h"

namespace pixcell::sprite_test {

// One shown pixel of a sprite: position from the origin, and colour.
using Pixel = std::tuple<std::int64_t, std::int64_t, int>;

// What the parts cut, mirrored about the origin by each part's flip: the
// pixels of their 16x16 cells, or only those of their own rectangle for a
// clipped part and, with `own_only`, for every part (as objects show them).
inline std::vector<Pixel> cut_pixels(const std::vector<SpritePart>& parts, const testing::Sheet& sheet,
                                     bool own_only = false) {
    std::vector<Pixel> cut;
    for (const SpritePart& part : parts) {
        for (std::int64_t k = 0; k < part.height / 16; ++k) {
            for (std::int64_t l = 0; l < part.width / 16; ++l) {
                for (std::int64_t v = 0; v < 16; ++v) {
                    for (std::int64_t u = 0; u < 16; ++u) {
                        const std::int64_t sx = part.x + 16 * l + u;
                        const std::int64_t sy = part.y + 16 * k + v;
                        const bool own = 16 * l + u < part.own_width && 16 * k + v < part.own_height;
                        if ((own_only || part.clipped) && !own) continue;
                        if (sx < 0 || sy < 0 || sx >= sheet.width || sy >= sheet.height) continue;
                        const int value = sheet.at(static_cast<std::int32_t>(sx), static_cast<std::int32_t>(sy)) & 0xF;
                        if (value == 0) continue;
                        const std::int64_t px = 16 * l + u - part.dx;
                        const std::int64_t py = 16 * k + v - part.dy;
                        cut.emplace_back((part.flip & 1) ? -1 - px : px, (part.flip & 2) ? -1 - py : py, value);
                    }
                }
            }
        }
    }
    std::sort(cut.begin(), cut.end());
    return cut;
}

}  // namespace pixcell::sprite_test
