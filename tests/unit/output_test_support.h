// What the writer's tests share: a scratch directory, sheets loaded into a
// store from it, and short ways to make parts and objects.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "description/sprite_list.h"
#include "support/sheet_writer.h"
#include "support/cell_store.h"
#include "support/temp_dir.h"

namespace pixcell::output_test {

// Writes the sheet into `dir` and loads it; returns the name to find it by.
using testing::TempDir;

inline std::string load_sheet(testing::CellStore& store, const TempDir& dir, const std::string& name,
                              const testing::Sheet& sheet, bool top_down = false) {
    const std::string path = dir.file(name);
    testing::write_bmp(path, sheet, top_down);
    if (!store.load(path)) throw std::runtime_error("can't load " + path);
    return path;
}

inline SpritePart make_part(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
                            std::int32_t dx, std::int32_t dy, FlipFlags flip = 0) {
    SpritePart part;
    part.x = x;
    part.y = y;
    part.width = width;
    part.height = height;
    part.own_width = width;  // as a description line of that size gives it
    part.own_height = height;
    part.dx = dx;
    part.dy = dy;
    part.flip = flip;
    return part;
}

inline SpriteObject make_object(const std::string& name, const std::string& bitmap,
                                std::vector<SpritePart> parts) {
    SpriteObject object;
    object.name = name;
    object.bitmap = bitmap;
    object.parts = std::move(parts);
    return object;
}

// The lines of a text, each without its newline.
inline std::vector<std::string> lines_of(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

}  // namespace pixcell::output_test
