// 32-bit arithmetic that wraps as two's complement, as the console's own
// registers do, whatever numbers a description holds: never undefined.
#pragma once

#include <cstdint>

namespace pixcell {

// The low 32 bits of `value`, read as signed.
constexpr std::int32_t wrap32(std::int64_t value) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(value)));
}

constexpr std::int32_t wrap_add(std::int32_t a, std::int32_t b) { return wrap32(std::int64_t{a} + b); }

constexpr std::int32_t wrap_negate(std::int32_t a) { return wrap32(-std::int64_t{a}); }

}  // namespace pixcell
