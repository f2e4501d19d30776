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
    // The smallest: LZ77 takes the longest, the others are weighed meanwhile;
    // ties go to the earlier in this order. Huffman's size is known from the
    // counts, so run-length is made only when it may be smaller, and the
    // Huffman stream only when it is the one kept.
    const HuffmanPlan huffman = plan_huffman(data);
    std::future<std::optional<Bytes>> run_length = std::async(std::launch::async, [&data, &huffman] {
        return run_length_lower_bound(data) <= huffman.size ? std::optional<Bytes>(compress_run_length(data))
                                                            : std::nullopt;
    });
    Bytes best = compress_lz77(data);
    std::optional<Bytes> runs = run_length.get();
    if (runs && runs->size() < best.size()) best = std::move(*runs);
    if (huffman.size < best.size()) best = encode_huffman(data, huffman);
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
