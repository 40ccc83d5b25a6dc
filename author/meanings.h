#pragma once
// What each error code of the compiler means, in a few words an author can
// act on.

#include <cstdint>
#include <string_view>

namespace scenario::autore {

// The meaning of a code recorded by the readers, the placement or the pass,
// or of a fatal code of the compiled files (1250, 1251).
std::string_view significato(int32_t codice);

}  // namespace scenario::autore
