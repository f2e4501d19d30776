// Runs a test ROM built from generated files on the emulator and checks that
// every sprite of the description looks on screen the way its sheet and its
// parts say: one run per view (see views.h), each compared pixel by pixel.
//
//   console_check [--stop-at-first] [--objects | --whole-cells] ROM DESCRIPTION [SPRITE...]
//   console_check --grid ... (a game: game_check.h)
//
// With --objects the ROM is the objects ROM (rom/show_objects.c), which
// writes every object of a sprite at once: each sprite is seen whole in the
// middle of the screen, unflipped and mirrored as a whole left-right,
// top-bottom and both, four runs. --whole-cells does the same for the ROM
// that writes a sprite's cells with spr_write_cells() (rom/show_cells.c).
//
// With --grid the ROM is a game: see game_check.h.
//
// --save-screens DIR writes every screen taken into DIR as a PPM picture,
// for a person to look at what the console drew.
//
// Sheets are found the way the converter finds them, relative to the current
// directory. Exit status 0 when every picture matches, 1 when one differs,
// 2 when the check itself could not be made.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "common/console.h"
#include "description/parse_description.h"
#include "driver/read_description.h"
#include "console/harness/described_sprites.h"
#include "console/harness/emulator.h"
#include "console/harness/game_check.h"
#include "console/harness/expected_picture.h"
#include "console/harness/views.h"
#include "console/rom/rom_config.h"
#include "console/rom/rom_palette.h"

namespace pixcell::console {

namespace {

constexpr int kNoEntry = -1;  // a colour that no palette entry has

struct Options {
    bool stop_at_first = false;
    bool objects = false;      // --objects: the ROM shows a sprite's objects, flipped as a whole
    bool whole_cells = false;  // --whole-cells: the ROM shows a sprite's cells, flipped as a whole
    std::string rom_path;
    std::vector<std::string> description_paths;  // one
    std::set<std::string> only;  // sprite names; all when empty
    std::string save_screens;    // --save-screens DIR: every screen taken, as a PPM picture there
};

// A screen as a binary PPM, each 5-bit channel widened to 8 as the screen
// shows it, for a person to look at what the console drew.
void save_screen(const Options& options, const std::string& name, const ScreenPicture& picture) {
    if (options.save_screens.empty()) return;
    std::ofstream file(options.save_screens + "/" + name + ".ppm", std::ios::binary);
    file << "P6\n" << kScreenWidth << " " << kScreenHeight << "\n255\n";
    for (const std::uint16_t colour : picture) {
        for (const int shift : {0, 5, 10}) {
            const int five = colour >> shift & 31;
            file.put(static_cast<char>(five << 3 | five >> 2));
        }
    }
}

bool parse_options(int argc, char** argv, Options& options) {
    std::vector<std::string> positional;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--save-screens") == 0 && i + 1 < argc) {
            options.save_screens = argv[++i];
        } else if (std::strcmp(argv[i], "--stop-at-first") == 0) {
            options.stop_at_first = true;
        } else if (std::strcmp(argv[i], "--objects") == 0) {
            options.objects = true;
        } else if (std::strcmp(argv[i], "--whole-cells") == 0) {
            options.whole_cells = true;
        } else {
            positional.emplace_back(argv[i]);
        }
    }
    if (positional.size() < 2) return false;
    options.rom_path = positional[0];
    options.description_paths = {positional[1]};
    options.only.insert(positional.begin() + 2, positional.end());
    return true;
}

// Where the ROM keeps its run settings, found by their tag.
std::size_t find_config(const std::vector<std::uint8_t>& rom) {
    const char* tag = ROM_CONFIG_TAG;
    for (std::size_t at = 0; at + sizeof(rom_config) <= rom.size(); at += 4)
        if (std::memcmp(rom.data() + at, tag, ROM_CONFIG_TAG_SIZE) == 0) return at;
    return rom.size();
}

