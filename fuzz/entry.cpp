// The libFuzzer entry function shared by every target: the first byte of the
// input chooses how the target runs, the rest is what it reads.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz/invariant.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, std::size_t dimensione) {
    if (dimensione > 0) {
        scenario::fuzz::prova(
            dati[0], std::string_view(reinterpret_cast<const char*>(dati) + 1, dimensione - 1));
    }
    return 0;
}
