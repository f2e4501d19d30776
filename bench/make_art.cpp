// pixcell_bench_art DIR [SEED]: writes DIR/art.bmp and DIR/art.txt, the art
// the covers with objects are measured on (pixcell_bench_objects art.txt);
// another seed draws other art of the same mix.
#include <cstdio>
#include <cstdlib>

#include "art_maker.h"

int main(int argc, char** argv) {
    if (argc != 2 && argc != 3) {
        std::fputs("Usage: pixcell_bench_art DIR [SEED]\n", stderr);
        return 1;
    }
    const std::uint64_t seed = argc == 3 ? std::strtoull(argv[2], nullptr, 0) : 0xA27u;
    const auto counts = pixcell::bench::write_art(argv[1], "art", seed);
    if (!counts) return 1;
    std::printf("%lld sprites, %lld parts\n", static_cast<long long>(counts->sprites),
                static_cast<long long>(counts->parts));
    return 0;
}
