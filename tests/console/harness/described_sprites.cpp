#include "console/harness/described_sprites.h"

#include <cstdio>

#include "description/aseprite_export.h"
#include "description/parse_description.h"
#include "driver/read_description.h"

namespace pixcell::console {

namespace {

// The sprites of `list` that `shown(sprite)` says have a loaded sheet.
template <typename Shown>
std::optional<Description> list_sprites(const SpriteList& list, bool objects, Shown shown) {
    Description description;
    for (const SpriteObject& object : list) {
        if (!shown(object) || object.parts.empty()) continue;
        if (!description.sheets.count(object.bitmap)) {
            std::string error;
            std::optional<SheetPixels> sheet = read_sheet(object.bitmap, error);
            if (!sheet) {
                std::fprintf(stderr, "console_check: %s\n", error.c_str());
                return std::nullopt;
            }
            description.sheets.emplace(object.bitmap, std::move(*sheet));
        }
        ListedSprite sprite;
        sprite.name = object.name;
        sprite.bitmap = object.bitmap;
        sprite.table_index = static_cast<int>(description.sprites.size());
        sprite.cells = shown_cells(object, description.sheets.at(object.bitmap), objects);
        sprite.row = palette_row(object, description.sheets.at(object.bitmap));
        description.sprites.push_back(std::move(sprite));
    }
    return description;
}

std::optional<Description> read_export_sprites(const std::string& path, bool objects) {
    const std::optional<std::string> text = read_export_text(path);
    std::string problem;
    const std::optional<AsepriteExport> exported = text ? read_aseprite_export(path, *text, problem) : std::nullopt;
    if (!exported) {
        std::fprintf(stderr, "console_check: can't use export %s: %s\n", path.c_str(), problem.c_str());
        return std::nullopt;
    }
    return list_sprites(exported->sprites, objects, [](const SpriteObject&) { return true; });
}

}  // namespace

std::optional<Description> read_sprites(const std::string& path, bool objects) {
    if (is_export_name(path)) return read_export_sprites(path, objects);
    const std::optional<std::string> text = read_description(path);
    if (!text) {
        std::fprintf(stderr, "console_check: can't read description %s\n", path.c_str());
        return std::nullopt;
    }
    // The parts are all it reads there: the pixels come from the twins.
    SheetStore store(TrueColourSheets::loaded);
    const pixcell::Description read = parse_description(*text, store);
    if (!read.matched || store.failed_loads() != 0) {
        std::fprintf(stderr, "console_check: can't use description %s\n", path.c_str());
        return std::nullopt;
    }
    return list_sprites(read.sprites, objects,
                        [&](const SpriteObject& object) { return store.find(object.bitmap) >= 0; });
}

}  // namespace pixcell::console
