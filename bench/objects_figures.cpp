// pixcell_bench_objects DESCRIPTION [ROUNDS [MODE]]: converts the description into
// cells and covers its sprites with objects in each way of covering; prints
// for each the objects (sum), the most objects of one sprite and the tile
// bytes, and the median times of the conversion and of each cover (or of
// MODE's alone: fewest, balanced or bytes, for a profiler). Run it in
// the folder the description names its sheets from. With
// PIXCELL_BENCH_KINDS set, also the objects of each kind of sprite (its
// name without the digits at its end); with PIXCELL_BENCH_GREEDY set, the
// objects and tiles (each counted where used) of the parts that fit a
// 64x64 window, covered by the stage and by the greedy yardstick.
// With PIXCELL_BENCH_STREAM set, also each way laid out for streaming
// against the cells streamed the same way (each sprite's own distinct
// cells, mirrors matched within it): the objects, the block bytes summed
// over the sprites (what their frame changes copy), the largest block.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "cells/convert.h"
#include "common/console.h"
#include "description/parse_description.h"
#include "description/part_area.h"
#include "greedy_cover.h"
#include "objects/cover_sprites.h"
#include "objects/part_cover.h"
#include "objects/part_pixels.h"
#include "sheets/sheet_store.h"

namespace {

using namespace pixcell;
using Clock = std::chrono::steady_clock;

// Median wall time and median CPU time (of every thread) of `rounds` runs, in ms.
struct Times {
    double wall = 0;
    double cpu = 0;
};

template <class Work>
Times median_times(int rounds, Work&& work) {
    std::vector<double> walls;
    std::vector<double> cpus;
    for (int i = 0; i < rounds; ++i) {
        const Clock::time_point start = Clock::now();
        const std::clock_t cpu_start = std::clock();
        work();
        cpus.push_back(1000.0 * static_cast<double>(std::clock() - cpu_start) / CLOCKS_PER_SEC);
        walls.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    std::sort(walls.begin(), walls.end());
    std::sort(cpus.begin(), cpus.end());
    return {walls[walls.size() / 2], cpus[cpus.size() / 2]};
}

void print_row(const char* name, std::int64_t objects, std::int64_t most, std::int64_t bytes, const char* time) {
    std::printf("| %-12s | %9lld | %6lld | %10lld | %s |\n", name, static_cast<long long>(objects),
                static_cast<long long>(most), static_cast<long long>(bytes), time);
}

// Objects and tiles of the covers of the parts that fit one window, by the
// stage's search and by the greedy yardstick, each kept to the part's
// cells as the stage keeps its own.
void compare_with_greedy(const Description& description, const Conversion& conversion, const SheetStore& sheets,
                         const char* name, const ObjectCost& cost) {
    std::int64_t parts = 0, objects[2] = {}, tiles[2] = {};
    for (const ConvertedSprite& converted : conversion.sprites) {
        const SpriteObject& sprite = description.sprites[converted.sprite];
        const IndexedImage& image = sheets.sheet(sheets.find(sprite.bitmap));
        for (const SpritePart& part : sprite.parts) {
            const PixelArea area = pixels_on_sheet(part, image.width(), image.height());
            if (area.empty() || area.right - area.left > 64 || area.bottom - area.top > 64) continue;
            const PixelMask mask = window_mask(image, area);
            const std::int64_t cells = shown_cells(mask, image, part, area);
            if (cells == 0) continue;
            ++parts;
            for (const SheetObject& object : cover_part(image, part, cost)) {
                ++objects[0];
                tiles[0] += object_tiles(static_cast<std::size_t>(object.shape));
            }
            const std::vector<Placement> greedy = bench::greedy_cover(mask, cost);
            if (static_cast<std::int64_t>(greedy.size()) > cells) {
                objects[1] += cells;
                tiles[1] += 4 * cells;
                continue;
            }
            for (const Placement& object : greedy) {
                ++objects[1];
                tiles[1] += object_tiles(static_cast<std::size_t>(object.shape));
            }
        }
    }
    std::printf("| %s | %lld | %lld / %lld | %lld / %lld |\n", name, static_cast<long long>(parts),
                static_cast<long long>(objects[0]), static_cast<long long>(objects[1]),
                static_cast<long long>(tiles[0]), static_cast<long long>(tiles[1]));
}

// The cells streamed as the objects are: a sprite's block is its own
// distinct cells (the table's indices already match mirror images).
void print_stream_rows(const Description& description, const Conversion& conversion, const SheetStore& sheets,
                       int rounds) {
    std::int64_t cell_bytes = 0, largest_cells = 0;
    for (const ConvertedSprite& sprite : conversion.sprites) {
        std::vector<std::int32_t> own;
        for (std::size_t c = sprite.first_cell; c < sprite.first_cell + sprite.cell_count; ++c)
            own.push_back(conversion.placed[c].index);
        std::sort(own.begin(), own.end());
        const auto distinct = std::unique(own.begin(), own.end()) - own.begin();
        cell_bytes += distinct * static_cast<std::int64_t>(kCellBytes);
        largest_cells = std::max(largest_cells, distinct * static_cast<std::int64_t>(kCellBytes));
    }
    const auto cells = static_cast<std::int64_t>(conversion.placed.size());
    std::printf("\n| streamed | objects | of the cells' | block bytes, summed | of the cells' | largest block | "
                "array bytes | median wall, CPU time |\n|---|---|---|---|---|---|---|---|\n");
    std::printf("| 16x16 cells | %lld | 100 %% | %lld | 100 %% | %lld | %lld | |\n", static_cast<long long>(cells),
                static_cast<long long>(cell_bytes), static_cast<long long>(largest_cells),
                static_cast<long long>(cell_bytes));
    const struct {
        const char* name;
        ObjectCost cost;
    } modes[] = {{"fewest", kFewestObjects}, {"balanced", kBalanced}, {"bytes", kFewestTileBytes}};
    for (const auto& mode : modes) {
        ObjectConversion streamed;
        const Times covering = median_times(
            rounds, [&] { streamed = cover_sprites(description.sprites, conversion, sheets, mode.cost, true); });
        std::int64_t block_bytes = 0;
        for (const SpriteBlock& block : streamed.stream->blocks)
            block_bytes += static_cast<std::int64_t>(block.tiles) * static_cast<std::int64_t>(kTileBytes);
        // The same way weighed for the whole run, merely laid out a sprite
        // at a time: each sprite's distinct pictures.
        const ObjectConversion whole = cover_sprites(description.sprites, conversion, sheets, mode.cost);
        std::int64_t laid_bytes = 0;
        for (const ObjectSprite& sprite : whole.sprites) {
            std::map<std::int32_t, std::int32_t> pictures;  // first tile, tiles
            for (std::size_t i = sprite.first; i < sprite.first + sprite.count; ++i)
                pictures[whole.objects[i].tile] = object_tiles(static_cast<std::size_t>(whole.objects[i].shape));
            for (const auto& picture : pictures) laid_bytes += picture.second * static_cast<std::int64_t>(kTileBytes);
        }
        std::printf("| %s, weighed for the run, laid out a sprite at a time | %lld | %.1f %% | %lld | %.1f %% | | | |\n",
                    mode.name, static_cast<long long>(whole.counts.objects),
                    100.0 * static_cast<double>(whole.counts.objects) / static_cast<double>(cells),
                    static_cast<long long>(laid_bytes),
                    100.0 * static_cast<double>(laid_bytes) / static_cast<double>(cell_bytes));
        std::printf("| %s | %lld | %.1f %% | %lld | %.1f %% | %lld | %lld | %.1f ms, %.1f ms |\n", mode.name,
                    static_cast<long long>(streamed.counts.objects),
                    100.0 * static_cast<double>(streamed.counts.objects) / static_cast<double>(cells),
                    static_cast<long long>(block_bytes),
                    100.0 * static_cast<double>(block_bytes) / static_cast<double>(cell_bytes),
                    static_cast<long long>(streamed.stream->most_tiles * kTileBytes),
                    static_cast<long long>(streamed.counts.bytes), covering.wall, covering.cpu);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 4) {
        std::fputs("Usage: pixcell_bench_objects DESCRIPTION [ROUNDS [MODE]]\n", stderr);
        return 1;
    }
    const int rounds = argc >= 3 ? std::max(1, std::atoi(argv[2])) : 5;
    const std::string only = argc == 4 ? argv[3] : "";
    std::ifstream file(argv[1], std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    if (!file) {
        std::fprintf(stderr, "Error: Can't open file '%s'\n", argv[1]);
        return 1;
    }
    SheetStore sheets;
    const Description description = parse_description(text.str(), sheets);
    Conversion conversion;
    const Times converting = median_times(rounds, [&] { conversion = convert(description.sprites, sheets); });

    std::int64_t most_cells = 0;
    for (const ConvertedSprite& sprite : conversion.sprites) {
        most_cells = std::max(most_cells, static_cast<std::int64_t>(sprite.cell_count));
    }
    std::printf("%zu sprites, %lld parts\n\n", conversion.sprites.size(),
                static_cast<long long>(conversion.counts.parts));
    std::printf("| cover        |   objects |   most | tile bytes | median wall, CPU time (%d rounds) |\n", rounds);
    std::printf("|---|---|---|---|---|\n");
    char time[64];
    std::snprintf(time, sizeof time, "%.1f ms, %.1f ms (conversion)", converting.wall, converting.cpu);
    print_row("16x16 cells", static_cast<std::int64_t>(conversion.placed.size()), most_cells,
              static_cast<std::int64_t>(conversion.cells.size() * kCellBytes), time);
    const struct {
        const char* name;
        ObjectCost cost;
    } modes[] = {{"fewest", kFewestObjects}, {"balanced", kBalanced}, {"bytes", kFewestTileBytes}};
    std::vector<ObjectConversion> covers;
    for (const auto& mode : modes) {
        if (!only.empty() && only != mode.name) continue;
        ObjectConversion covered;
        const Times covering =
            median_times(rounds, [&] { covered = cover_sprites(description.sprites, conversion, sheets, mode.cost); });
        std::int64_t over = 0;
        for (std::size_t s = 0; s < covered.sprites.size(); ++s) {
            if (covered.sprites[s].count > conversion.sprites[s].cell_count) ++over;
        }
        std::snprintf(time, sizeof time, "%.1f ms, %.1f ms%s", covering.wall, covering.cpu,
                      over > 0 ? ", SPRITES OVER THEIR CELLS" : "");
        print_row(mode.name, covered.counts.objects, covered.counts.most_objects, covered.counts.bytes, time);
        covers.push_back(std::move(covered));
    }
    if (std::getenv("PIXCELL_BENCH_GREEDY") != nullptr) {
        std::printf("\n| cover | parts | objects, stage / greedy | tiles, stage / greedy |\n|---|---|---|---|\n");
        for (const auto& mode : modes) compare_with_greedy(description, conversion, sheets, mode.name, mode.cost);
    }
    if (std::getenv("PIXCELL_BENCH_STREAM") != nullptr) print_stream_rows(description, conversion, sheets, rounds);
    if (std::getenv("PIXCELL_BENCH_KINDS") == nullptr || covers.size() != 3) return 0;
    // Objects by kind of sprite: its name without the digits at the end.
    std::map<std::string, std::vector<std::int64_t>> kinds;
    for (std::size_t s = 0; s < conversion.sprites.size(); ++s) {
        std::string name = description.sprites[conversion.sprites[s].sprite].name;
        while (!name.empty() && name.back() >= '0' && name.back() <= '9') name.pop_back();
        std::vector<std::int64_t>& counts = kinds[name];
        counts.resize(1 + covers.size());
        counts[0] += static_cast<std::int64_t>(conversion.sprites[s].cell_count);
        for (std::size_t m = 0; m < covers.size(); ++m)
            counts[1 + m] += static_cast<std::int64_t>(covers[m].sprites[s].count);
    }
    std::printf("\n| kind | cells | fewest | balanced | bytes |\n|---|---|---|---|---|\n");
    for (const auto& [name, counts] : kinds) {
        std::printf("| %s | %lld | %lld | %lld | %lld |\n", name.c_str(), static_cast<long long>(counts[0]),
                    static_cast<long long>(counts[1]), static_cast<long long>(counts[2]),
                    static_cast<long long>(counts[3]));
    }
    return 0;
}
