// pixcell_bench_art DIR: writes DIR/art.bmp and DIR/art.txt, the art the
// covers with objects are measured on (pixcell_bench_objects art.txt).
#include <cstdio>

#include "art_maker.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("Usage: pixcell_bench_art DIR\n", stderr);
        return 1;
    }
    const auto counts = pixcell::bench::write_art(argv[1], "art", 0xA27u);
    if (!counts) return 1;
    std::printf("%lld sprites, %lld parts\n", static_cast<long long>(counts->sprites), static_cast<long long>(counts->parts));
    return 0;
}
