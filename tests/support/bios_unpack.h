// A model of the BIOS's decompression functions, written from the console's
// documentation alone, for checking the encoders: each takes a whole stream
// (header first) and gives the unpacked bytes, or nothing when the stream
// is malformed, reads past its end, or (LZ77) refers to the byte just
// written, which the 16-bit tile memory function can't copy.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace pixcell::testing {

using Stream = std::vector<std::uint8_t>;

std::optional<Stream> unpack_lz77_vram(const Stream& in);
std::optional<Stream> unpack_run_length(const Stream& in);
std::optional<Stream> unpack_huffman(const Stream& in);
// By the type in the header.
std::optional<Stream> unpack_any(const Stream& in);

}  // namespace pixcell::testing
