#include "compress/compress.h"

#include <future>

#include "compress/huffman.h"
#include "compress/lz77.h"
#include "compress/run_length.h"

namespace pixcell {

std::optional<CompressFormat> compress_format(const std::string& name) {
    if (name == "lz77") return CompressFormat::lz77;
    if (name == "rle") return CompressFormat::run_length;
    if (name == "huffman") return CompressFormat::huffman;
    if (name == "auto") return CompressFormat::smallest;
    return std::nullopt;
}

namespace {

Bytes encode(const Bytes& data, CompressFormat format) {
    switch (format) {
    case CompressFormat::lz77: return compress_lz77(data);
    case CompressFormat::run_length: return compress_run_length(data);
    case CompressFormat::huffman: return compress_huffman(data);
    case CompressFormat::smallest: break;
    }
    // The smallest: LZ77 takes the longest, the others are made meanwhile;
    // ties go to the earlier in this order.
    std::future<std::pair<Bytes, Bytes>> others = std::async(std::launch::async, [&data] {
        return std::make_pair(compress_run_length(data), compress_huffman(data));
    });
    Bytes best = compress_lz77(data);
    std::pair<Bytes, Bytes> other = others.get();
    if (other.first.size() < best.size()) best = std::move(other.first);
    if (other.second.size() < best.size()) best = std::move(other.second);
    return best;
}

}  // namespace

Compressed compress(const Bytes& data, CompressFormat format) {
    Compressed result;
    result.bytes = encode(data, format);
    result.size = result.bytes.size();
    result.bytes.resize((result.size + kStreamAlignment - 1) / kStreamAlignment * kStreamAlignment, 0);
    return result;
}

}  // namespace pixcell
