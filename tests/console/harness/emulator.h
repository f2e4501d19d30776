// Runs a ROM image on the mGBA emulator library and takes the picture.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace pixcell::console {

// 240x160 colours, row by row, each 15 bits: red in bits 0-4, green 5-9,
// blue 10-14, as the console's palette stores them.
using ScreenPicture = std::vector<std::uint16_t>;

// The colours the ROM left in palette memory when the picture was taken:
// the backdrop (background entry 0) and the 256 object entries, 16 rows of 16.
struct RomColours {
    std::uint16_t backdrop = 0;
    std::uint16_t objects[256] = {};
};

// Starts the ROM from reset on the emulator's built-in BIOS and returns the
// picture of a frame drawn after the ROM has set everything up and turned
// the objects on; with `colours`, also the palette it used.
std::optional<ScreenPicture> run_rom(const std::vector<std::uint8_t>& rom, std::string& error,
                                     RomColours* colours = nullptr);

// A picture, and the word the ROM had at a given address when it was
// taken (a game's frame counter).
struct TimedPicture {
    ScreenPicture picture;
    std::uint32_t word = 0;
};

// As run_rom, then `frames` pictures one frame after another from the frame
// after set-up on, each with the word at `word_address` read when it is
// taken.
std::optional<std::vector<TimedPicture>> run_rom_frames(const std::vector<std::uint8_t>& rom, int frames,
                                                        std::uint32_t word_address, std::string& error,
                                                        RomColours* colours = nullptr);

}  // namespace pixcell::console
