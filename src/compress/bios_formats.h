// The compressed formats the console's BIOS unpacks, named once: every
// encoder, the decoders of the tests and the output take their headers,
// block layouts and limits from here.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace pixcell {

using Bytes = std::vector<std::uint8_t>;

// Every format starts with a 4-byte header: the type in bits 4-7 of the
// first byte (with Huffman's symbol size in bits 0-3), the unpacked size in
// bits 8-31. The BIOS reads the whole stream from a 4-byte boundary.
constexpr std::size_t kHeaderBytes = 4;
constexpr std::size_t kStreamAlignment = 4;
constexpr std::uint32_t kMostUnpackedBytes = (1u << 24) - 1;

constexpr std::uint8_t kTypeLz77 = 0x10;
constexpr std::uint8_t kTypeHuffman = 0x20;  // | the symbol size, 4 or 8
constexpr std::uint8_t kTypeRunLength = 0x30;

// LZ77: a flag byte before every 8 blocks, its bit 7 for the first; a set bit
// is a reference (2 bytes: length - 3 in the high 4 bits of the first, then
// displacement - 1 in 12 bits, high bits first), a clear bit a literal byte.
constexpr std::size_t kLzBlocksPerFlag = 8;
constexpr std::size_t kLzShortest = 3;
constexpr std::size_t kLzLongest = 18;
constexpr std::size_t kLzWindow = 4096;
constexpr std::size_t kLzReferenceBytes = 2;
// The function that writes tile memory 16 bits at a time holds each even
// byte until its odd neighbour comes: a reference to the byte just written
// would read what was there before, so displacements start at 2.
constexpr std::size_t kLzNearestVramSafe = 2;

// Run-length: a flag byte before every block; bit 7 set is a run of
// (bits 0-6) + 3 copies of the next byte, clear a literal of (bits 0-6) + 1
// bytes that follow.
constexpr std::uint8_t kRleRunFlag = 0x80;
constexpr std::size_t kRleShortestRun = 3;
constexpr std::size_t kRleLongestRun = 130;
constexpr std::size_t kRleLongestLiteral = 128;

// Huffman: after the header a byte N, then the tree in 2N + 1 bytes: the
// root node, then nodes in pairs (child 0, child 1). An inner node's bits
// 0-5 say where its children are: at (its address with bit 0 clear) +
// 2 * offset + 2; bit 7 says child 0 is a leaf, bit 6 child 1. A leaf holds
// the symbol. The bits follow the tree, from the next 4-byte boundary, in
// 32-bit little-endian words read from bit 31 down; symbols fill each 32-bit
// word of output from its low bits up.
constexpr std::size_t kHuffmanTreeStart = kHeaderBytes + 1;  // the root
constexpr std::uint8_t kHuffmanOffsetMask = 0x3F;
constexpr std::size_t kHuffmanFarthestOffset = 0x3F;
constexpr std::uint8_t kHuffmanLeaf0 = 0x80;
constexpr std::uint8_t kHuffmanLeaf1 = 0x40;

// The first header byte of each format.
inline std::uint8_t huffman_type(int symbol_bits) { return static_cast<std::uint8_t>(kTypeHuffman | symbol_bits); }

// Appends the 4-byte header of `type` for `unpacked` bytes.
inline void put_header(Bytes& out, std::uint8_t type, std::size_t unpacked) {
    out.push_back(type);
    for (int shift = 0; shift < 24; shift += 8) out.push_back(static_cast<std::uint8_t>(unpacked >> shift));
}

}  // namespace pixcell
