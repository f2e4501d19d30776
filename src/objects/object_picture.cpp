#include "objects/object_picture.h"

#include <algorithm>
#include <cstring>

namespace pixcell {

void pack_picture(const IndexedImage& image, const PixelArea& area, std::int64_t x, std::int64_t y,
                  std::int32_t shape, Tile* tiles) {
    const ObjectShape& size = kObjectShapes[static_cast<std::size_t>(shape)];
    const std::int32_t columns = size.width / kTilePixels;
    std::fill(tiles, tiles + object_tiles(static_cast<std::size_t>(shape)), Tile{});
    const std::int64_t first = std::max<std::int64_t>(0, area.top - y);
    const std::int64_t last = std::min<std::int64_t>(size.height, area.bottom - y);
    for (std::int64_t row = first; row < last; ++row) {
        const std::uint8_t* pixels = image.row(y + row);
        const auto tile_row = static_cast<std::size_t>(row % kTilePixels);
        Tile* tile = tiles + row / kTilePixels * columns;
        for (std::int32_t column = 0; column < columns; ++column, ++tile) {
            const std::int64_t left = x + std::int64_t{column} * kTilePixels;
            if (left >= area.left && left + kTilePixels <= area.right) {
                pack_tile_row(pixels + left, tile_row, *tile);
                continue;
            }
            if (left >= area.right || left + kTilePixels <= area.left) continue;
            std::uint8_t clipped[kTilePixels] = {};
            for (std::int64_t i = 0; i < kTilePixels; ++i) {
                if (left + i >= area.left && left + i < area.right) clipped[i] = pixels[left + i];
            }
            pack_tile_row(clipped, tile_row, *tile);
        }
    }
}

void mirror_picture(const Tile* tiles, std::int32_t shape, std::int32_t flip, Tile* mirrored) {
    const ObjectShape& size = kObjectShapes[static_cast<std::size_t>(shape)];
    const std::int32_t columns = size.width / kTilePixels;
    const std::int32_t rows = size.height / kTilePixels;
    for (std::int32_t r = 0; r < rows; ++r) {
        for (std::int32_t c = 0; c < columns; ++c) {
            const std::int32_t to_r = (flip & kFlipVertical) ? rows - 1 - r : r;
            const std::int32_t to_c = (flip & kFlipHorizontal) ? columns - 1 - c : c;
            mirrored[to_r * columns + to_c] = mirror_tile(tiles[r * columns + c], flip);
        }
    }
}

std::uint64_t picture_hash(const Tile* tiles, std::int32_t shape) {
    std::uint64_t h = 0x9E3779B97F4A7C15u ^ static_cast<std::uint64_t>(shape);
    const std::int32_t count = object_tiles(static_cast<std::size_t>(shape));
    for (std::int32_t t = 0; t < count; ++t) {
        std::uint64_t words[sizeof(Tile) / 8];
        std::memcpy(words, tiles[t].data(), sizeof words);
        for (const std::uint64_t w : words) {
            h = (h ^ w) * 0xFF51AFD7ED558CCDu;
            h ^= h >> 32;
        }
    }
    return h;
}

}  // namespace pixcell
