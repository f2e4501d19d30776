// The tests' one way to libspng's encoder, for the writers of PNG sheets: a
// context that encodes to memory, and the file's bytes once it has encoded.
#pragma once

#include <spng.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace pixcell::testing {

inline void check_spng(int error) {
    if (error != 0) throw std::runtime_error(std::string("libspng: ") + spng_strerror(error));
}

class PngEncoder {
public:
    PngEncoder() : context(spng_ctx_new(SPNG_CTX_ENCODER), spng_ctx_free) {
        if (!context) throw std::runtime_error("libspng: no encoder");
        check_spng(spng_set_option(context.get(), SPNG_ENCODE_TO_BUFFER, 1));
    }
    spng_ctx* get() { return context.get(); }

    // Encodes `image` (rows as `format` says: SPNG_FMT_PNG or SPNG_FMT_RAW)
    // and gives the file's bytes.
    std::vector<std::uint8_t> encode(const std::vector<std::uint8_t>& image, int format) {
        check_spng(spng_encode_image(context.get(), image.data(), image.size(), format, SPNG_ENCODE_FINALIZE));
        std::size_t size = 0;
        int error = 0;
        const std::unique_ptr<void, void (*)(void*)> encoded(spng_get_png_buffer(context.get(), &size, &error),
                                                             std::free);
        check_spng(error);
        const auto* begin = static_cast<const std::uint8_t*>(encoded.get());
        return std::vector<std::uint8_t>(begin, begin + size);
    }

private:
    std::unique_ptr<spng_ctx, void (*)(spng_ctx*)> context;
};

}  // namespace pixcell::testing
