// An art program's export: the names its frames and tags become, the
// durations in console frames, and the reference player stepped frame by
// frame against sequences written out by hand.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "description/aseprite_export.h"
#include "description/export_names.h"
#include "output/animation_texts.h"
#include "pixcell/spriteanim.h"

namespace pixcell {
namespace {

TEST(ExportNames, FrameNamesBecomeUniqueIdentifiers) {
    struct Case {
        const char* frame;
        const char* sprite;
    };
    // In this order, so that each later clash meets the names before it.
    const std::vector<Case> cases = {
        {"hero 0.aseprite", "hero_0"},  {"hero 0.ASE", "hero_0_2"},   {"hero_0_2.png", "hero_0_2_2"},
        {"hero 0", "hero_0_3"},         {"7up.png", "_7up"},          {"a.png", "a_"},
        {"b", "b_"},                    {"1", "_1"},                  {"", "frame_8"},
        {".png", "frame_9"},            {"b\xC3\xA9""d.ase", "b__d"}, {"walk.png.png", "walk_png"},
        {"run.aseprite.ase", "run_aseprite"},
    };
    UniqueNames names;
    for (std::size_t i = 0; i < cases.size(); ++i) {
        EXPECT_EQ(names.take(frame_sprite_name(cases[i].frame, i)), cases[i].sprite) << cases[i].frame;
    }
}

TEST(ExportNames, FileTitlesOfTheDefaultFormat) {
    EXPECT_EQ(frame_file_title("hero 12.aseprite"), "hero");
    EXPECT_EQ(frame_file_title("my hero 0.png"), "my hero");
    EXPECT_EQ(frame_file_title("hero.aseprite"), std::nullopt);
    EXPECT_EQ(frame_file_title("hero12.aseprite"), std::nullopt);
    EXPECT_EQ(frame_file_title(" 3.ase"), std::nullopt);
}

TEST(ExportDurations, MillisecondsToConsoleFrames) {
    // 59.7275 frames a second: 100 ms is 5.97 frames.
    const std::vector<std::pair<std::int32_t, std::int32_t>> cases = {
        {0, 1}, {1, 1}, {8, 1}, {9, 1}, {25, 1}, {26, 2}, {100, 6}, {1000, 60}, {65535, 3914}};
    for (const auto& [ms, frames] : cases) EXPECT_EQ(console_frames(ms), frames) << ms;
}

// The sprites the player shows over `ticks` console frames, one digit each.
std::string played(const std::vector<SPR_ANIM_FRAME>& frames, unsigned short direction, unsigned short repeat,
                   int ticks) {
    SPR_ANIM_PLAYER player;
    spr_anim_start(&player, frames.data(), {0, static_cast<unsigned short>(frames.size()), direction, repeat});
    std::string shown(1, static_cast<char>('0' + spr_anim_sprite(&player)));
    for (int t = 1; t < ticks; ++t) shown += static_cast<char>('0' + spr_anim_advance(&player));
    return shown;
}

TEST(SpriteAnimPlayer, DirectionsAndRepeats) {
    // Sprites 0, 1, 2 showing 1, 2 and 1 console frames.
    const std::vector<SPR_ANIM_FRAME> three = {{0, 1}, {1, 2}, {2, 1}};
    struct Case {
        unsigned short direction;
        unsigned short repeat;
        const char* shown;
    };
    const std::vector<Case> cases = {
        {SPR_ANIM_FORWARD, 0, "0112011201120"},
        {SPR_ANIM_FORWARD, 1, "0112222222222"},
        {SPR_ANIM_FORWARD, 2, "0112011222222"},
        {SPR_ANIM_REVERSE, 0, "2110211021102"},
        {SPR_ANIM_REVERSE, 2, "2110211000000"},
        {SPR_ANIM_PINGPONG, 0, "0112110112110"},
        {SPR_ANIM_PINGPONG, 1, "0112222222222"},
        {SPR_ANIM_PINGPONG, 3, "0112110112222"},
        {SPR_ANIM_PINGPONG_REVERSE, 0, "2110112110112"},
        {SPR_ANIM_PINGPONG_REVERSE, 2, "2110112222222"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(played(three, c.direction, c.repeat, 13), c.shown) << c.direction << " repeat " << c.repeat;
    }
    // One frame: every direction shows it, and a ping-pong has nothing to turn at.
    for (unsigned short direction = 0; direction < 4; ++direction) {
        EXPECT_EQ(played({{5, 3}}, direction, 0, 7), "5555555");
        EXPECT_EQ(played({{5, 3}}, direction, 2, 7), "5555555");
    }
}

}  // namespace
}  // namespace pixcell
