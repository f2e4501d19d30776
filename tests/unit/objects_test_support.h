// What the objects tests share: sprites covered from a sheet written and
// loaded as a run loads it, and the objects read back into pixels without
// the stage's own packing code.
#pragma once

#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "cells/convert.h"
#include "common/console.h"
#include "objects/cover_sprites.h"
#include "sheets/sheet_store.h"
#include "sprite_pixels.h"
#include "support/sheet_writer.h"
#include "support/temp_dir.h"

namespace pixcell::objects_test {

using sprite_test::Pixel;

// A sheet written into a fresh folder and loaded, under `name`.
struct LoadedSheet {
    testing::TempDir dir;
    SheetStore sheets;
    std::string name;

    explicit LoadedSheet(const testing::Sheet& sheet) : name(dir.file("sheet.bmp")) {
        testing::write_bmp(name, sheet);
        if (!sheets.load(name)) throw std::runtime_error("can't load " + name);
    }
};

inline std::vector<Pixel> distinct(std::vector<Pixel> pixels) {
    std::sort(pixels.begin(), pixels.end());
    pixels.erase(std::unique(pixels.begin(), pixels.end()), pixels.end());
    return pixels;
}

// Pixel (a, b) of an object's picture, read from its tiles: row after row
// of tiles, 16 halfwords a tile, two a row, the leftmost pixel lowest.
inline int picture_pixel(const std::vector<const Tile*>& tiles, const PlacedObject& object, int a, int b) {
    const ObjectShape& size = kObjectShapes[static_cast<std::size_t>(object.shape)];
    const Tile& tile = *tiles.at(static_cast<std::size_t>(object.tile + b / 8 * (size.width / 8) + a / 8));
    return tile[static_cast<std::size_t>(b % 8 * 2 + a % 8 / 4)] >> (4 * (a % 4)) & 0xF;
}

// The tiles themselves, to compare.
inline std::vector<Tile> tile_values(const ObjectConversion& converted) {
    std::vector<Tile> values;
    for (const Tile* tile : converted.tiles) values.push_back(*tile);
    return values;
}

// What a sprite's objects show, pixels 0 left out, sorted, each once (where
// objects overlap, each shows the pixel).
inline std::vector<Pixel> object_pixels(const ObjectConversion& converted, const ObjectSprite& sprite) {
    std::vector<Pixel> shown;
    for (std::size_t i = sprite.first; i < sprite.first + sprite.count; ++i) {
        const PlacedObject& object = converted.objects[i];
        const ObjectShape& size = kObjectShapes[static_cast<std::size_t>(object.shape)];
        for (int b = 0; b < size.height; ++b) {
            for (int a = 0; a < size.width; ++a) {
                const int value = picture_pixel(converted.tiles, object, a, b);
                if (value == 0) continue;
                const int u = (object.flip & 1) ? size.width - 1 - a : a;
                const int v = (object.flip & 2) ? size.height - 1 - b : b;
                shown.emplace_back(std::int64_t{object.x_offset} + u, std::int64_t{object.y_offset} + v, value);
            }
        }
    }
    return distinct(std::move(shown));
}

}  // namespace pixcell::objects_test
