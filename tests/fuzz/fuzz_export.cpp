// Arbitrary bytes as an art program's export (a .json input): the JSON
// library's parse under the reader's depth limit, the reading of frames,
// names, pivots and tags, and, for an export that reads, the cutting of its
// frames and the animation tables. Exports may name the small sheet written
// once at start ("a.bmp").
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>

#include "description/aseprite_export.h"
#include "description/entry_checks.h"
#include "output/animation_texts.h"
#include "support/cell_store.h"
#include "support/sheet_writer.h"

namespace {

std::string sheet_folder;

void remove_sheet() {
    unlink((sheet_folder + "/a.bmp").c_str());
    rmdir(sheet_folder.c_str());
}

void write_sheet() {
    const char* tmp = std::getenv("TMPDIR");
    std::string folder = std::string(tmp && *tmp ? tmp : "/tmp") + "/pixcell-fuzz.XXXXXX";
    if (mkdtemp(folder.data()) == nullptr || chdir(folder.c_str()) != 0) {
        std::perror("fuzz_export: can't make its sheet folder");
        std::abort();
    }
    sheet_folder = folder;
    std::atexit(remove_sheet);
    pixcell::testing::Sheet sheet(64, 48);
    for (std::int32_t y = 0; y < 48; ++y) {
        for (std::int32_t x = 0; x < 64; ++x) sheet.at(x, y) = static_cast<std::uint8_t>((x * 5 + y * 3) % 23);
    }
    pixcell::testing::write_bmp("a.bmp", sheet);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    write_sheet();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    if (text.find("/proc") != std::string::npos) return 0;
    std::string problem;
    const std::optional<pixcell::AsepriteExport> exported = pixcell::read_aseprite_export("fuzz.json", text, problem);
    // A refusal always says why, and in one line.
    if (!exported) {
        if (problem.empty() || problem.find('\n') != std::string::npos) __builtin_trap();
        return 0;
    }
    const pixcell::SpriteList& sprites = exported->sprites;
    const pixcell::Animations& animations = exported->animations;
    // Every frame a sprite of one clipped part named by a unique identifier.
    std::set<std::string> names;
    if (animations.durations.size() != sprites.size()) __builtin_trap();
    for (const pixcell::SpriteObject& sprite : sprites) {
        if (!pixcell::is_c_identifier(sprite.name) || !names.insert(sprite.name).second) __builtin_trap();
        if (sprite.parts.size() != 1 || !sprite.parts[0].clipped || sprite.bitmap != exported->sheet) __builtin_trap();
    }
    std::size_t tag_frames = 0;
    for (const pixcell::AnimationTag& tag : animations.tags) {
        if (tag.from < 0 || tag.from > tag.to || static_cast<std::size_t>(tag.to) >= sprites.size()) __builtin_trap();
        tag_frames += static_cast<std::size_t>(tag.to - tag.from + 1);
    }
    const pixcell::AnimationTexts texts = pixcell::render_animations(sprites, animations, "fuzz");
    std::size_t lines = 0;
    for (char c : texts.source) lines += c == '\n';
    if (lines != 8 + tag_frames + animations.tags.size()) __builtin_trap();

    pixcell::testing::CellStore store;
    if (!store.load(exported->sheet)) return 0;
    if (pixcell::frame_off_sheet(*exported, store.width(exported->sheet), store.height(exported->sheet))) return 0;
    const pixcell::Conversion conversion = pixcell::convert(sprites, store.sheets);
    if (conversion.sprites.size() != sprites.size()) __builtin_trap();
    return 0;
}
