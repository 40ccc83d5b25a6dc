#pragma once
// What a fuzz target does when an invariant of the compiler does not hold:
// it names the invariant and stops the process, so that the fuzzer keeps the
// input and the corpus replay fails.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace scenario::fuzz {

[[noreturn]] inline void violato(const std::string& invariante) {
    std::fprintf(stderr, "invariant broken: %s\n", invariante.c_str());
    std::abort();
}

// The target itself: `scelta` is the first byte of the fuzzer's input and
// `resto` the bytes after it; each target says what it makes of them. An
// empty input is not passed on.
void prova(uint8_t scelta, std::string_view resto);

inline void verifica(bool vero, const std::string& invariante) {
    if (!vero) {
        violato(invariante);
    }
}

}  // namespace scenario::fuzz
