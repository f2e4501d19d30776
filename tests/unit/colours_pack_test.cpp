// Palette rows made for colour units: every unit in one row of at most 15
// colours, few rows, and never more than the plain first-fit baselines.
#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <set>

#include "colours/pack_rows.h"
#include "common/console.h"

namespace pixcell {
namespace {

ColourSet range(std::uint32_t first, std::uint32_t count) {
    ColourSet colours(count);
    std::iota(colours.begin(), colours.end(), first);
    return colours;
}

ColourSet with(ColourSet colours, std::uint32_t colour) {
    colours.insert(std::lower_bound(colours.begin(), colours.end(), colour), colour);
    return colours;
}

// The rows plain first-fit needs, taking the units in the given order.
std::size_t first_fit(std::vector<ColourSet> units, bool largest_first) {
    if (largest_first) {
        std::stable_sort(units.begin(), units.end(),
                         [](const ColourSet& a, const ColourSet& b) { return a.size() > b.size(); });
    }
    std::vector<std::set<std::uint32_t>> rows;
    for (const ColourSet& unit : units) {
        auto fits = [&](const std::set<std::uint32_t>& row) {
            std::set<std::uint32_t> both = row;
            both.insert(unit.begin(), unit.end());
            return both.size() <= kRowColours - 1;
        };
        auto row = std::find_if(rows.begin(), rows.end(), fits);
        if (row == rows.end()) row = rows.emplace(rows.end());
        row->insert(unit.begin(), unit.end());
    }
    return rows.size();
}

// What every packing must be: each unit inside its row, rows of at most 15
// sorted colours, in the order of their colours.
void expect_valid(const std::vector<ColourSet>& units, const RowPacking& packing) {
    ASSERT_EQ(packing.unit_rows.size(), units.size());
    ASSERT_LE(packing.rows.size(), std::size_t{kPaletteRows});
    for (const ColourSet& row : packing.rows) {
        EXPECT_LE(row.size(), std::size_t{kRowColours - 1});
        EXPECT_TRUE(std::adjacent_find(row.begin(), row.end(), std::greater_equal<std::uint32_t>()) == row.end());
    }
    EXPECT_TRUE(std::is_sorted(packing.rows.begin(), packing.rows.end()));
    for (std::size_t u = 0; u < units.size(); ++u) {
        ASSERT_LT(packing.unit_rows[u], packing.rows.size());
        const ColourSet& row = packing.rows[packing.unit_rows[u]];
        EXPECT_TRUE(std::includes(row.begin(), row.end(), units[u].begin(), units[u].end())) << "unit " << u;
    }
}

struct PackCase {
    const char* name;
    std::vector<ColourSet> units;
    bool fits;
    std::size_t rows;  // the rows, or the rows_needed reported when they don't fit
};

std::vector<PackCase> pack_cases() {
    std::vector<PackCase> cases;
    // k disjoint groups, each drawn in full once and in parts elsewhere.
    std::vector<ColourSet> groups;
    for (std::uint32_t g = 0; g < 5; ++g) {
        groups.push_back(range(10 * g, 2));
        groups.push_back(range(10 * g, 8));
        groups.push_back({10 * g + 5});
    }
    cases.push_back({"disjoint groups", groups, true, 5});
    // Characters sharing an outline (colour 0): frames of two of them that
    // would fit together come first, the full frames later.
    std::vector<ColourSet> outlined;
    for (const std::uint32_t first : {1, 15}) outlined.push_back(with(range(first, 7), 0));
    for (const std::uint32_t first : {1, 15, 29}) outlined.push_back(with(range(first, 14), 0));
    outlined.insert(outlined.end(), {{0, 30}, {0}});
    cases.push_back({"shared outline", outlined, true, 3});
    cases.push_back({"a unit of 15", {range(100, 15), range(100, 3)}, true, 1});
    // The caller refuses it; no number of rows holds it.
    cases.push_back({"a unit of 16", {range(0, 3), range(100, 16)}, false, 0});
    std::vector<ColourSet> seventeen, seventeen_small;
    for (std::uint32_t g = 0; g < 17; ++g) {
        seventeen.push_back(range(15 * g, 15));
        seventeen_small.push_back(with(range(20 * g + 1, 8), 0));  // 9: no two fit one row
    }
    cases.push_back({"17 full groups", seventeen, false, 17});
    cases.push_back({"17 groups of 9", seventeen_small, false, 17});
    seventeen.pop_back();
    cases.push_back({"16 full groups", seventeen, true, 16});
    cases.push_back({"subsets join bigger units", {{3}, {1, 2}, range(1, 3), range(10, 12), {11, 12}}, true, 1});
    // Many small parts of 16 rows, each part few of its row's colours: a
    // placement that mixes parts of different rows early needs more.
    std::mt19937 random(16);
    std::vector<ColourSet> parts;
    for (int p = 0; p < 3000; ++p) {
        const std::uint32_t row = random() % 16;
        ColourSet part;
        for (std::uint32_t k = 2 + random() % 4; k > 0; --k) part.push_back(15 * row + random() % 15);
        std::sort(part.begin(), part.end());
        part.erase(std::unique(part.begin(), part.end()), part.end());
        parts.push_back(part);
    }
    parts.push_back({});
    cases.push_back({"small parts of 16 rows", parts, true, 16});
    cases.push_back({"no units", {}, true, 0});
    cases.push_back({"a unit without colours", {{}, range(0, 14), range(20, 14), {}}, true, 2});
    return cases;
}

TEST(PackRows, Cases) {
    for (const PackCase& c : pack_cases()) {
        SCOPED_TRACE(c.name);
        const PackedRows packed = pack_rows(c.units);
        EXPECT_EQ(packed.rows_needed, c.rows);
        ASSERT_EQ(packed.packing.has_value(), c.fits);
        if (c.fits) {
            EXPECT_EQ(packed.packing->rows.size(), c.rows);
            expect_valid(c.units, *packed.packing);
        }
    }
}

TEST(PackRows, RowsInTheOrderOfTheirColours) {
    // The row of 4 and 20.. goes before the row of 5.., by its first colour.
    const std::vector<ColourSet> units = {range(5, 15), range(20, 12), range(0, 4), {4, 25}};
    const PackedRows packed = pack_rows(units);
    ASSERT_TRUE(packed.packing);
    const std::vector<ColourSet> rows = {range(0, 4), with(range(20, 12), 4), range(5, 15)};
    EXPECT_EQ(packed.packing->rows, rows);
    EXPECT_EQ(packed.packing->unit_rows, (std::vector<std::uint32_t>{2, 1, 0, 1}));
}

// Random sheets of characters and stray units: every result is a valid
// packing, the same twice, and no worse than either first-fit baseline.
TEST(PackRows, NeverWorseThanFirstFit) {
    std::mt19937 random(18);
    std::size_t better = 0;
    for (int trial = 0; trial < 300; ++trial) {
        const std::uint32_t colours = 5 + random() % 100;
        std::vector<ColourSet> units(1 + random() % 40);
        for (ColourSet& unit : units) {
            const std::uint32_t first = random() % colours;
            const std::uint32_t span = 1 + random() % 24;
            for (std::uint32_t k = 1 + random() % 15; k > 0; --k) unit.push_back((first + random() % span) % colours);
            std::sort(unit.begin(), unit.end());
            unit.erase(std::unique(unit.begin(), unit.end()), unit.end());
        }
        const std::size_t baseline = std::min(first_fit(units, false), first_fit(units, true));
        const PackedRows packed = pack_rows(units);
        SCOPED_TRACE(trial);
        EXPECT_LE(packed.rows_needed, baseline);
        better += packed.rows_needed < baseline;
        EXPECT_EQ(packed.packing.has_value(), packed.rows_needed <= kPaletteRows);
        if (!packed.packing) continue;
        expect_valid(units, *packed.packing);
        const PackedRows again = pack_rows(units);
        EXPECT_EQ(again.packing->rows, packed.packing->rows);
        EXPECT_EQ(again.packing->unit_rows, packed.packing->unit_rows);
    }
    EXPECT_GT(better, 0u);  // the search does more than the baselines
}

}  // namespace
}  // namespace pixcell
