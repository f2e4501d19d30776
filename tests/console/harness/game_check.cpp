#include "console/harness/game_check.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "common/console.h"
#include "console/harness/described_sprites.h"
#include "console/harness/emulator.h"

namespace pixcell::console {

namespace {

struct Grid {
    int left = 0, top = 0, step_x = 0, step_y = 0, columns = 0;
};

struct Placed {
    int x = 0, y = 0, step = 0;
    std::string description_path;
};

struct Animated {
    int x = 0, y = 0, flip = 0;
    std::string tag;
    std::string export_path;
};

struct GameOptions {
    Grid grid;
    std::vector<Placed> placed;
    std::vector<Animated> animated;
    int frames = 1;
    unsigned long tick_address = 0;
    std::string save_screens;
    std::string rom_path;
    std::vector<std::string> description_paths;
};

bool parse_game_options(int argc, char** argv, GameOptions& options) {
    std::vector<std::string> positional;
    bool grid = false;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        const bool has_value = i + 1 < argc;
        if (option == "--grid" && has_value) {
            Grid& g = options.grid;
            grid = std::sscanf(argv[++i], "%d,%d,%d,%d,%d", &g.left, &g.top, &g.step_x, &g.step_y, &g.columns) == 5 &&
                   g.columns > 0;
        } else if (option == "--place" && i + 2 < argc) {
            Placed placed;
            if (std::sscanf(argv[++i], "%d,%d,%d", &placed.x, &placed.y, &placed.step) < 2) return false;
            placed.description_path = argv[++i];
            options.placed.push_back(placed);
        } else if (option == "--animate" && i + 2 < argc) {
            Animated animated;
            char tag[256] = {};
            if (std::sscanf(argv[++i], "%d,%d,%i,%255s", &animated.x, &animated.y, &animated.flip, tag) != 4)
                return false;
            animated.tag = tag;
            animated.export_path = argv[++i];
            options.animated.push_back(animated);
        } else if (option == "--frames" && has_value) {
            options.frames = std::atoi(argv[++i]);
        } else if (option == "--tick-address" && has_value) {
            options.tick_address = std::strtoul(argv[++i], nullptr, 0);
        } else if (option == "--save-screens" && has_value) {
            options.save_screens = argv[++i];
        } else {
            positional.push_back(option);
        }
    }
    if (!grid || positional.empty() || options.frames < 1) return false;
    options.rom_path = positional[0];
    options.description_paths.assign(positional.begin() + 1, positional.end());
    return true;
}

// Which frame of the export a tag shows at each console frame, worked out
// from the JSON alone.
struct TagModel {
    std::vector<int> frame_at_tick;  // one pass, tick by tick: the frame's index in the export
    int repeat = 0;                  // passes, then the last frame stays; 0: for ever

    int frame(std::uint32_t tick) const {
        const std::size_t pass = frame_at_tick.size();
        if (repeat > 0 && tick >= pass * static_cast<std::size_t>(repeat)) return frame_at_tick.back();
        return frame_at_tick[tick % pass];
    }
};

std::optional<TagModel> model_tag(const std::string& path, const std::string& tag_name) {
    std::ifstream file(path);
    const nlohmann::ordered_json json = nlohmann::ordered_json::parse(file, nullptr, false);
    if (json.is_discarded()) return std::nullopt;
    std::vector<int> durations;
    for (const auto& frame : json.at("frames")) durations.push_back(frame.at("duration").get<int>());
    for (const auto& tag : json.at("meta").at("frameTags")) {
        if (tag.at("name") != tag_name) continue;
        if (tag.value("direction", "forward") != "forward") return std::nullopt;  // the example's are
        TagModel model;
        const std::string repeat = tag.value("repeat", "0");
        model.repeat = std::atoi(repeat.c_str());
        for (int f = tag.at("from").get<int>(); f <= tag.at("to").get<int>(); ++f) {
            const long ticks = std::max(1L, std::lround(durations.at(static_cast<std::size_t>(f)) * 59.7275 / 1000));
            model.frame_at_tick.insert(model.frame_at_tick.end(), static_cast<std::size_t>(ticks), f);
        }
        return model;
    }
    return std::nullopt;
}

void save_screen(const std::string& folder, const std::string& name, const ScreenPicture& picture) {
    if (folder.empty()) return;
    std::ofstream file(folder + "/" + name + ".ppm", std::ios::binary);
    file << "P6\n" << kScreenWidth << " " << kScreenHeight << "\n255\n";
    for (const std::uint16_t colour : picture) {
        for (const int shift : {0, 5, 10}) {
            const int five = colour >> shift & 31;
            file.put(static_cast<char>(five << 3 | five >> 2));
        }
    }
}

std::int32_t whole_flip(int attribute_flips) {
    return (attribute_flips & 0x1000 ? kFlipHorizontal : 0) | (attribute_flips & 0x2000 ? kFlipVertical : 0);
}

// The colours the still sprites show: the grid's and the --place ones'.
std::optional<ExpectedColours> still_colours(const GameOptions& options, int& count) {
    ExpectedColours expected(static_cast<std::size_t>(kScreenWidth) * kScreenHeight, kNoColour);
    int slot = 0;
    for (const std::string& path : options.description_paths) {
        const std::optional<Description> description = read_sprites(path);
        if (!description) return std::nullopt;
        for (const ListedSprite& sprite : description->sprites) {
            const Grid& g = options.grid;
            const View view{g.left + std::int64_t{g.step_x} * (slot % g.columns),
                            g.top + std::int64_t{g.step_y} * (slot / g.columns), kAllCells};
            add_expected_colours(sprite.cells, description->sheets.at(sprite.bitmap), view, expected);
            ++slot;
        }
    }
    count = slot;
    for (const Placed& placed : options.placed) {
        const std::optional<Description> description = read_sprites(placed.description_path, true);
        if (!description) return std::nullopt;
        for (const ListedSprite& sprite : description->sprites) {
            const View view{placed.x + std::int64_t{placed.step} * sprite.table_index, placed.y, kAllCells};
            add_expected_colours(sprite.cells, description->sheets.at(sprite.bitmap), view, expected);
            ++count;
        }
    }
    return expected;
}

// An --animate with what it needs at every tick.
struct Animation {
    const Animated* animated = nullptr;
    Description sprites;
    TagModel model;
};

// 0 when the picture matches, else the pixels that differ (and the first is said).
std::size_t compare(const ExpectedColours& expected, const ScreenPicture& shown, std::uint16_t backdrop,
                    bool say_first) {
    std::size_t count = 0;
    int x0 = kScreenWidth, y0 = kScreenHeight, x1 = -1, y1 = -1;
    for (int y = 0; y < kScreenHeight; ++y) {
        for (int x = 0; x < kScreenWidth; ++x) {
            const std::size_t i = static_cast<std::size_t>(y * kScreenWidth + x);
            const std::uint16_t seen = shown[i];
            const bool matches = expected[i] == kNoColour    ? seen == backdrop
                                 : expected[i] == kAnyColour ? seen != backdrop
                                                             : seen == expected[i];
            if (matches) continue;
            if (count++ == 0 && say_first)
                std::printf("  first at %d,%d: expected 0x%04X, shown 0x%04X\n", x, y,
                            expected[i] < 0 ? backdrop : static_cast<unsigned>(expected[i]), seen);
            x0 = std::min(x0, x), y0 = std::min(y0, y), x1 = std::max(x1, x), y1 = std::max(y1, y);
        }
    }
    if (count > 0 && say_first) std::printf("  %zu pixels differ within x %d..%d, y %d..%d\n", count, x0, x1, y0, y1);
    return count;
}

}  // namespace

