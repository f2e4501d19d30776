// The compression stage: a tile array as the BIOS's decompression
// functions take it, in the format asked for or the smallest.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "compress/bios_formats.h"

namespace pixcell {

enum class CompressFormat { lz77, run_length, huffman, smallest };

// "lz77", "rle", "huffman" or "auto".
std::optional<CompressFormat> compress_format(const std::string& name);

struct Compressed {
    Bytes bytes;            // header included, padded with zeros to 4
    std::size_t size = 0;   // before the padding
};

// `data` holds at most kMostUnpackedBytes.
Compressed compress(const Bytes& data, CompressFormat format);

}  // namespace pixcell
