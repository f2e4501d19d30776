// What a description builds: sizes, placement, origins, flips, sprites.
#include <gtest/gtest.h>

#include <stdlib.h>
#include <unistd.h>

#include <string>

#include "description/parse_description.h"
#include "support/sheet_writer.h"
#include "support/temp_dir.h"

namespace pixcell {
namespace {

using testing::Sheet;

class Description : public ::testing::Test {
protected:
    void SetUp() override {
        testing::write_bmp(dir + "/w64.bmp", Sheet(64, 64));
        testing::write_bmp(dir + "/w128.bmp", Sheet(128, 16));
    }

    // Parses with "$" standing for the temp folder.
    bool read(std::string text) {
        for (std::string::size_type at; (at = text.find('$')) != std::string::npos && text[at + 1] == '/';)
            text.replace(at, 1, dir);
        return parse_description(text, ctx);
    }
    std::string sheet(const std::string& name) const { return dir + "/" + name; }

    testing::TempDir temp;
    const std::string& dir = temp.path;
    ParseState state;
    SheetStore sheets;
    SpriteList list;
    ReaderContext ctx{state, sheets, list};
};

void expect_part(const SpritePart& p, int x, int y, int w, int h, int dx, int dy, int flip = 0) {
    EXPECT_EQ(p.x, x);
    EXPECT_EQ(p.y, y);
    EXPECT_EQ(p.width, w);
    EXPECT_EQ(p.height, h);
    EXPECT_EQ(p.dx, dx);
    EXPECT_EQ(p.dy, dy);
    EXPECT_EQ(p.flip, flip);
}

TEST_F(Description, DefaultAndInheritedSizes) {
    ASSERT_TRUE(read("*$/w64.bmp\nfirst\nsecond 0,32 32x16\nthird\n+\n"));
    ASSERT_EQ(list.size(), 3u);
    expect_part(list[0].parts[0], 0, 0, 16, 16, 8, 8);
    expect_part(list[1].parts[0], 0, 32, 32, 16, 16, 8);
    expect_part(list[2].parts[0], 32, 32, 32, 16, 16, 8);  // inherits 32x16, placed to the right
    expect_part(list[2].parts[1], 0, 48, 32, 16, 16, 8);   // wraps one part's height down
    EXPECT_EQ(list[2].name, "third");
    EXPECT_EQ(list[2].bitmap, sheet("w64.bmp"));
    EXPECT_EQ(sheets.failed_loads(), 0u);
}

TEST_F(Description, AutomaticPlacement) {
    ASSERT_TRUE(read("*$/w64.bmp\na1 32x32\na2\na3\na4\n"));
    ASSERT_EQ(list.size(), 4u);
    expect_part(list[0].parts[0], 0, 0, 32, 32, 16, 16);
    expect_part(list[1].parts[0], 32, 0, 32, 32, 16, 16);  // ends exactly at the edge: same row
    expect_part(list[2].parts[0], 0, 32, 32, 32, 16, 16);
    expect_part(list[3].parts[0], 32, 32, 32, 32, 16, 16);

    // The new row starts one previous part's height lower, not the tallest's.
    list.clear();
    state = ParseState{};
    ASSERT_TRUE(read("*$/w64.bmp\nb1 0,0 32x32\nb2 16x16\nb3 32x16\n"));
    ASSERT_EQ(list.size(), 3u);
    expect_part(list[1].parts[0], 32, 0, 16, 16, 8, 8);
    expect_part(list[2].parts[0], 0, 16, 32, 16, 16, 8);

    // An explicit position is where placement continues from; a y of -1 is no position.
    list.clear();
    state = ParseState{};
    ASSERT_TRUE(read("*$/w64.bmp\nc1 16,16\nc2\nc3 5,-1\n"));
    expect_part(list[1].parts[0], 32, 16, 16, 16, 8, 8);
    expect_part(list[2].parts[0], 48, 16, 16, 16, 8, 8);
}

TEST_F(Description, PlacementContinuesAcrossSheetsAndSizeOnlyLines) {
    // "13x16" is tried as a position first and leaves 16 in x; placement replaces it.
    ASSERT_TRUE(read("*$/w64.bmp\na1 48,0 16x16\n*$/w128.bmp\na2 13x16\n+\n"));
    ASSERT_EQ(list.size(), 2u);
    expect_part(list[1].parts[0], 64, 0, 16, 16, 8, 8);  // measured against the 128-wide sheet
    expect_part(list[1].parts[1], 80, 0, 16, 16, 8, 8);
    EXPECT_EQ(list[1].bitmap, sheet("w128.bmp"));
}

TEST_F(Description, MissingSheetPlacesEverythingInColumnZero) {
    ::testing::internal::CaptureStderr();
    ASSERT_TRUE(read("*$/none.bmp\na1 32x16\na2\na3\n"));
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "Can't open file " + sheet("none.bmp") + "\n");
    EXPECT_EQ(sheets.failed_loads(), 1u);
    ASSERT_EQ(list.size(), 3u);
    expect_part(list[0].parts[0], 0, 0, 32, 16, 16, 8);
    expect_part(list[1].parts[0], 0, 16, 32, 16, 16, 8);
    expect_part(list[2].parts[0], 0, 32, 32, 16, 16, 8);
}

TEST_F(Description, SizeRoundingOffsetsAndFlips) {
    EXPECT_EQ(round_size(16), 16);
    EXPECT_EQ(round_size(0), 0);
    EXPECT_EQ(round_size(-16), -16);
    EXPECT_EQ(round_size(1), 16);
    EXPECT_EQ(round_size(15), 16);
    EXPECT_EQ(round_size(17), 32);
    EXPECT_EQ(round_size(-1), -32);
    EXPECT_EQ(round_size(-15), -32);
    EXPECT_EQ(round_size(-17), -48);
    EXPECT_EQ(round_size(2147483647), static_cast<std::int32_t>(0x80000000u));  // wraps, no overflow trap

    ASSERT_TRUE(read("*$/w64.bmp\n"
                     "s1 0,0 20x8\ns2 0,0 -1x-17\ns3 0,0 32x32 [0,0]\ns4 0,0 16x16 [4,-2]\n"
                     "f1 0,0 hv\nf2 0,0 vh\nf3 0,0 hn\nf4 0,0 nh\nf5 0,0 H\nf6 0,0 hh\nf7 0,0 V\n"));
    ASSERT_EQ(list.size(), 11u);
    expect_part(list[0].parts[0], 0, 0, 32, 16, 16, 8);
    expect_part(list[1].parts[0], 0, 0, -32, -48, -16, -24);
    expect_part(list[2].parts[0], 0, 0, 32, 32, 16, 16);
    expect_part(list[3].parts[0], 0, 0, 16, 16, 12, 6);
    const int flips[] = {3, 3, 0, 1, 1, 1, 2};
    for (int i = 0; i < 7; ++i) EXPECT_EQ(list[4 + i].parts[0].flip, flips[i]) << i;
}

TEST_F(Description, HexadecimalAndTheWaitingMinus) {
    ASSERT_TRUE(read("*$/w64.bmp\nh1 $1F,-$1F\nh2 $FFFFFFFF,0\n"));
    expect_part(list[0].parts[0], 31, -31, 16, 16, 8, 8);
    EXPECT_EQ(list[1].parts[0].x, -1);

    // A "-" that led to no number negates the next number pushed, on a later line.
    list.clear();
    state = ParseState{};
    ASSERT_TRUE(read("*$/w64.bmp\nm1 -q\nm2 16,0\n"));  // m1 fails: the rest is ignored
    EXPECT_TRUE(list.empty());
    EXPECT_TRUE(state.negate_next);

    list.clear();
    state = ParseState{};
    ASSERT_TRUE(read("*$/w64.bmp\nm1 -$ h\n"));
    EXPECT_TRUE(list.empty());
    state.negate_next = true;
    act_number(state, -2147483648);  // negating the lowest value wraps to itself
    EXPECT_EQ(state.values.back(), -2147483648);
}

TEST_F(Description, ContinuationsAndSprites) {
    ASSERT_TRUE(read("*$/w64.bmp\nhero 0,0\n+ 16,0\n+ 32,0 h\nhero 0,16\n"));
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].parts.size(), 3u);
    EXPECT_EQ(list[0].parts[2].flip, 1);
    EXPECT_EQ(list[1].name, "hero");

    // A "+" first: a sprite without name or sheet.
    list.clear();
    state = ParseState{};
    ASSERT_TRUE(read("*$/w64.bmp\n+\nnamed\n"));
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].name, "");
    EXPECT_EQ(list[0].bitmap, "");
    EXPECT_EQ(list[1].name, "named");

    // A "+" after a new bitmap line joins the sprite started before it.
    list.clear();
    state = ParseState{};
    ASSERT_TRUE(read("*$/w64.bmp\nship 0,0\n*$/w128.bmp\n+\n"));
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].bitmap, sheet("w64.bmp"));
    EXPECT_EQ(list[0].parts.size(), 2u);
}

