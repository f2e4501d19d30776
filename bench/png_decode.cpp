// pixcell_bench_png_decode FILE: reads an indexed PNG whole and decodes it
// with libspng, as pixcell's PNG reader asks it to (every CRC checked, the
// chunks after the image read), into a byte a pixel, then exits: the cost
// a PNG sheet's conversion can't avoid, timed by pixcell_bench_time.
#include <spng.h>

#include <cstdio>
#include <vector>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("Usage: pixcell_bench_png_decode FILE\n", stderr);
        return 2;
    }
    std::FILE* file = std::fopen(argv[1], "rb");
    if (file == nullptr) {
        std::fprintf(stderr, "Error: Can't open file '%s'\n", argv[1]);
        return 1;
    }
    std::fseek(file, 0, SEEK_END);
    std::vector<unsigned char> bytes(static_cast<std::size_t>(std::ftell(file)));
    std::fseek(file, 0, SEEK_SET);
    const bool read = std::fread(bytes.data(), 1, bytes.size(), file) == bytes.size();
    std::fclose(file);

    spng_ctx* png = spng_ctx_new(0);
    spng_set_crc_action(png, SPNG_CRC_ERROR, SPNG_CRC_ERROR);
    spng_set_png_buffer(png, bytes.data(), bytes.size());
    std::size_t size = 0;
    int error = read ? spng_decoded_image_size(png, SPNG_FMT_PNG, &size) : SPNG_EIO;
    std::vector<unsigned char> image(size);
    if (error == 0) error = spng_decode_image(png, image.data(), image.size(), SPNG_FMT_PNG, 0);
    if (error == 0) error = spng_decode_chunks(png);
    spng_ctx_free(png);
    if (error != 0) {
        std::fprintf(stderr, "Error: %s: %s\n", argv[1], spng_strerror(error));
        return 1;
    }
    return 0;
}