int check_game(int argc, char** argv) {
    GameOptions options;
    if (!parse_game_options(argc, argv, options)) {
        std::fputs("usage: console_check --grid LEFT,TOP,STEP_X,STEP_Y,COLUMNS [--place X,Y[,STEP] DESCRIPTION]...\n"
                   "                     [--animate X,Y,FLIP,TAG EXPORT]... [--frames N --tick-address ADDRESS]\n"
                   "                     [--save-screens DIR] ROM DESCRIPTION...\n",
                   stderr);
        return 2;
    }
    std::ifstream rom_file(options.rom_path, std::ios::binary);
    const std::vector<std::uint8_t> rom((std::istreambuf_iterator<char>(rom_file)), std::istreambuf_iterator<char>());
    if (!rom_file || rom.empty()) {
        std::fprintf(stderr, "console_check: can't read ROM %s\n", options.rom_path.c_str());
        return 2;
    }
    int still = 0;
    const std::optional<ExpectedColours> background = still_colours(options, still);
    if (!background) return 2;
    std::vector<Animation> animations;
    for (const Animated& animated : options.animated) {
        std::optional<Description> sprites = read_sprites(animated.export_path, true);
        const std::optional<TagModel> model = model_tag(animated.export_path, animated.tag);
        if (!sprites || !model || model->frame_at_tick.empty()) {
            std::fprintf(stderr, "console_check: no forward tag %s in %s\n", animated.tag.c_str(),
                         animated.export_path.c_str());
            return 2;
        }
        animations.push_back(Animation{&animated, std::move(*sprites), *model});
    }

    std::string error;
    RomColours colours;
    const std::optional<std::vector<TimedPicture>> pictures =
        run_rom_frames(rom, options.frames, static_cast<std::uint32_t>(options.tick_address), error, &colours);
    if (!pictures) {
        std::fprintf(stderr, "console_check: %s\n", error.c_str());
        return 2;
    }
    std::size_t differing = 0;
    for (const TimedPicture& shot : *pictures) {
        ExpectedColours expected = *background;
        std::string frames;
        for (const Animation& animation : animations) {
            const int frame = animation.model.frame(shot.word);
            const ListedSprite& sprite = animation.sprites.sprites.at(static_cast<std::size_t>(frame));
            const View view{animation.animated->x, animation.animated->y, kAllCells};
            add_expected_colours(flipped_sprite(sprite.cells, whole_flip(animation.animated->flip)),
                                 animation.sprites.sheets.at(sprite.bitmap), view, expected);
            frames += " " + sprite.name;
        }
        save_screen(options.save_screens, "screen_" + std::to_string(shot.word), shot.picture);
        const bool say = differing < 3;
        if (say && compare(expected, shot.picture, colours.backdrop, false) > 0)
            std::printf("MISMATCH at console frame %u (expected%s):\n", shot.word, frames.c_str());
        if (compare(expected, shot.picture, colours.backdrop, say) > 0) ++differing;
    }
    const std::uint32_t first = pictures->front().word;
    const std::uint32_t last = pictures->back().word;
    if (differing == 0) {
        std::printf("%d sprites and %zu animated, %zu pictures (console frames %u to %u): every one matches, "
                    "in the sheets' colours\n",
                    still, animations.size(), pictures->size(), first, last);
        return 0;
    }
    std::printf("MISMATCH in %zu of %zu pictures (console frames %u to %u)\n", differing, pictures->size(), first,
                last);
    return 1;
}

}  // namespace pixcell::console