TEST_F(Description, UnfinishedLastLinesAreDropped) {
    ASSERT_TRUE(read("*$/w64.bmp\nhero\n+ 16,0"));  // "+" without line end
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].parts.size(), 1u);

    list.clear();
    state = ParseState{};
    ASSERT_TRUE(read("*$/w64.bmp\nhero 5,5"));  // the only line, unfinished
    EXPECT_TRUE(list.empty());

    list.clear();
    state = ParseState{};
    ASSERT_TRUE(read("*$/w64.bmp\nhero\nnext 1,1"));
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].name, "hero");
}

TEST_F(Description, ExtremeNumbersWrap) {
    ASSERT_TRUE(read("*$/w64.bmp\n"
                     "big 2147483647,2147483647 2147483632x2147483632 [2147483647,-2147483648]\n"
                     "next\n"));
    ASSERT_EQ(list.size(), 2u);
    const SpritePart& p = list[0].parts[0];
    EXPECT_EQ(p.width, 2147483632);
    EXPECT_EQ(p.dx, static_cast<std::int32_t>(2147483647u + 1073741816u));
    EXPECT_EQ(p.dy, -2147483648 + 1073741816);
    // Placement: candidate and next row both wrap instead of overflowing.
    EXPECT_EQ(list[1].parts[0].x, 0);
    EXPECT_EQ(list[1].parts[0].y, -17);
}

}  // namespace
}  // namespace pixcell
