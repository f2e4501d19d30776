// Units matched to the rows of a palette the game already has.
#include <gtest/gtest.h>

#include "colours/match_rows.h"

namespace pixcell {
namespace {

// Three rows and a short fourth; 0x7FFF (white) is in slot 0 of every row,
// where it is transparent and holds nothing.
ConsoleColours game_palette() {
    ConsoleColours palette(3 * 16 + 4, 0x1111);
    for (std::size_t row = 0; row < 4; ++row) palette[16 * row] = 0x7FFF;
    palette[1] = 0x001F;  // row 0: red, green, red again
    palette[2] = 0x03E0;
    palette[3] = 0x001F;
    palette[16 + 5] = 0x03E0;  // row 1: green, blue, red
    palette[16 + 6] = 0x7C00;
    palette[16 + 7] = 0x001F;
    palette[32 + 1] = 0x7C00;  // row 2: blue, red, green, black
    palette[32 + 2] = 0x001F;
    palette[32 + 9] = 0x03E0;
    palette[32 + 15] = 0x0000;
    palette[48 + 3] = 0x0000;  // row 3: black
    return palette;
}

struct MatchCase {
    const char* name;
    ConsoleColours unit;
    std::int32_t row;
    std::vector<std::uint8_t> slots;
    bool missed;
    ConsoleColours missing;  // from `row`, the best one when missed
};

TEST(MatchRows, Cases) {
    const std::vector<MatchCase> cases = {
        {"lowest row and lowest slot", {0x001F, 0x03E0}, 0, {1, 2}, false, {}},
        {"a later row when the first lacks one", {0x03E0, 0x7C00, 0x001F}, 1, {5, 6, 7}, false, {}},
        {"a colour of the short last row", {0x0000}, 2, {15}, false, {}},
        {"the colour fills unused entries", {0x1111}, 0, {4}, false, {}},
        {"slot 0 holds nothing", {0x7FFF, 0x001F}, 0, {0, 1}, true, {0x7FFF}},
        {"best row holds most, missing in unit order",
         {0x0123, 0x7C00, 0x03E0, 0x0000, 0x001F},
         2,
         {0, 1, 9, 15, 2},
         true,
         {0x0123}},
        {"ties go to the lowest row", {0x0456, 0x7C00}, 1, {0, 6}, true, {0x0456}},
        {"no colours", {}, 0, {}, false, {}},
    };
    std::vector<ConsoleColours> units;
    for (const MatchCase& c : cases) units.push_back(c.unit);
    const MatchedRows matched = match_rows(game_palette(), units);
    ASSERT_EQ(matched.units.size(), cases.size());
    std::size_t miss = 0;
    for (std::size_t u = 0; u < cases.size(); ++u) {
        const MatchCase& c = cases[u];
        SCOPED_TRACE(c.name);
        EXPECT_EQ(matched.units[u].row, c.row);
        EXPECT_EQ(matched.units[u].slots, c.slots);
        if (!c.missed) continue;
        ASSERT_LT(miss, matched.misses.size());
        EXPECT_EQ(matched.misses[miss].unit, u);
        EXPECT_EQ(matched.misses[miss].best_row, c.row);
        EXPECT_EQ(matched.misses[miss].missing, c.missing);
        ++miss;
    }
    EXPECT_EQ(matched.misses.size(), miss);
}

TEST(MatchRows, EntriesPastTheConsolesRowsAreNotUsed) {
    ConsoleColours palette(17 * 16, 0x0000);
    palette[16 * 16 + 1] = 0x1234;
    const MatchedRows matched = match_rows(palette, {{0x1234}});
    ASSERT_EQ(matched.misses.size(), 1u);
    EXPECT_EQ(matched.misses[0].best_row, 0);
}

}  // namespace
}  // namespace pixcell
