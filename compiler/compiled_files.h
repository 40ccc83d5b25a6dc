#pragma once
// The last stage of the compiler: the markers and check codes stamped into
// the model, then the compiled scenario written as up to three files (line
// plan, table, cells), each replaced whole.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "compiler/track_model.h"
#include "platform/folder.h"

namespace scenario {

// Sums over the first 25 characters of the check text: the train number and
// the line name lower-cased, followed by a fixed tail. `codice_gara_og` adds
// the character codes, `codice_gara_st` weights each by its position (1 to 25).
int16_t codice_gara_og(const Modello& modello);
int32_t codice_gara_st(const Modello& modello);

// The markers 610 and 5121 and the two check codes, each in a slot that must
// still be zero: ErroreFatale "1250" or "1251" otherwise. Needs cell 1.
void timbra(Modello& modello);

// The whole content of each compiled file.
std::string byte_celle(const Modello& modello);
std::string byte_tabella(const Modello& modello);
std::string byte_tracciato(const Modello& modello);

// The plan's content handed to `parte` in pieces made as they go, so that
// the largest file of all is never whole in memory.
void produci_tracciato(const Modello& modello, const platform::Folder::Parte& parte);

// The model back from the bytes of each compiled file, read through the same
// layout that wrote them. Bytes that do not follow the layout are a
// compilato::FileNonValido naming where: a cell file that ends inside a
// record, a table of other than 87 entries, a plan that ends inside a value,
// holds an unknown tag or an odd number of values.
std::vector<Cella> celle_dai_byte(std::string_view byte);
std::array<Voce, voce::numero> tabella_dai_byte(std::string_view byte);
Tracciato tracciato_dai_byte(std::string_view byte);

// Stamps, then replaces the plan (only when `con_tracciato` is not zero), the
// table and the cells, in this order. A fatal error writes no file.
void scrivi_file_compilati(Modello& modello, platform::Folder& cartella);

}  // namespace scenario
