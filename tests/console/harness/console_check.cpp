// Runs a test ROM built from generated files on the emulator and checks that
// every sprite of the description looks on screen the way its sheet and its
// parts say: one run per view (see views.h), each compared pixel by pixel.
//
//   console_check [--stop-at-first] [--objects | --whole-cells] ROM DESCRIPTION [SPRITE...]
//   console_check --grid LEFT,TOP,STEP_X,STEP_Y,COLUMNS [--true-colour] [--place X,Y DESCRIPTION]...
//                 ROM DESCRIPTION...
//
// With --objects the ROM is the objects ROM (rom/show_objects.c), which
// writes every object of a sprite at once: each sprite is seen whole in the
// middle of the screen, unflipped and mirrored as a whole left-right,
// top-bottom and both, four runs. --whole-cells does the same for the ROM
// that writes a sprite's cells with spr_write_cells() (rom/show_cells.c).
//
// With --grid the ROM is a game (the example game) that shows every sprite
// of the descriptions' pattern tables at once, in a palette of its own:
// sprite i, counting on from one description to the next, with its origin
// at (LEFT + STEP_X * (i % COLUMNS), TOP + STEP_Y * (i / COLUMNS)). One run,
// one picture. Each --place puts every sprite of one more description with
// its origin at (X, Y), however the game draws it (the example game's boss,
// drawn with objects). With --true-colour each sheet has a twin whose
// colour table holds the colours its pixels must show in (sheet_pixels.h),
// and the screen is compared with those, whatever rows the converter chose.
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
#include "console/harness/emulator.h"
#include "console/harness/expected_picture.h"
#include "console/harness/views.h"
#include "console/rom/rom_config.h"
#include "console/rom/rom_palette.h"

