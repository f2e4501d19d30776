#include "compress/huffman.h"

#include <algorithm>
#include <array>

#include "compress/huffman_tree.h"

namespace pixcell {

namespace {

// The longest code the bit writer takes; lengths are lowered from here
// while the tree can't be laid out.
constexpr int kLongestCode = 31;

// Each byte's code: its symbol's, or at 4 bits its low half's then its high
// half's, so that the bytes are read once.
struct ByteCodes {
    std::uint64_t code[256];
    int length[256];
};


using ByteCounts = std::array<std::uint64_t, 256>;

ByteCounts count_bytes(const Bytes& data) {
    ByteCounts counts{};
    for (const std::uint8_t byte : data) ++counts[byte];
    return counts;
}

// A code and its tree for one symbol size, and the bytes it would write:
// known from the counts alone, so that only the smaller size is encoded.
struct HuffmanPlan {
    int symbol_bits = 8;
    HuffmanTable table;
    std::size_t size = 0;
};

std::optional<HuffmanPlan> plan_huffman(const ByteCounts& byte_counts, int symbol_bits) {
    std::vector<std::uint64_t> counts(std::size_t{1} << symbol_bits, 0);
    for (unsigned byte = 0; byte < 256; ++byte) {
        if (symbol_bits == 8) {
            counts[byte] = byte_counts[byte];
        } else {
            counts[byte & 0xF] += byte_counts[byte];
            counts[byte >> 4] += byte_counts[byte];
        }
    }
    std::size_t used = 0;
    for (const std::uint64_t count : counts) used += count > 0 ? 1 : 0;
    int shortest_limit = 1;
    while ((std::size_t{1} << shortest_limit) < used) ++shortest_limit;
    std::optional<HuffmanTable> table;
    // A tree that can't be laid out gets shallower, a level at a time.
    for (int limit = kLongestCode; !table && limit >= shortest_limit;) {
        const std::vector<int> lengths = code_lengths(counts, limit);
        table = lay_out_tree(lengths);
        limit = *std::max_element(lengths.begin(), lengths.end()) - 1;
    }
    if (!table) return std::nullopt;
    std::uint64_t bits = 0;
    for (std::size_t symbol = 0; symbol < counts.size(); ++symbol) {
        bits += counts[symbol] * static_cast<std::uint64_t>(table->length[symbol]);
    }
    const std::size_t words = static_cast<std::size_t>((bits + 31) / 32);
    const std::size_t size = kHeaderBytes + table->tree.size() + 4 * words;
    return HuffmanPlan{symbol_bits, std::move(*table), size};
}

Bytes encode_huffman(const Bytes& data, const HuffmanPlan& plan) {
    const int symbol_bits = plan.symbol_bits;
    const HuffmanTable* const table = &plan.table;
    Bytes out;
    put_header(out, huffman_type(symbol_bits), data.size());
    out.insert(out.end(), table->tree.begin(), table->tree.end());
    ByteCodes codes;
    for (unsigned byte = 0; byte < 256; ++byte) {
        if (symbol_bits == 8) {
            codes.code[byte] = table->code[byte];
            codes.length[byte] = table->length[byte];
        } else {
            const unsigned low = byte & 0xF, high = byte >> 4;
            codes.code[byte] = std::uint64_t{table->code[low]} << table->length[high] | table->code[high];
            codes.length[byte] = table->length[low] + table->length[high];
        }
    }
    // Codes gather at the top of 64 bits; each full 32 go out as a word.
    std::uint64_t held = 0;
    int filled = 0;
    const auto put_word = [&out](std::uint64_t bits) {
        const auto w = static_cast<std::uint32_t>(bits >> 32);
        for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<std::uint8_t>(w >> shift));
    };
    out.reserve(out.size() + data.size() * static_cast<std::size_t>(symbol_bits == 4 ? 2 : 1) * 2);
    const auto put_code = [&](std::uint64_t code, int length) {
        held |= code << (64 - filled - length);
        filled += length;
        if (filled >= 32) {
            put_word(held);
            held <<= 32;
            filled -= 32;
        }
    };
    for (const std::uint8_t byte : data) {
        const int length = codes.length[byte];
        // Fewer than 32 held: a code of up to 32 bits fits whole.
        if (length <= 32) {
            put_code(codes.code[byte], length);
        } else {
            const int high = table->length[byte >> 4];
            put_code(codes.code[byte] >> high, length - high);
            put_code(codes.code[byte] & ((std::uint64_t{1} << high) - 1), high);
        }
    }
    if (filled > 0) put_word(held);
    return out;
}

}  // namespace

std::optional<Bytes> compress_huffman(const Bytes& data, int symbol_bits) {
    const std::optional<HuffmanPlan> plan = plan_huffman(count_bytes(data), symbol_bits);
    if (!plan) return std::nullopt;
    return encode_huffman(data, *plan);
}

Bytes compress_huffman(const Bytes& data) {
    const ByteCounts counts = count_bytes(data);
    std::optional<HuffmanPlan> best = plan_huffman(counts, 4);
    std::optional<HuffmanPlan> eight = plan_huffman(counts, 8);
    if (eight && eight->size < best->size) best = std::move(eight);
    return encode_huffman(data, *best);
}

}  // namespace pixcell
