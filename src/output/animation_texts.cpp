#include "output/animation_texts.h"

#include <algorithm>
#include <cmath>

#include "description/export_names.h"
#include "output/text_templates.h"

namespace pixcell {

namespace {

const char* const kDirectionNames[] = {"forward", "reverse", "pingpong", "pingpong_reverse"};

}  // namespace

std::int32_t console_frames(std::int32_t milliseconds) {
    // The console draws 59.7275 frames a second (280896 cycles of 16.78 MHz each).
    constexpr double kFramesPerSecond = 59.7275;
    const auto frames = static_cast<std::int32_t>(std::lround(milliseconds * kFramesPerSecond / 1000.0));
    return std::max<std::int32_t>(1, frames);
}

AnimationTexts render_animations(const SpriteList& sprites, const Animations& animations,
                                 const std::string& ident_base) {
    AnimationTexts texts;
    const std::string count_name = ident_base + "_ANIMATION_COUNT";
    std::string& header = texts.header;
    header = "#ifndef " + ident_base + "_ANIM_H\n#define " + ident_base + "_ANIM_H\n#include <spriteanim.h>\n";
    append_define(header, count_name, static_cast<std::int64_t>(animations.tags.size()),
                  "tags, so animations, in the order of the enumeration");
    header += "enum {\n";
    UniqueNames tag_names;
    for (const AnimationTag& tag : animations.tags) {
        header += "\t" + tag_names.take(ident_base + "_anim_" + identifier_bytes(tag.name)) + ",\n";
    }
    header += "};\nextern const SPR_ANIM_FRAME " + ident_base + "_anim_frames[];\nextern const SPR_ANIMATION " +
              ident_base + "_animations[" + count_name + "];\n#endif\n";

    std::string& source = texts.source;
    source = "#include \"" + ident_base + "_enum.h\"\n#include \"" + ident_base + "_anim.h\"\n\nconst SPR_ANIM_FRAME " +
             ident_base + "_anim_frames[] = {\n";
    std::string table = "const SPR_ANIMATION " + ident_base + "_animations[" + count_name + "] = {\n";
    std::int64_t first = 0;
    for (const AnimationTag& tag : animations.tags) {
        for (std::int32_t f = tag.from; f <= tag.to; ++f) {
            const std::size_t frame = static_cast<std::size_t>(f);
            source += "\t{" + sprites[frame].name + ", " + std::to_string(console_frames(animations.durations[frame])) +
                      "},\n";
        }
        const std::int32_t direction = static_cast<std::int32_t>(tag.direction);
        table += "\t{" + std::to_string(first) + ", " + std::to_string(tag.to - tag.from + 1) + ", " +
                 std::to_string(direction) + ", " + std::to_string(tag.repeat) + "},\t/* " +
                 identifier_bytes(tag.name) + ": " + kDirectionNames[direction] +
                 (tag.repeat == 0
                      ? std::string(", for ever")
                      : (tag.repeat == 1 ? std::string(", once") : ", " + std::to_string(tag.repeat) + " times")) +
                 " */\n";
        first += tag.to - tag.from + 1;
    }
    source += "};\n\n" + table + "};\n";
    return texts;
}

}  // namespace pixcell
