#pragma once
// The compiled files as the author's commands meet them: which of the three a
// file is, from its name, and what to tell the author when its bytes do not
// follow its layout.

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "compiler/compiled_layout.h"
#include "compiler/track_model.h"

namespace scenario::autore {

enum class Genere { celle, tabella, tracciato };

// "..._linea.dat" is the line plan, "....sim" the table, any other "....dat"
// the cells; letter case does not matter. Nothing for any other name.
std::optional<Genere> genere_dal_nome(std::string_view nome);

// What the file is, in a few words ("il file delle celle").
std::string_view descrizione(Genere genere);

// The table as the readers give it back.
using Tabella = std::array<Voce, voce::numero>;

// A name of the table for people to read: its bytes, in the system's
// single-byte character set, taken as Latin-1 and written in UTF-8; control
// characters (and the codes 0x80 to 0x9F, which Latin-1 leaves to them)
// become '?'.
std::string nome_leggibile(std::string_view nome);

// One line naming the byte where the file stops following its layout and
// what is wrong there; `byte` is the whole file.
std::string messaggio(const compilato::FileNonValido& errore, Genere genere,
                      std::string_view byte);

}  // namespace scenario::autore
