// The command line, the output names and reading the description file.
#include <gtest/gtest.h>

#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <set>
#include <sstream>
#include <vector>

#include "common/base_name.h"
#include "driver/command_line.h"
#include "driver/read_description.h"
#include "driver/run.h"
#include "support/sheet_writer.h"
#include "support/temp_dir.h"

namespace pixcell {
namespace {

CommandLine parse(std::vector<const char*> args) {
    args.insert(args.begin(), "pixcell");
    return parse_command_line(static_cast<int>(args.size()), args.data());
}

using Words = std::vector<std::string>;

TEST(CommandLine, OptionsInputAndOutput) {
    EXPECT_FALSE(parse({}).input);
    EXPECT_FALSE(parse({"-d"}).input);
    EXPECT_FALSE(parse({"-d", "-q", "-"}).input);

    const CommandLine plain = parse({"in.txt"});
    EXPECT_FALSE(plain.debug_listing);
    EXPECT_EQ(*plain.input, "in.txt");
    EXPECT_FALSE(plain.output);

    const CommandLine debug = parse({"-q", "-debug", "in.txt", "out/x", "ignored", "too"});
    EXPECT_TRUE(debug.debug_listing);
    EXPECT_EQ(*debug.output, "out/x");
    EXPECT_EQ(debug.ignored_options, Words{"-q"});
    EXPECT_EQ(debug.after_output, (Words{"ignored", "too"}));

    // Only the second character of a single-dash option counts; "--d" is a
    // double-dash word that no option has.
    const CommandLine double_d = parse({"--d", "-", "--", "in.txt"});
    EXPECT_FALSE(double_d.debug_listing);
    EXPECT_EQ(double_d.unknown_options, Words{"--d"});
    EXPECT_EQ(double_d.ignored_options, (Words{"-", "--"}));
    // An option after the input is the output argument.
    const CommandLine late = parse({"in.txt", "-d", "--werror"});
    EXPECT_FALSE(late.debug_listing);
    EXPECT_FALSE(late.werror);
    EXPECT_EQ(*late.output, "-d");
    EXPECT_EQ(*parse({"in.txt", ""}).output, "");
}

TEST(CommandLine, DoubleDashWordsMatchWhole) {
    const CommandLine flags = parse({"--werror", "--no-warnings", "--werrors", "--werror=1", "--help", "in.txt"});
    EXPECT_TRUE(flags.werror);
    EXPECT_TRUE(flags.no_warnings);
    EXPECT_TRUE(flags.help);
    EXPECT_FALSE(flags.version);
    EXPECT_EQ(flags.unknown_options, (Words{"--werrors", "--werror=1"}));
    EXPECT_TRUE(parse({"--version"}).version);
}

TEST(CommandLine, BaseName) {
    EXPECT_EQ(base_name("a.b/c"), "c");
    EXPECT_EQ(base_name("x.tar.gz"), "x.tar");
    EXPECT_EQ(base_name("dir/.hidden"), "");
    EXPECT_EQ(base_name("dir/"), "");
    EXPECT_EQ(base_name("x\\y/z.txt"), "z");
    EXPECT_EQ(base_name("x/y\\z.txt"), "y\\z");  // a "/" wins over any "\"
    EXPECT_EQ(base_name("c:\\gfx\\hero.txt"), "hero");
    EXPECT_EQ(base_name("hero"), "hero");
    EXPECT_EQ(base_name(""), "");
    const std::string long_name(1000, 'n');
    EXPECT_EQ(base_name("dir/" + long_name + ".txt"), long_name);  // never cut
}

TEST(CommandLine, OutputNames) {
    OutputNames plain = output_names(parse({"dir/sprites.txt"}));
    EXPECT_EQ(plain.file_base, "sprites");
    EXPECT_EQ(plain.ident_base, "sprites");
    OutputNames given = output_names(parse({"dir/sprites.txt", "out/game.dat"}));
    EXPECT_EQ(given.file_base, "out/game.dat");
    EXPECT_EQ(given.ident_base, "game");
}

// A build system declares the files --list-outputs names: they must be the
// files the same run writes, with every option that adds one.
TEST(CommandLine, ListedOutputsAreTheFilesTheRunWrites) {
    testing::TempDir dir;
    testing::Sheet sheet(32, 16);
    sheet.at(3, 4) = 5;
    testing::write_bmp(dir.file("s.bmp"), sheet);
    testing::write_file(dir.file("d.txt"), "*" + dir.file("s.bmp") + "\nab 0,0 32x16\n");
    const std::string preview = "--preview=" + dir.file("p.png");
    const std::string deps = "--deps=" + dir.file("r.d");
    const std::string input = dir.file("d.txt");
    const std::string output = dir.file("out");
    std::vector<const char*> args = {"pixcell",  "--palette", preview.c_str(), deps.c_str(),  "--counts",
                                     "--objects", "--werror", "--list-outputs", input.c_str(), output.c_str()};
    ::testing::internal::CaptureStdout();
    EXPECT_EQ(run(static_cast<int>(args.size()), args.data()), 0);
    std::istringstream printed(::testing::internal::GetCapturedStdout());
    std::set<std::string> listed;
    for (std::string line; std::getline(printed, line);) listed.insert(line);
    EXPECT_EQ(listed.size(), 13u);  // the five, the palette's two, the preview, the counts, the objects' three, the rule
    const auto files_in_dir = [&]() {
        std::set<std::string> files;
        for (const auto& entry : std::filesystem::directory_iterator(dir.path)) files.insert(entry.path().string());
        files.erase(dir.file("s.bmp"));
        files.erase(dir.file("d.txt"));
        return files;
    };
    EXPECT_TRUE(files_in_dir().empty()) << "listing wrote a file";

    args.erase(args.begin() + 7);  // the same run, for real
    EXPECT_EQ(run(static_cast<int>(args.size()), args.data()), 0);
    EXPECT_EQ(files_in_dir(), listed);
}

class ReadDescription : public ::testing::Test {
protected:
    testing::TempDir temp;
    const std::string& dir = temp.path;
};

TEST_F(ReadDescription, NulDropsTheRestOfItsLineOrPiece) {
    const std::string path = dir + "/d.txt";
    testing::write_file(path, std::string("ab\0cd\nef\ngh", 11));
    EXPECT_EQ(*read_description(path), "abef\ngh");

    // A long line is read in pieces of 511 bytes; a NUL cuts only its own piece.
    std::string text(600, 'x');
    text[10] = '\0';
    text += "\nyz\n";
    testing::write_file(path, text);
    EXPECT_EQ(*read_description(path), std::string(10, 'x') + std::string(89, 'x') + "\nyz\n");

    // CR bytes arrive unchanged.
    testing::write_file(path, std::string("a\r\nb\rc"));
    EXPECT_EQ(*read_description(path), "a\r\nb\rc");
}

TEST_F(ReadDescription, UnreadableFiles) {
    EXPECT_FALSE(read_description(dir + "/missing.txt"));
    EXPECT_FALSE(read_description(dir));  // a directory is not a description
    const std::string empty = dir + "/empty.txt";
    testing::write_file(empty, std::string());
    EXPECT_EQ(*read_description(empty), "");
}

}  // namespace
}  // namespace pixcell
