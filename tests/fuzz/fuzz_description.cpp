// Arbitrary bytes as a sprite description: the grammar, every action on a
// fresh state, and then the cutting of whatever sprites were built, as a run
// without -d would do it, and their cover with objects. Descriptions may
// name the small real sheets that are written once at start ("*a.bmp",
// ...), so that loading, automatic placement against real widths, cell
// cutting and covering all run.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "description/parse_description.h"
#include "objects/cover_sprites.h"
#include "output/render_texts.h"
#include "support/cell_store.h"
#include "support/sheet_writer.h"

namespace {

using pixcell::testing::Sheet;

// Names a seed may use; kept in sync with the seeds in corpus_description/.
const char* const kSheetNames[] = {"a.bmp", "hero.bmp", "w.bmp", "t.bmp", "bad.bmp"};

std::string sheet_folder;

void remove_sheets() {
    for (const char* name : kSheetNames) unlink((sheet_folder + "/" + name).c_str());
    rmdir(sheet_folder.c_str());
}

// Each pixel a function of its position, so cells differ, repeat and mirror.
Sheet pattern(std::int32_t width, std::int32_t height, unsigned seed) {
    Sheet sheet(width, height);
    for (std::int32_t y = 0; y < height; ++y) {
        for (std::int32_t x = 0; x < width; ++x) {
            const unsigned mx = static_cast<unsigned>(x % 32 < 16 ? x % 16 : 15 - x % 16);
            sheet.at(x, y) = static_cast<std::uint8_t>((mx * 3 + static_cast<unsigned>(y % 16) * seed) % 37);
        }
    }
    return sheet;
}

// The working folder becomes a fresh folder holding the sheets: descriptions
// name them relative to it, and nothing else of the host is read by accident.
void write_sheets() {
    const char* tmp = std::getenv("TMPDIR");
    std::string folder = std::string(tmp && *tmp ? tmp : "/tmp") + "/pixcell-fuzz.XXXXXX";
    if (mkdtemp(folder.data()) == nullptr || chdir(folder.c_str()) != 0) {
        std::perror("fuzz_description: can't make its sheet folder");
        std::abort();
    }
    sheet_folder = folder;
    std::atexit(remove_sheets);
    pixcell::testing::write_bmp("a.bmp", pattern(64, 48, 5));
    pixcell::testing::write_bmp("hero.bmp", pattern(64, 64, 7));
    pixcell::testing::write_bmp("w.bmp", pattern(30, 20, 3));        // rows padded to 32 bytes
    pixcell::testing::write_bmp("t.bmp", pattern(32, 48, 11), true);  // stored top-down
    std::vector<std::uint8_t> cut = pixcell::testing::bmp_bytes(pattern(32, 32, 1));
    cut.resize(cut.size() - 100);
    pixcell::testing::write_file("bad.bmp", cut);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    write_sheets();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    // A sheet name may be any path; /proc holds files that claim sizes of
    // terabytes, which only measure the host.
    if (text.find("/proc") != std::string::npos) return 0;

    pixcell::testing::CellStore store;
    // With every warning on: the checks that read the text around a stop,
    // and the messages, must stay inside the text too.
    pixcell::Diagnostics diagnostics;
    diagnostics.set_file("fuzz.txt");
    const pixcell::Description description =
        pixcell::parse_description(text, store.sheets, &diagnostics, pixcell::declared_identifiers("fuzz"));
    pixcell::warn_where_reading_stopped(description, diagnostics);
    const pixcell::SpriteList& list = description.sprites;

    for (const pixcell::SpriteObject& object : list) {
        // Only closed lines reach the list, and a sprite cut from a loaded
        // sheet has a name to become an identifier.
        if (object.parts.empty()) __builtin_trap();
        if (store.find(object.bitmap) >= 0 && object.name.empty()) __builtin_trap();
    }

    // The driver writes nothing after a failed load, but the cutting of the
    // other sprites and the warnings for the unloaded ones are worth running.
    const pixcell::Conversion conversion = pixcell::convert(list, store.sheets);
    const pixcell::GeneratedTexts texts = pixcell::render_texts(list, conversion, "fuzz");
    const std::uint32_t cells = conversion.cells.size();
    // Every stored cell is four data lines in the cell array.
    std::size_t lines = 0;
    for (char c : texts.asm_text) lines += c == '\n';
    if (lines != 6 + std::size_t{cells} * 4) __builtin_trap();

    // The same sprites as objects, each way of covering in turn: no sprite in
    // more objects than cells, every object's tiles among those stored.
    static const pixcell::ObjectCost kCosts[] = {pixcell::kBalanced, pixcell::kFewestObjects,
                                                 pixcell::kFewestTileBytes};
    const pixcell::ObjectConversion objects = pixcell::cover_sprites(list, conversion, store.sheets, kCosts[size % 3]);
    if (objects.sprites.size() != conversion.sprites.size()) __builtin_trap();
    for (std::size_t s = 0; s < objects.sprites.size(); ++s) {
        const pixcell::ObjectSprite& sprite = objects.sprites[s];
        if (sprite.count > conversion.sprites[s].cell_count) __builtin_trap();
        for (std::size_t i = sprite.first; i < sprite.first + sprite.count; ++i) {
            const pixcell::PlacedObject& object = objects.objects.at(i);
            const auto shape = static_cast<std::size_t>(object.shape);
            if (shape >= pixcell::kObjectShapeCount ||
                object.tile + pixcell::object_tiles(shape) > static_cast<std::int64_t>(objects.tiles.size())) {
                __builtin_trap();
            }
        }
    }
    return 0;
}
