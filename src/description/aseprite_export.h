// The reader of an art program's export (Aseprite's or LibreSprite's sheet
// JSON, an input whose name ends in ".json"): the same sprite list a
// description gives, each frame one sprite of one part, and the animations
// its tags hold. The JSON itself is the library's; this reads its meaning.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "common/diagnostics.h"
#include "description/animations.h"
#include "description/entry_checks.h"
#include "description/sprite_list.h"

namespace pixcell {

struct AsepriteExport {
    SpriteList sprites;     // every sprite's bitmap is `sheet`
    Animations animations;  // durations of every frame; tags when it has them
    std::string image;      // meta.image as written
    std::string sheet;      // the path the sheet is read from: the JSON's folder, then meta.image
};

// Whether the input is read as an export rather than a description.
bool is_export_name(const std::string& path);

// The export in `text`, read from `path`; nothing, with `problem` set to
// the reason (after "Can't use file PATH: "), when it can't be used. The
// sheet isn't loaded: frame_off_sheet checks the frames against it.
std::optional<AsepriteExport> read_aseprite_export(const std::string& path, const std::string& text,
                                                   std::string& problem);

// Warns, as a description's names are warned, of a frame name that became
// a C keyword or an identifier the generated files declare (`generated`).
void check_export_names(const AsepriteExport& exported, std::vector<GeneratedName> generated,
                        Diagnostics& diagnostics);

// The reason a frame reaches past the loaded sheet, or nothing.
std::optional<std::string> frame_off_sheet(const AsepriteExport& exported, std::int64_t sheet_width,
                                           std::int64_t sheet_height);

}  // namespace pixcell
