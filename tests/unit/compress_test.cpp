// The compressors against a model of the BIOS written from its documentation
// (support/bios_unpack.h), against brute force on tiny inputs, and on inputs
// whose best size is known by hand.
#include <gtest/gtest.h>

#include <functional>
#include <queue>
#include <random>
#include <utility>

#include "compress/compress.h"
#include "compress/huffman.h"
#include "compress/huffman_tree.h"
#include "compress/lz77.h"
#include "compress/run_length.h"
#include "support/bios_unpack.h"

namespace pixcell {
namespace {

Bytes repeated(std::size_t n, std::uint8_t value) { return Bytes(n, value); }

Bytes random_bytes(std::size_t n, unsigned seed, int values = 256) {
    std::mt19937 random(seed);
    Bytes out(n);
    for (auto& b : out) b = static_cast<std::uint8_t>(random() % static_cast<unsigned>(values));
    return out;
}

// 4-bit pixel art: a shape of a few colours on transparent ground, in tiles.
Bytes tiles_of_art(std::size_t tiles, unsigned seed) {
    std::mt19937 random(seed);
    Bytes out;
    for (std::size_t t = 0; t < tiles; ++t) {
        const int edge = static_cast<int>(random() % 4);
        for (int y = 0; y < 8; ++y) {
            for (int x = 0; x < 8; x += 2) {
                const auto pixel = [&](int px) {
                    if (px < edge || y < edge) return 0u;
                    return static_cast<unsigned>(random() % 8 == 0 ? 1 + random() % 15 : 3);
                };
                out.push_back(static_cast<std::uint8_t>(pixel(x) | pixel(x + 1) << 4));
            }
        }
    }
    return out;
}

TEST(Compress, KnownBestSizes) {
    Bytes eighteen(18);
    for (std::size_t i = 0; i < 18; ++i) eighteen[i] = static_cast<std::uint8_t>(i * 7 + 1);
    Bytes twice = eighteen;
    twice.insert(twice.end(), eighteen.begin(), eighteen.end());
    struct Case {
        const char* what;
        Bytes data;
        std::size_t lz77, run_length;
    };
    const Case cases[] = {
        // 2 literals (nothing 2 back before them), then 8 references of up
        // to 18: 10 blocks, 2 flag bytes. One run block.
        {"130 zeros", repeated(130, 0), 4 + 2 + 8 * 2 + 2, 4 + 2},
        {"131 zeros", repeated(131, 0), 4 + 2 + 8 * 2 + 2, 4 + 2 + 2},
        // 18 literals and one reference: 19 blocks, 3 flag bytes; one literal block.
        {"18 distinct twice", twice, 4 + 18 + 2 + 3, 4 + 1 + 36},
        {"nothing", Bytes{}, 4, 4},
        {"3 bytes", Bytes{1, 2, 3}, 4 + 1 + 3, 4 + 1 + 3},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(compress_lz77(c.data).size(), c.lz77) << c.what;
        EXPECT_EQ(compress_run_length(c.data).size(), c.run_length) << c.what;
    }
}

// The fewest bytes of any parse, by trying every one.
std::size_t brute_lz77(const Bytes& data, std::size_t pos, std::size_t blocks, std::size_t bytes) {
    if (pos == data.size()) return 4 + bytes + (blocks + 7) / 8;
    std::size_t best = brute_lz77(data, pos + 1, blocks + 1, bytes + 1);
    for (std::size_t back = 2; back <= pos; ++back) {
        for (std::size_t length = 1; length <= 18 && pos + length <= data.size(); ++length) {
            if (data[pos + length - 1] != data[pos + length - 1 - back]) break;
            if (length >= 3) best = std::min(best, brute_lz77(data, pos + length, blocks + 1, bytes + 2));
        }
    }
    return best;
}

std::size_t brute_run_length(const Bytes& data, std::size_t pos) {
    if (pos == data.size()) return 4;
    std::size_t best = SIZE_MAX;
    for (std::size_t k = 1; k <= 128 && pos + k <= data.size(); ++k) {
        best = std::min(best, 1 + k + brute_run_length(data, pos + k));
    }
    for (std::size_t k = 1; k <= 130 && pos + k <= data.size() && data[pos + k - 1] == data[pos]; ++k) {
        if (k >= 3) best = std::min(best, 2 + brute_run_length(data, pos + k));
    }
    return best;
}

TEST(Compress, OptimalAgainstEveryParse) {
    // Two or three values make matches and runs of every kind; lengths past
    // 8 blocks make the flag bytes count.
    for (unsigned seed = 0; seed < 300; ++seed) {
        const Bytes data = random_bytes(6 + seed % 13, seed, 2 + static_cast<int>(seed % 2));
        const Bytes lz = compress_lz77(data);
        ASSERT_EQ(lz.size(), brute_lz77(data, 0, 0, 0)) << "seed " << seed;
        ASSERT_EQ(testing::unpack_lz77_vram(lz), data);
        const Bytes rle = compress_run_length(data);
        ASSERT_EQ(rle.size(), brute_run_length(data, 0)) << "seed " << seed;
    }
}

// The bits of a Huffman code built the textbook way, for the bitstream's length.
std::uint64_t huffman_bits(const Bytes& data, int symbol_bits) {
    std::vector<std::uint64_t> counts(std::size_t{1} << symbol_bits, 0);
    for (const std::uint8_t b : data) {
        if (symbol_bits == 8) {
            ++counts[b];
        } else {
            ++counts[b & 0xF];
            ++counts[b >> 4];
        }
    }
    std::priority_queue<std::uint64_t, std::vector<std::uint64_t>, std::greater<>> queue;
    for (const std::uint64_t c : counts) {
        if (c > 0) queue.push(c);
    }
    std::uint64_t bits = queue.size() == 1 ? queue.top() : 0;
    while (queue.size() > 1) {
        const std::uint64_t a = queue.top();
        queue.pop();
        const std::uint64_t b = queue.top();
        queue.pop();
        bits += a + b;
        queue.push(a + b);
    }
    return bits;
}

TEST(Compress, RoundTripsThroughTheBiosModel) {
    Bytes runs;
    for (std::size_t n : {3u, 129u, 130u, 131u, 260u, 1u, 2u}) {
        const Bytes run = repeated(n, static_cast<std::uint8_t>(n));
        runs.insert(runs.end(), run.begin(), run.end());
    }
    Bytes all_values(512);
    for (std::size_t i = 0; i < all_values.size(); ++i) all_values[i] = static_cast<std::uint8_t>(i * 167);
    // Counts like Fibonacci's for 24 values make a tree 24 deep, and every
    // other value once a wide one below: the hardest to lay out.
    Bytes lopsided;
    std::size_t a = 1, b = 1;
    for (int v = 0; v < 256; ++v) {
        lopsided.insert(lopsided.end(), v < 24 ? a : 1, static_cast<std::uint8_t>(v * 37));
        if (v < 24) b = std::exchange(a, a + b);
    }
    lopsided.resize(lopsided.size() / 4 * 4);
    const std::pair<const char*, Bytes> inputs[] = {
        {"lopsided counts", lopsided},
        {"one tile of zeros", repeated(32, 0)},
        {"one byte repeated", repeated(8192, 0x5A)},
        {"runs", runs},
        {"no repeats", random_bytes(4096, 1)},
        {"every byte value", all_values},
        {"art", tiles_of_art(600, 2)},
        {"art past the window", tiles_of_art(2000, 3)},
    };
    for (const auto& [what, data] : inputs) {
        for (const char* format : {"lz77", "rle", "huffman", "auto"}) {
            const Compressed packed = compress(data, *compress_format(format));
            EXPECT_EQ(packed.bytes.size() % 4, 0u);
            EXPECT_EQ(testing::unpack_any(packed.bytes), data) << what << " " << format;
        }
        for (const int bits : {4, 8}) {
            const std::optional<Bytes> huffman = compress_huffman(data, bits);
            ASSERT_TRUE(huffman) << what << " " << bits;
            EXPECT_EQ(testing::unpack_huffman(*huffman), data) << what << " " << bits;
            // No code limit bites on these: the bitstream is a textbook code's.
            const std::size_t stream = huffman->size() - 4 - 2 * ((*huffman)[4] + 1u);
            EXPECT_EQ(stream, (huffman_bits(data, bits) + 31) / 32 * 4) << what << " " << bits;
        }
        // The size chosen from the counts alone is the smaller stream's.
        EXPECT_EQ(compress_huffman(data).size(),
                  std::min(compress_huffman(data, 4)->size(), compress_huffman(data, 8)->size()))
            << what;
    }
}

// Counts from flat to wildly skewed (up to 2^29 to 1): the tree must be laid
// out with no code shortened, and each symbol's code, walked through the
// table as the BIOS walks it, must end at that symbol.
TEST(Compress, HuffmanTreesFitTheBiosOffsets) {
    for (unsigned seed = 0; seed < 400; ++seed) {
        std::mt19937 random(seed);
        const unsigned spread = 1 + seed % 30;
        std::vector<std::uint64_t> counts(256);
        for (auto& c : counts) c = random() % 7 == 0 ? 0 : std::uint64_t{1} << (random() % spread);
        const std::vector<int> lengths = code_lengths(counts, 31);
        const std::optional<HuffmanTable> table = lay_out_tree(lengths);
        ASSERT_TRUE(table) << "seed " << seed;
        Bytes stream(4, 0);  // the header's place: node addresses count from the stream's start
        stream.insert(stream.end(), table->tree.begin(), table->tree.end());
        for (std::size_t symbol = 0; symbol < counts.size(); ++symbol) {
            if (lengths[symbol] == 0) continue;
            std::size_t node = 5;
            for (int bit = lengths[symbol] - 1; bit >= 0; --bit) {
                const int side = (table->code[symbol] >> bit) & 1;
                const std::size_t child = (node & ~std::size_t{1}) + (stream[node] & 0x3F) * 2u + 2 + side;
                ASSERT_LT(child, stream.size());
                const bool leaf = stream[node] & (side ? 0x40 : 0x80);
                ASSERT_EQ(leaf, bit == 0) << "seed " << seed << " symbol " << symbol;
                node = child;
            }
            EXPECT_EQ(stream[node], symbol) << "seed " << seed;
        }
    }
}

}  // namespace
}  // namespace pixcell
