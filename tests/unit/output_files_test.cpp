// Writing the five files: all of them or none, old outputs kept on failure,
// no temporary left behind, and the permissions of a plain create.
#include <gtest/gtest.h>

#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <random>
#include <set>
#include <string>

#include "support/cell_store.h"
#include "output/render_texts.h"
#include "output_test_support.h"

namespace pixcell {
namespace {

using output_test::load_sheet;
using output_test::make_object;
using output_test::make_part;
using output_test::TempDir;
using testing::read_file;
using testing::Sheet;
using testing::write_file;

const char* const kSuffixes[] = {".s", ".h", "_enum.h", "_pat.c", "_pat.h"};

std::set<std::string> names_in(const std::string& folder) {
    std::set<std::string> names;
    for (const auto& item : std::filesystem::directory_iterator(folder)) {
        names.insert(item.path().filename().string());
    }
    return names;
}

// A sheet of `cells` distinct noisy cells in one column, and an object using all.
struct Sprites {
    testing::CellStore store;
    SpriteList list;

    Sprites(const TempDir& dir, std::int32_t cells) {
        Sheet picture(16, 16 * cells);
        std::mt19937 random(7);
        for (std::uint8_t& p : picture.pixels) p = static_cast<std::uint8_t>(random() & 0xF);
        const std::string sheet = load_sheet(store, dir, "s.bmp", picture);
        list.push_back(make_object("hero", sheet, {make_part(0, 0, 16, 16 * cells, 8, 8)}));
    }

    GeneratedTexts expected_texts() const {
        SpriteList copy = list;
        testing::CellStore fresh;
        fresh.load(list[0].bitmap);
        return build_texts(copy, fresh, "hero");
    }
};

void write_old_outputs(const std::string& base) {
    for (const char* suffix : kSuffixes) write_file(base + suffix, std::string("old ") + suffix);
}

void expect_old_outputs(const std::string& base) {
    for (const char* suffix : kSuffixes) EXPECT_EQ(read_file(base + suffix), std::string("old ") + suffix);
}

TEST(OutputFiles, WritesAllFiveWithPlainCreatePermissions) {
    TempDir dir;
    Sprites sprites(dir, 3);
    const GeneratedTexts expected = sprites.expected_texts();
    const std::string base = dir.file("out");
    write_file(base + ".h", "old header, replaced");

    const mode_t saved = umask(027);
    const bool written = write_outputs(sprites.list, sprites.store, "hero", base);
    umask(saved);
    ASSERT_TRUE(written);

    EXPECT_EQ(read_file(base + ".s"), expected.asm_text);
    EXPECT_EQ(read_file(base + ".h"), expected.chr_header_text);
    EXPECT_EQ(read_file(base + "_enum.h"), expected.enum_text);
    EXPECT_EQ(read_file(base + "_pat.c"), expected.pattern_source_text);
    EXPECT_EQ(read_file(base + "_pat.h"), expected.pattern_header_text);
    for (const char* suffix : kSuffixes) {
        struct stat info;
        ASSERT_EQ(stat((base + suffix).c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, 0640u) << suffix;
    }
    EXPECT_EQ(names_in(dir.path), (std::set<std::string>{"s.bmp", "out.s", "out.h", "out_enum.h", "out_pat.c",
                                                          "out_pat.h"}));
}

TEST(OutputFiles, MissingFolderWritesNothing) {
    TempDir dir;
    Sprites sprites(dir, 2);
    const std::string base = dir.file("missing/game.dat");
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(write_outputs(sprites.list, sprites.store, "game", base));
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "Error: Can't write file '" + base + ".s'\n");
    EXPECT_EQ(names_in(dir.path), std::set<std::string>{"s.bmp"});
}

TEST(OutputFiles, NameWithANulIsRefusedNotCut) {
    TempDir dir;
    Sprites sprites(dir, 1);
    const std::string base = dir.file("cut") + std::string(1, '\0') + "rest";
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(write_outputs(sprites.list, sprites.store, "cut", base));
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "Error: Can't write file '" + base + ".s'\n");
    EXPECT_EQ(names_in(dir.path), std::set<std::string>{"s.bmp"});
}

TEST(OutputFiles, FolderInPlaceOfALaterFileLeavesOldOutputsAlone) {
    TempDir dir;
    Sprites sprites(dir, 2);
    const std::string base = dir.file("hero");
    write_old_outputs(base);
    std::filesystem::remove(base + "_pat.c");
    std::filesystem::create_directory(base + "_pat.c");
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(write_outputs(sprites.list, sprites.store, "hero", base));
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "Error: Can't write file '" + base + "_pat.c'\n");
    for (const char* suffix : {".s", ".h", "_enum.h", "_pat.h"}) {
        EXPECT_EQ(read_file(base + suffix), std::string("old ") + suffix);
    }
    EXPECT_EQ(names_in(dir.path),
              (std::set<std::string>{"s.bmp", "hero.s", "hero.h", "hero_enum.h", "hero_pat.c", "hero_pat.h"}));
}

// A small tmpfs that can be filled up or made read-only; needs root.
struct Tmpfs {
    TempDir dir;
    bool mounted = false;

    explicit Tmpfs(const char* options) {
        if (geteuid() != 0) return;
        mounted = mount("tmpfs", dir.path.c_str(), "tmpfs", 0, options) == 0;
    }
    bool make_read_only(const char* options) {
        return mount("tmpfs", dir.path.c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, options) == 0;
    }
    ~Tmpfs() {
        if (mounted) umount2(dir.path.c_str(), MNT_DETACH);
    }
};

TEST(OutputFiles, ReadOnlyFileSystemKeepsOldOutputs) {
    Tmpfs tmpfs("size=64k");
    if (!tmpfs.mounted) GTEST_SKIP() << "needs root and tmpfs mounts";
    const std::string base = tmpfs.dir.file("hero");
    write_old_outputs(base);
    ASSERT_TRUE(tmpfs.make_read_only("size=64k"));

    TempDir sheets;
    Sprites sprites(sheets, 2);
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(write_outputs(sprites.list, sprites.store, "hero", base));
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "Error: Can't write file '" + base + ".s'\n");
    expect_old_outputs(base);
}

TEST(OutputFiles, FullFileSystemKeepsOldOutputsAndLeavesNoTemporary) {
    Tmpfs tmpfs("size=64k");
    if (!tmpfs.mounted) GTEST_SKIP() << "needs root and tmpfs mounts";
    const std::string base = tmpfs.dir.file("hero");
    write_old_outputs(base);
    const std::set<std::string> before = names_in(tmpfs.dir.path);

    TempDir sheets;
    Sprites sprites(sheets, 300);  // about 140 KB of cell data
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(write_outputs(sprites.list, sprites.store, "hero", base));
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "Error: Can't write file '" + base + ".s'\n");
    expect_old_outputs(base);
    EXPECT_EQ(names_in(tmpfs.dir.path), before);

    // The space is given back: a small run fits now.
    TempDir small_sheets;
    Sprites small(small_sheets, 2);
    EXPECT_TRUE(write_outputs(small.list, small.store, "hero", base));
    EXPECT_EQ(read_file(base + "_pat.h"), small.expected_texts().pattern_header_text);
}

}  // namespace
}  // namespace pixcell