void put_int(std::vector<std::uint8_t>& rom, std::size_t at, std::int64_t value) {
    const auto v = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i) rom[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

// One run of the ROM: where the sprite goes, and how it is mirrored as a whole.
struct Shot {
    View view;
    std::int32_t flip = 0;
};

void configure(std::vector<std::uint8_t>& rom, std::size_t at, int sprite, const Shot& shot) {
    const View& view = shot.view;
    const std::int64_t fields[] = {sprite, view.origin_x, view.origin_y, view.window.left,
                                   view.window.top, view.window.right, view.window.bottom, shot.flip};
    static_assert(sizeof(fields) / sizeof(fields[0]) == ROM_CONFIG_FIELDS);
    for (std::size_t i = 0; i < ROM_CONFIG_FIELDS; ++i)
        put_int(rom, at + ROM_CONFIG_TAG_SIZE + 4 * i, fields[i]);
}

// The entry of palette row `row` that shows `colour`.
int shown_entry(std::uint16_t colour, int row) {
    if (colour == ROM_BACKDROP) return 0;
    for (int i = 1; i < kRowColours; ++i)
        if (rom_row_colour(row, i) == colour) return i;
    return kNoEntry;
}

char entry_char(int entry) { return entry == kNoEntry ? '?' : entry == 0 ? '.' : "0123456789ABCDEF"[entry]; }

char allowed_char(std::uint16_t allowed) {
    for (int i = 0; i < 16; ++i)
        if (allowed == 1u << i) return entry_char(i);
    return '*';  // overlapping cells: any of several
}

// The palette row of the sprite each screen pixel belongs to.
using PixelRows = std::vector<int>;

bool pixel_matches(const ExpectedPicture& expected, const ScreenPicture& shown, const PixelRows& rows,
                   std::size_t i) {
    const int entry = shown_entry(shown[i], rows[i]);
    return entry != kNoEntry && (expected[i] & 1u << entry) != 0;
}

std::size_t count_mismatches(const ExpectedPicture& expected, const ScreenPicture& shown, const PixelRows& rows) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < expected.size(); ++i)
        if (!pixel_matches(expected, shown, rows, i)) ++count;
    return count;
}

std::size_t count_overlapped(const ExpectedPicture& expected) {
    std::size_t count = 0;
    for (std::uint16_t allowed : expected)
        if ((allowed & (allowed - 1)) != 0) ++count;
    return count;
}

// Where the pixels that don't match lie.
struct Differences {
    std::size_t count = 0;
    int x0 = kScreenWidth, y0 = kScreenHeight, x1 = -1, y1 = -1;
};

Differences find_differences(const ExpectedPicture& expected, const ScreenPicture& shown, const PixelRows& rows) {
    Differences d;
    for (int y = 0; y < kScreenHeight; ++y) {
        for (int x = 0; x < kScreenWidth; ++x) {
            if (pixel_matches(expected, shown, rows, static_cast<std::size_t>(y * kScreenWidth + x))) continue;
            ++d.count;
            d.x0 = std::min(d.x0, x), d.y0 = std::min(d.y0, y);
            d.x1 = std::max(d.x1, x), d.y1 = std::max(d.y1, y);
        }
    }
    return d;
}

// The two pictures side by side over the differences, when that is small
// enough to read.
void print_side_by_side(const ExpectedPicture& expected, const ScreenPicture& shown, const PixelRows& rows,
                        const Differences& d) {
    if (d.x1 - d.x0 >= 64 || d.y1 - d.y0 >= 40) return;
    std::printf("  expected | shown ('.' nothing, hex palette entry, '?' unknown colour)\n");
    for (int y = d.y0; y <= d.y1; ++y) {
        std::string left, right;
        for (int x = d.x0; x <= d.x1; ++x) {
            const std::size_t i = static_cast<std::size_t>(y * kScreenWidth + x);
            left += allowed_char(expected[i]);
            right += entry_char(shown_entry(shown[i], rows[i]));
        }
        std::printf("  %s | %s\n", left.c_str(), right.c_str());
    }
}

// The mismatching pixels of one run: their count and bounds, and the two
// pictures side by side over that area when it is small enough to read.
void report_mismatch(const std::string& name, int sprite, const Shot& shot, const ExpectedPicture& expected,
                     const ScreenPicture& shown, const PixelRows& rows) {
    const Differences d = find_differences(expected, shown, rows);
    const View& view = shot.view;
    static const char* const flips[] = {"", ", flipped h", ", flipped v", ", flipped hv"};
    std::string window;
    if (view.window.left != kAllCells.left) {
        window = ", cells with corner in [" + std::to_string(view.window.left) + "," +
                 std::to_string(view.window.right) + ")x[" + std::to_string(view.window.top) + "," +
                 std::to_string(view.window.bottom) + ")";
    }
    std::printf("MISMATCH %s (table index %d)%s, origin at (%lld,%lld)%s: %zu pixels differ within "
                "x %d..%d, y %d..%d\n",
                name.c_str(), sprite, flips[shot.flip & kFlipMask], static_cast<long long>(view.origin_x),
                static_cast<long long>(view.origin_y), window.c_str(), d.count, d.x0, d.x1, d.y0, d.y1);
    print_side_by_side(expected, shown, rows, d);
}

std::optional<std::vector<std::uint8_t>> read_bytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return std::nullopt;
    return std::vector<std::uint8_t>((std::istreambuf_iterator<char>(file)),
                                     std::istreambuf_iterator<char>());
}

struct Run {
    const Options& options;
    std::vector<std::uint8_t>& rom;
    std::size_t config_at = 0;
    std::size_t runs = 0;
};

