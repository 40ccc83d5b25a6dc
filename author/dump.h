#pragma once
// A compiled file in words: one record per line with every field named, as
// plain text or as JSON.

#include <string>
#include <string_view>

#include "author/compiled_input.h"

namespace scenario::autore {

enum class Formato { testo, json };

// The whole readable form of a compiled file of the given kind; bytes that do
// not follow its layout are a compilato::FileNonValido.
std::string decodifica(Genere genere, std::string_view byte, Formato formato);

// A real number written so that it reads back to the same value, always with
// a point or an exponent when finite ("2001.0", "1e-05"), so that it cannot
// be taken for an integer.
std::string reale_esatto(double valore);

}  // namespace scenario::autore
