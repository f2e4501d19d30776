// Arbitrary bytes compressed in every format and unpacked by a model of the
// BIOS written from its documentation (support/bios_unpack.h): each must
// give the bytes back. The first byte narrows the values (to make runs,
// matches and lopsided Huffman trees likely) and repeats the data, to reach
// past LZ77's window.
#include <cstdint>
#include <cstdlib>

#include "compress/compress.h"
#include "compress/huffman.h"
#include "support/bios_unpack.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const unsigned shape = data[0];
    pixcell::Bytes bytes;
    const std::size_t copies = 1 + (shape >> 6) * 3;  // 1, 4, 7 or 10
    for (std::size_t c = 0; c < copies; ++c) {
        for (std::size_t i = 1; i < size; ++i) {
            const unsigned mask = (shape & 7) == 0 ? 0xFF : (1u << (shape & 7)) - 1;
            bytes.push_back(static_cast<std::uint8_t>((data[i] & mask) ^ (c & (shape >> 3 & 7))));
        }
    }
    // Huffman unpacks 32 bits at a time.
    bytes.resize(bytes.size() / 4 * 4);
    for (const pixcell::CompressFormat format :
         {pixcell::CompressFormat::lz77, pixcell::CompressFormat::run_length, pixcell::CompressFormat::huffman,
          pixcell::CompressFormat::smallest}) {
        const pixcell::Compressed packed = pixcell::compress(bytes, format);
        if (pixcell::testing::unpack_any(packed.bytes) != bytes) std::abort();
    }
    for (const int bits : {4, 8}) {
        const std::optional<pixcell::Bytes> packed = pixcell::compress_huffman(bytes, bits);
        if ((bits == 4 && !packed) || (packed && pixcell::testing::unpack_huffman(*packed) != bytes)) std::abort();
    }
    return 0;
}
