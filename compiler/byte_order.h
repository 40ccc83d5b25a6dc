#pragma once
// Numbers as the compiled files hold them: little-endian, whatever the byte
// order of the machine, each written and read one byte at a time (the
// compiler turns the loops into plain loads and stores where it can).

#include <bit>
#include <concepts>
#include <cstddef>
#include <cstdint>
#include <type_traits>

namespace scenario {

// Puts `valore` at `dove`, which has room for it, and returns the place just
// after it.
template <std::integral T>
char* scrivi(char* dove, T valore) {
    using Bits = std::make_unsigned_t<T>;
    const auto bits = static_cast<Bits>(valore);
    for (std::size_t i = 0; i < sizeof(T); ++i) {
        dove[i] = static_cast<char>(static_cast<uint8_t>(bits >> (8 * i)));
    }
    return dove + sizeof(T);
}

inline char* scrivi(char* dove, double valore) {
    return scrivi(dove, std::bit_cast<uint64_t>(valore));
}

// The value of type T held at `da`.
template <std::integral T>
T leggi(const char* da) {
    uint64_t bits = 0;
    for (std::size_t i = 0; i < sizeof(T); ++i) {
        bits |= uint64_t{static_cast<uint8_t>(da[i])} << (8 * i);
    }
    return static_cast<T>(static_cast<std::make_unsigned_t<T>>(bits));
}

inline double leggi_reale(const char* da) {
    return std::bit_cast<double>(leggi<uint64_t>(da));
}

}  // namespace scenario
