#pragma once
// A drawing of one compiled scenario: the plan of the line, north up, with
// its stations, signals, slowdowns and code changes, and under it a chart of
// gradient and speed limit along the line.

#include <optional>
#include <string>
#include <vector>

#include "author/compiled_input.h"
#include "compiler/track_model.h"

namespace scenario::autore {

struct Compilati {
    std::vector<Cella> celle;
    Tabella tabella{};
    std::optional<Tracciato> tracciato;  // none when compiled without the plan
};

// The stations of the table: entries from 1 upwards up to the first unused
// one, leaving out the signboard texts that cells of type 14 name.
struct Stazione {
    int32_t posizione = 0;
    std::string nome;  // readable, UTF-8
};
std::vector<Stazione> stazioni(const Compilati& compilati);

// The whole SVG document.
std::string disegno(const Compilati& compilati);

}  // namespace scenario::autore