// The runs that show the sprite: the cell ROM's views (views.h), or each
// whole-sprite flip in the middle of the screen for the ROMs that write a
// sprite whole (one run for a sprite with nothing to show). Nothing and a reason when the
// sprite can't be shown.
std::optional<std::vector<Shot>> choose_shots(const Options& options, const ListedSprite& sprite, std::string& error) {
    std::vector<Shot> shots;
    if (!options.objects && !options.whole_cells) {
        const std::optional<std::vector<View>> views = choose_views(sprite.cells, error);
        if (!views) return std::nullopt;
        for (const View& view : *views) shots.push_back(Shot{view, 0});
        return shots;
    }
    const std::int32_t flips = sprite.cells.empty() ? 1 : kFlipMask + 1;
    for (std::int32_t flip = 0; flip < flips; ++flip) {
        const std::optional<View> view = centred_view(flipped_sprite(sprite.cells, flip), error);
        if (!view) return std::nullopt;
        shots.push_back(Shot{*view, flip});
    }
    return shots;
}

// 0 when every view of the sprite matches, 1 when one differs, 2 when the
// sprite can't be shown or the emulator fails.
int check_sprite(Run& run, const ListedSprite& sprite, const SheetPixels& sheet) {
    std::string error;
    const std::optional<std::vector<Shot>> shots = choose_shots(run.options, sprite, error);
    if (!shots) {
        std::fprintf(stderr, "console_check: %s: %s\n", sprite.name.c_str(), error.c_str());
        return 2;
    }
    std::size_t bad_views = 0;
    std::size_t overlapped = 0;  // most pixels where cells of different colour overlap
    const PixelRows rows(static_cast<std::size_t>(kScreenWidth) * kScreenHeight, sprite.row);
    for (const Shot& shot : *shots) {
        configure(run.rom, run.config_at, sprite.table_index, shot);
        const std::optional<ScreenPicture> shown = run_rom(run.rom, error);
        if (!shown) {
            std::fprintf(stderr, "console_check: %s\n", error.c_str());
            return 2;
        }
        ++run.runs;
        save_screen(run.options, sprite.name + "_" + std::to_string(run.runs), *shown);
        const ExpectedPicture expected = expected_picture(flipped_sprite(sprite.cells, shot.flip), sheet, shot.view);
        overlapped = std::max(overlapped, count_overlapped(expected));
        if (count_mismatches(expected, *shown, rows) > 0) {
            // One picture of the differences per sprite is enough to read.
            if (bad_views == 0) report_mismatch(sprite.name, sprite.table_index, shot, expected, *shown, rows);
            ++bad_views;
            if (run.options.stop_at_first) break;
        }
    }
    std::printf("%s: %zu cells, %zu of %zu views %s", sprite.name.c_str(), sprite.cells.size(),
                bad_views ? bad_views : shots->size(), shots->size(), bad_views ? "DIFFER" : "match");
    // There either cell may show, so those pixels prove less.
    if (overlapped > 0) std::printf(" (up to %zu pixels of overlapping parts)", overlapped);
    std::printf("\n");
    return bad_views > 0 ? 1 : 0;
}

int check(const Options& options) {
    std::optional<std::vector<std::uint8_t>> rom = read_bytes(options.rom_path);
    if (!rom) {
        std::fprintf(stderr, "console_check: can't read ROM %s\n", options.rom_path.c_str());
        return 2;
    }
    Run run{options, *rom, find_config(*rom), 0};
    if (run.config_at == rom->size()) {
        std::fprintf(stderr, "console_check: %s has no run settings block\n", options.rom_path.c_str());
        return 2;
    }
    const std::optional<Description> description = read_sprites(options.description_paths[0], options.objects);
    if (!description) return 2;

    // A sprite without cells has no record; past the last record it has no
    // slot in the table either, and there is nothing to look at. The object
    // arrays have every sprite.
    int last_patterned = -1;
    for (const ListedSprite& sprite : description->sprites)
        if (!sprite.cells.empty()) last_patterned = sprite.table_index;

    int failed = 0;
    for (const ListedSprite& sprite : description->sprites) {
        if (!options.only.empty() && !options.only.count(sprite.name)) continue;
        if (!options.objects && sprite.table_index > last_patterned) {
            std::printf("%s: no cells, not in the pattern table\n", sprite.name.c_str());
            continue;
        }
        const int status = check_sprite(run, sprite, description->sheets.at(sprite.bitmap));
        if (status == 2) return 2;
        failed += status;
        if (failed > 0 && options.stop_at_first) break;
    }
    std::printf("%zu runs, %d sprite(s) differ\n", run.runs, failed);
    return failed > 0 ? 1 : 0;
}

}  // namespace

}  // namespace pixcell::console

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--grid") == 0) return pixcell::console::check_game(argc, argv);
    pixcell::console::Options options;
    if (!pixcell::console::parse_options(argc, argv, options)) {
        std::fputs(
            "usage: console_check [--save-screens DIR] [--stop-at-first] [--objects | --whole-cells] ROM DESCRIPTION\n"
            "                     [SPRITE...]\n"
            "       console_check --grid ... (see game_check.h)\n",
            stderr);
        return 2;
    }
    return pixcell::console::check(options);
}
