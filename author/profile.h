#pragma once
// The cells of a compiled scenario along the line: one row per cell with its
// chainage, gradient, speed limit, adhesion, stretch type, approach mark and
// the object on it in words.

#include <string>
#include <vector>

#include "author/compiled_input.h"
#include "compiler/track_model.h"

namespace scenario::autore {

enum class FormatoProfilo { testo, csv };

// The whole profile: a header that says what each column means, then one row
// per cell, its object in words. With the table, stations and signboards are
// named. The text form aligns its columns; the CSV form has a header row.
std::string profilo(const std::vector<Cella>& celle, const Tabella* tabella,
                    FormatoProfilo formato);

}  // namespace scenario::autore
