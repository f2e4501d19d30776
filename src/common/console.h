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

// An 8x8 tile at 4 bits a pixel. In the one-dimensional mapping an object's
// tiles are consecutive in that memory, row after row of the object, and
// attribute 2 names its first tile counted in these 32-byte units.
constexpr std::size_t kTileBytes = 2 * kTileHalfwords;
constexpr std::size_t kTilesInSpriteTileMemory = kSpriteTileMemoryBytes / kTileBytes;  // 1024

// The twelve object shapes: attribute 0 bits 14-15 say square, wide or tall,
// attribute 1 bits 14-15 the size within that.
struct ObjectShape {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint16_t shape_bits = 0;  // attribute 0
    std::uint16_t size_bits = 0;   // attribute 1
};
constexpr std::uint16_t kShapeSquare = 0x0000;
constexpr std::uint16_t kShapeWide = 0x4000;
constexpr std::uint16_t kShapeTall = 0x8000;
constexpr std::int32_t kSizeShift = 14;
constexpr std::size_t kObjectShapeCount = 12;
constexpr ObjectShape kObjectShapes[kObjectShapeCount] = {
    {8, 8, kShapeSquare, 0 << kSizeShift},   {16, 16, kShapeSquare, 1 << kSizeShift},
    {32, 32, kShapeSquare, 2 << kSizeShift}, {64, 64, kShapeSquare, 3 << kSizeShift},
    {16, 8, kShapeWide, 0 << kSizeShift},    {32, 8, kShapeWide, 1 << kSizeShift},
    {32, 16, kShapeWide, 2 << kSizeShift},   {64, 32, kShapeWide, 3 << kSizeShift},
    {8, 16, kShapeTall, 0 << kSizeShift},    {8, 32, kShapeTall, 1 << kSizeShift},
    {16, 32, kShapeTall, 2 << kSizeShift},   {32, 64, kShapeTall, 3 << kSizeShift},
};
constexpr std::int32_t kLargestObjectPixels = 64;  // no shape is wider or taller
// The shape of a cell: a sprite shown as its cells is shown with objects of this one.
constexpr std::int32_t kCellShape = 1;
static_assert(kObjectShapes[kCellShape].width == kCellPixels && kObjectShapes[kCellShape].height == kCellPixels,
              "the shape of a cell");
constexpr std::size_t kMostObjectTiles = 64;       // of a 64x64 object

// Attribute 1 bits 12 and 13 mirror an object as a whole, left-right and top-bottom.
constexpr std::uint16_t kAttributeFlipShift = 12;

constexpr std::int32_t object_tiles(std::size_t shape) {
    return kObjectShapes[shape].width / kTilePixels * (kObjectShapes[shape].height / kTilePixels);
}
// The bits of attribute 0 and attribute 1 that a shape and a flip code set.
constexpr std::uint16_t object_attribute0(std::size_t shape) { return kObjectShapes[shape].shape_bits; }
constexpr std::uint16_t object_attribute1(std::size_t shape, std::int32_t flip) {
    return static_cast<std::uint16_t>(kObjectShapes[shape].size_bits | (flip & kFlipMask) << kAttributeFlipShift);
}

}  // namespace pixcell
