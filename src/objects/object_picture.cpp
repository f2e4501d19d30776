#include "objects/object_picture.h"

#include <algorithm>
#include <cstring>

#include "cells/cut_cell.h"

namespace pixcell {

void pack_picture(const IndexedImage& image, const PixelArea& area, std::int64_t x, std::int64_t y, std::int32_t shape,
                  Tile* tiles) {
    const ObjectShape& size = kObjectShapes[static_cast<std::size_t>(shape)];
    const std::int32_t columns = size.width / kTilePixels;
    // An object of whole cells that the area holds: cut cell by cell, as the
    // cells are, four tiles at a time.
    if (size.width % kCellPixels == 0 && size.height % kCellPixels == 0 && x >= area.left && y >= area.top &&
        x + size.width <= area.right && y + size.height <= area.bottom) {
        for (std::int32_t v = 0; v < size.height; v += kCellPixels) {
            for (std::int32_t u = 0; u < size.width; u += kCellPixels) {
                const std::array<Tile, 4> cell =
                    cut_cell_tiles(image, static_cast<std::int32_t>(x + u), static_cast<std::int32_t>(y + v));
                Tile* top_left = tiles + v / kTilePixels * columns + u / kTilePixels;
                top_left[0] = cell[0];
                top_left[1] = cell[1];
                top_left[columns] = cell[2];
                top_left[columns + 1] = cell[3];
            }
        }
        return;
    }
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

namespace {

// A picture seen through a flip, a row at a time: rows from the top, each
// from the left, one word a tile (tile_row), without making the mirror image.
struct Seen {
    const Tile* tiles;
    std::int32_t columns;
    std::int32_t height;
    std::int32_t flip;

    Seen(const Tile* tiles, std::int32_t shape, std::int32_t flip)
        : tiles(tiles),
          columns(kObjectShapes[static_cast<std::size_t>(shape)].width / kTilePixels),
          height(kObjectShapes[static_cast<std::size_t>(shape)].height),
          flip(flip) {}

    void row(std::int32_t y, std::uint32_t* words) const {
        const std::int32_t from = (flip & kFlipVertical) ? height - 1 - y : y;
        const Tile* line = tiles + from / kTilePixels * columns;
        const auto k = static_cast<std::size_t>(from % kTilePixels);
        if ((flip & kFlipHorizontal) == 0) {
            for (std::int32_t c = 0; c < columns; ++c) words[c] = tile_row(line[c], k);
        } else {
            for (std::int32_t c = 0; c < columns; ++c) words[c] = mirrored_row(tile_row(line[columns - 1 - c], k));
        }
    }
};

constexpr std::size_t kMostColumns = static_cast<std::size_t>(kLargestObjectPixels / kTilePixels);

// Orders two pictures of one shape row by row: negative, 0 or positive.
int compare(const Seen& a, const Seen& b) {
    std::uint32_t x[kMostColumns];
    std::uint32_t y[kMostColumns];
    for (std::int32_t row = 0; row < a.height; ++row) {
        a.row(row, x);
        b.row(row, y);
        for (std::int32_t c = 0; c < a.columns; ++c) {
            if (x[c] != y[c]) return x[c] < y[c] ? -1 : 1;
        }
    }
    return 0;
}

// Four lanes, so that the multiplies of a large picture don't wait on one
// another; the tiles as they lie in memory, four halfwords a step.
std::uint64_t hash_of(const Tile* tiles, std::int32_t shape) {
    constexpr std::uint64_t kMultiplier = 0xFF51AFD7ED558CCDu;
    std::uint64_t lanes[4] = {0x9E3779B97F4A7C15u ^ static_cast<std::uint64_t>(shape), 0xC2B2AE3D27D4EB4Fu,
                              0x165667B19E3779F9u, 0x27D4EB2F165667C5u};
    const auto count = static_cast<std::size_t>(object_tiles(static_cast<std::size_t>(shape)));
    static_assert(sizeof(Tile) % (4 * sizeof(std::uint64_t)) == 0, "a tile is whole steps of the four lanes");
    for (std::size_t t = 0; t < count; ++t) {
        std::uint64_t words[sizeof(Tile) / sizeof(std::uint64_t)];
        std::memcpy(words, tiles[t].data(), sizeof words);
        for (std::size_t w = 0; w < sizeof words / sizeof words[0]; ++w) {
            std::uint64_t& lane = lanes[w % 4];
            lane = (lane ^ words[w]) * kMultiplier;
            lane ^= lane >> 32;
        }
    }
    std::uint64_t h = lanes[0];
    for (std::size_t k = 1; k < 4; ++k) {
        h = (h ^ lanes[k]) * kMultiplier;
        h ^= h >> 32;
    }
    return h;
}

// The picture mirrored as `flip` says: its tiles in mirrored order, each
// mirrored itself.
void mirror_picture(const Tile* tiles, std::int32_t shape, std::int32_t flip, Tile* mirrored) {
    const ObjectShape& size = kObjectShapes[static_cast<std::size_t>(shape)];
    const std::int32_t columns = size.width / kTilePixels;
    const std::int32_t rows = size.height / kTilePixels;
    for (std::int32_t r = 0; r < rows; ++r) {
        const std::int32_t from_row = (flip & kFlipVertical) ? rows - 1 - r : r;
        for (std::int32_t c = 0; c < columns; ++c) {
            const std::int32_t from_column = (flip & kFlipHorizontal) ? columns - 1 - c : c;
            mirrored[r * columns + c] = mirror_tile(tiles[from_row * columns + from_column], flip);
        }
    }
}

}  // namespace

PictureKey picture_key(const Tile* tiles, std::int32_t shape) {
    PictureKey key;
    for (std::int32_t flip = 1; flip < 4; ++flip) {
        if (compare(Seen(tiles, shape, flip), Seen(tiles, shape, key.flip)) < 0) key.flip = flip;
    }
    // The least image hashed as its tiles lie: the picture itself, or its
    // mirror image made for the purpose.
    if (key.flip == 0) {
        key.hash = hash_of(tiles, shape);
        return key;
    }
    Tile least[kMostObjectTiles];
    mirror_picture(tiles, shape, key.flip, least);
    key.hash = hash_of(least, shape);
    return key;
}

bool same_picture(const Tile* a, std::int32_t flip_a, const Tile* b, std::int32_t flip_b, std::int32_t shape) {
    return compare(Seen(a, shape, flip_a), Seen(b, shape, flip_b)) == 0;
}

}  // namespace pixcell
