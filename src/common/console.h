// Facts of the console's sprite hardware, named once: every stage that needs
// a size, a bit or a limit of the console takes it from here.
#pragma once

#include <cstddef>
#include <cstdint>

namespace pixcell {

constexpr std::int32_t kCellPixels = 16;    // a cell is 16x16 pixels
constexpr std::int32_t kTilePixels = 8;     // made of four 8x8 tiles
constexpr std::size_t kTileHalfwords = 16;  // 4 bits per pixel, 4 pixels a halfword
constexpr std::size_t kCellHalfwords = 4 * kTileHalfwords;
constexpr std::size_t kCellBytes = 2 * kCellHalfwords;  // 128
constexpr std::int32_t kPixelMask = 0xF;                // only the low 4 bits of an index are shown
constexpr std::int32_t kPixelBits = 4;                  // leftmost pixel of a halfword in the low bits

constexpr std::int32_t kFlipHorizontal = 1;
constexpr std::int32_t kFlipVertical = 2;
constexpr std::int32_t kFlipMask = 3;

// Enumerator names of the flip codes in the generated pattern tables.
constexpr const char* flip_names[4] = {"SP_NOFLIP", "SP_HFLIP", "SP_VFLIP", "SP_HVFLIP"};

// Object palette memory: 16 rows of 16 colours. A 4-bit cell is shown in one
// row, chosen per object; colour 0 of every row is transparent.
constexpr std::int32_t kPaletteRows = 16;
constexpr std::int32_t kRowColours = 16;
constexpr std::int32_t kRowShift = 4;  // an 8-bit index is row * 16 + colour

// The screen, and the object memory a game places cells through.
constexpr std::int32_t kScreenWidth = 240;
constexpr std::int32_t kScreenHeight = 160;
constexpr std::int32_t kObjectCount = 128;  // hardware sprites, one cell each here

// Sprite tile memory in the tile modes (0 to 2): 32 KB, so 256 cells of 128 bytes.
constexpr std::size_t kSpriteTileMemoryBytes = 32 * 1024;
constexpr std::size_t kCellsInSpriteTileMemory = kSpriteTileMemoryBytes / kCellBytes;

}  // namespace pixcell