namespace pixcell::console {

namespace {

constexpr int kNoEntry = -1;  // a colour that no palette entry has

// Where the game of --grid puts each sprite's origin.
struct Grid {
    int left = 0, top = 0, step_x = 0, step_y = 0, columns = 0;
};

// --place: a description whose sprites the game shows at one point.
struct Placed {
    int x = 0, y = 0;
    std::string description_path;
};

struct Options {
    bool stop_at_first = false;
    bool true_colour = false;  // --true-colour: the sheets' twins hold the colours to see
    bool objects = false;      // --objects: the ROM shows a sprite's objects, flipped as a whole
    bool whole_cells = false;  // --whole-cells: the ROM shows a sprite's cells, flipped as a whole
    std::optional<Grid> grid;
    std::vector<Placed> placed;
    std::string rom_path;
    std::vector<std::string> description_paths;  // one, but with --grid any number
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
        } else if (std::strcmp(argv[i], "--true-colour") == 0) {
            options.true_colour = true;
        } else if (std::strcmp(argv[i], "--objects") == 0) {
            options.objects = true;
        } else if (std::strcmp(argv[i], "--whole-cells") == 0) {
            options.whole_cells = true;
        } else if (std::strcmp(argv[i], "--grid") == 0 && i + 1 < argc) {
            Grid g;
            if (std::sscanf(argv[++i], "%d,%d,%d,%d,%d", &g.left, &g.top, &g.step_x, &g.step_y,
                            &g.columns) != 5 || g.columns <= 0)
                return false;
            options.grid = g;
        } else if (std::strcmp(argv[i], "--place") == 0 && i + 2 < argc) {
            Placed placed;
            if (std::sscanf(argv[++i], "%d,%d", &placed.x, &placed.y) != 2) return false;
            placed.description_path = argv[++i];
            options.placed.push_back(placed);
        } else {
            positional.emplace_back(argv[i]);
        }
    }
    if (positional.size() < 2) return false;
    options.rom_path = positional[0];
    if (options.grid) {
        options.description_paths.assign(positional.begin() + 1, positional.end());
    } else {
        options.description_paths = {positional[1]};
        options.only.insert(positional.begin() + 2, positional.end());
    }
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

// A sprite as the enumeration numbers it: those whose sheet loaded and that
// have parts, in list order.
struct ListedSprite {
    std::string name;
    std::string bitmap;
    int table_index = 0;
    int row = 0;  // of the palette, as the sheet says
    std::vector<ShownCell> cells;
};

struct Description {
    std::vector<ListedSprite> sprites;
    std::map<std::string, SheetPixels> sheets;  // by the name the description gives
};

// Reads the description with the converter's own reader (which other tests
// cover) and the sheets with ours.
std::optional<Description> read_sprites(const std::string& path) {
    const std::optional<std::string> text = read_description(path);
    if (!text) {
        std::fprintf(stderr, "console_check: can't read description %s\n", path.c_str());
        return std::nullopt;
    }
    // The parts are all it reads there: the pixels come from the twins.
    SheetStore store(TrueColourSheets::loaded);
    const pixcell::Description read = parse_description(*text, store);
    const SpriteList& list = read.sprites;
    if (!read.matched || store.failed_loads() != 0) {
        std::fprintf(stderr, "console_check: can't use description %s\n", path.c_str());
        return std::nullopt;
    }
    Description description;
    for (const SpriteObject& object : list) {
        if (store.find(object.bitmap) < 0 || object.parts.empty()) continue;
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
        sprite.cells = shown_cells(object, description.sheets.at(object.bitmap));
        sprite.row = palette_row(object, description.sheets.at(object.bitmap));
        description.sprites.push_back(std::move(sprite));
    }
    return description;
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

// The game's picture in the test ROM's colours, so that the comparison
// reads it as it reads the test ROM's: each colour of a row of the game's
// palette becomes that entry's colour in the same row of the test sheets'
// palette, read in the row of the sprite the pixel belongs to. A row that
// shows two entries alike can't be read back.
bool to_rom_colours(ScreenPicture& picture, const RomColours& game, const PixelRows& rows) {
    const auto entry = [&](int row, int i) { return game.objects[row * kRowColours + i]; };
    for (int row = 0; row < kPaletteRows; ++row) {
        if (std::find(rows.begin(), rows.end(), row) == rows.end()) continue;
        for (int i = 1; i < kRowColours; ++i) {
            if (entry(row, i) == game.backdrop) return false;
            for (int j = 1; j < i; ++j)
                if (entry(row, i) == entry(row, j)) return false;
        }
    }
    constexpr std::uint16_t kUnknown = 0x8000;  // no 15-bit colour
    for (std::size_t p = 0; p < picture.size(); ++p) {
        std::uint16_t rom = kUnknown;
        if (picture[p] == game.backdrop) rom = ROM_BACKDROP;
        for (int i = 1; i < kRowColours; ++i)
            if (picture[p] == entry(rows[p], i)) rom = rom_row_colour(rows[p], i);
        picture[p] = rom;
    }
    return true;
}

// Where the game of --grid puts sprite i's origin.
View grid_view(const Grid& grid, int i) {
    View view;
    view.origin_x = grid.left + std::int64_t{grid.step_x} * (i % grid.columns);
    view.origin_y = grid.top + std::int64_t{grid.step_y} * (i / grid.columns);
    view.window = kAllCells;
    return view;
}

// Calls visit(sprite, its sheet, where the game puts it) for every sprite
// the game shows: the grid's, its slots counting on from one description to
// the next, then those of each --place. Returns how many, or nothing when a
// description can't be read.
template <typename Visit>
std::optional<int> for_each_game_sprite(const Options& options, const Grid& grid, Visit visit) {
    int count = 0;
    for (const std::string& path : options.description_paths) {
        const std::optional<Description> description = read_sprites(path);
        if (!description) return std::nullopt;
        for (const ListedSprite& sprite : description->sprites)
            visit(sprite, description->sheets.at(sprite.bitmap), grid_view(grid, count + sprite.table_index));
        count += static_cast<int>(description->sprites.size());
    }
    for (const Placed& placed : options.placed) {
        const std::optional<Description> description = read_sprites(placed.description_path);
        if (!description) return std::nullopt;
        for (const ListedSprite& sprite : description->sprites)
            visit(sprite, description->sheets.at(sprite.bitmap), View{placed.x, placed.y, kAllCells});
        count += static_cast<int>(description->sprites.size());
    }
    return count;
}

// --grid --true-colour: the game's picture against the colours of the
// sheets' twins, as the console shows them, whatever rows the converter
// chose: a sprite loaded into another's rows shows in wrong colours.
int check_grid_colours(const Options& options, const Grid& grid, const std::vector<std::uint8_t>& rom) {
    const std::size_t pixels = static_cast<std::size_t>(kScreenWidth) * kScreenHeight;
    ExpectedColours expected(pixels, kNoColour);
    const std::optional<int> sprites = for_each_game_sprite(
        options, grid, [&](const ListedSprite& sprite, const SheetPixels& sheet, const View& view) {
            add_expected_colours(sprite.cells, sheet, view, expected);
        });
    if (!sprites) return 2;
    std::string error;
    RomColours colours;
    const std::optional<ScreenPicture> shown = run_rom(rom, error, &colours);
    if (!shown) {
        std::fprintf(stderr, "console_check: %s\n", error.c_str());
        return 2;
    }
    save_screen(options, "screen", *shown);
    Differences d;
    for (int y = 0; y < kScreenHeight; ++y) {
        for (int x = 0; x < kScreenWidth; ++x) {
            const std::size_t i = static_cast<std::size_t>(y * kScreenWidth + x);
            const std::uint16_t seen = (*shown)[i];
            const bool matches = expected[i] == kNoColour    ? seen == colours.backdrop
                                 : expected[i] == kAnyColour ? seen != colours.backdrop
                                                             : seen == expected[i];
            if (matches) continue;
            if (d.count++ == 0) {
                std::printf("  first at %d,%d: expected 0x%04X, shown 0x%04X\n", x, y,
                            expected[i] < 0 ? colours.backdrop : static_cast<unsigned>(expected[i]), seen);
            }
            d.x0 = std::min(d.x0, x), d.y0 = std::min(d.y0, y);
            d.x1 = std::max(d.x1, x), d.y1 = std::max(d.y1, y);
        }
    }
    if (d.count == 0) {
        std::printf("%d sprites: the screen matches, in the sheets' colours\n", *sprites);
        return 0;
    }
    std::printf("MISMATCH the screen: %zu pixels differ in colour within x %d..%d, y %d..%d\n", d.count, d.x0,
                d.x1, d.y0, d.y1);
    return 1;
}

// --grid: every sprite with cells at its place in the grid, all in one
// picture; the game places every cell, wherever it lands.
int check_grid(const Options& options, const Grid& grid) {
    const std::optional<std::vector<std::uint8_t>> rom = read_bytes(options.rom_path);
    if (!rom) {
        std::fprintf(stderr, "console_check: can't read ROM %s\n", options.rom_path.c_str());
        return 2;
    }
    if (options.true_colour) return check_grid_colours(options, grid, *rom);
    constexpr std::uint16_t kBackdrop = 1;
    const std::size_t pixels = static_cast<std::size_t>(kScreenWidth) * kScreenHeight;
    ExpectedPicture expected(pixels, kBackdrop);
    PixelRows rows(pixels, 0);
    const std::optional<int> sprites = for_each_game_sprite(
        options, grid, [&](const ListedSprite& sprite, const SheetPixels& sheet, const View& view) {
            const ExpectedPicture one = expected_picture(sprite.cells, sheet, view);
            for (std::size_t p = 0; p < one.size(); ++p) {
                if (one[p] == kBackdrop) continue;
                if (expected[p] == kBackdrop) expected[p] = 0;
                expected[p] = static_cast<std::uint16_t>(expected[p] | one[p]);
                rows[p] = sprite.row;
            }
        });
    if (!sprites) return 2;
    std::string error;
    RomColours colours;
    std::optional<ScreenPicture> shown = run_rom(*rom, error, &colours);
    if (!shown) {
        std::fprintf(stderr, "console_check: %s\n", error.c_str());
        return 2;
    }
    save_screen(options, "screen", *shown);
    if (!to_rom_colours(*shown, colours, rows)) {
        std::fprintf(stderr, "console_check: the game's palette shows two entries of a row, or an entry "
                             "and the backdrop, in one colour\n");
        return 2;
    }
    const Differences d = find_differences(expected, *shown, rows);
    if (d.count == 0) {
        std::printf("%d sprites: the screen matches\n", *sprites);
        return 0;
    }
    std::printf("MISMATCH the screen: %zu pixels differ within x %d..%d, y %d..%d\n", d.count,
                d.x0, d.x1, d.y0, d.y1);
    print_side_by_side(expected, *shown, rows, d);
    return 1;
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
    const std::optional<Description> description = read_sprites(options.description_paths[0]);
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
    pixcell::console::Options options;
    if (!pixcell::console::parse_options(argc, argv, options)) {
        std::fputs(
            "usage: console_check [--save-screens DIR] [--stop-at-first] [--objects | --whole-cells] ROM DESCRIPTION\n"
            "                     [SPRITE...]\n"
            "       console_check --grid LEFT,TOP,STEP_X,STEP_Y,COLUMNS [--true-colour] [--place X,Y DESCRIPTION]...\n"
            "                     ROM DESCRIPTION...\n",
            stderr);
        return 2;
    }
    if (options.grid) return pixcell::console::check_grid(options, *options.grid);
    return pixcell::console::check(options);
}
