// pixcell_bench_compress FILE.s...: the tile arrays of generated assembler
// files (every .short halfword after each label), each compressed in every
// format, against the greedy LZ77 of the field's converters. Prints one
// tab-separated line an array: name, bytes, optimal LZ77, greedy LZ77,
// run-length, Huffman 4-bit, Huffman 8-bit, auto's format and bytes; then
// the sums.
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "bench/greedy_lz77.h"
#include "compress/compress.h"
#include "compress/huffman.h"
#include "compress/lz77.h"
#include "compress/run_length.h"
#include "compress/tile_arrays.h"

int main(int argc, char** argv) {
    using namespace pixcell;
    std::size_t sums[7] = {};
    std::printf("array\tbytes\tlz77\tgreedy_lz77\trle\thuffman4\thuffman8\tauto\tauto_bytes\n");
    for (int a = 1; a < argc; ++a) {
        std::ifstream in(argv[a]);
        std::vector<std::pair<std::string, Bytes>> arrays;
        for (std::string line; std::getline(in, line);) {
            if (!line.empty() && line.back() == ':') arrays.emplace_back(line.substr(0, line.size() - 1), Bytes{});
            if (line.rfind("\t.short ", 0) != 0 || arrays.empty()) continue;
            std::stringstream words(line.substr(8));
            for (std::string word; std::getline(words, word, ',');) {
                const unsigned long h = std::stoul(word, nullptr, 16);
                arrays.back().second.push_back(static_cast<std::uint8_t>(h));
                arrays.back().second.push_back(static_cast<std::uint8_t>(h >> 8));
            }
        }
        for (const auto& [name, data] : arrays) {
            const Compressed best = compress(data, CompressFormat::smallest);
            const std::size_t sizes[7] = {data.size(),
                                          compress_lz77(data).size(),
                                          bench::greedy_lz77_size(data),
                                          compress_run_length(data).size(),
                                          compress_huffman(data, 4)->size(),
                                          compress_huffman(data, 8) ? compress_huffman(data, 8)->size() : 0,
                                          best.size};
            std::printf("%s", name.c_str());
            for (int i = 0; i < 6; ++i) std::printf("\t%zu", sizes[i]);
            std::printf("\t%s\t%zu\n", format_name(best).c_str(), sizes[6]);
            for (int i = 0; i < 7; ++i) sums[i] += sizes[i];
        }
    }
    std::printf("all");
    for (int i = 0; i < 6; ++i) std::printf("\t%zu", sums[i]);
    std::printf("\t-\t%zu\n", sums[6]);
    return 0;
}
