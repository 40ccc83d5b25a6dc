#pragma once
// Laying one signal or one slowdown of the train description into the cells.
// The train reader calls these with the fields of one line, after the line's
// position passed its limit, and looks at `codice_errore` afterwards. An error
// is recorded with the line's position, the one the reader reports with it.

#include <cstdint>

#include "compiler/track_model.h"

namespace scenario {

// A signal at `posizione`: the signal cell (type 1) and the approach marks on
// the 2nd, 4th, 6th and 8th cells before it. `tempo` 1 to 100 becomes 101.
// Code 16 when the signal cell is not free; then nothing changes.
void memo_segnale(Modello& modello, int32_t posizione, int32_t sx, int32_t s1, int32_t s2,
                  int32_t s3, int32_t rapp, int32_t dx, int32_t d1, int32_t d2, int32_t d3,
                  int32_t& tempo);

// A slowdown from `x` over `l` metres at speed `v`: end, start and (beyond
// 1500 m) warning board, then with `f_ta` the four cells before the warning.
// Codes 17, 18, 19 leave the cells untouched; code 20 comes after the end,
// start and warning cells are written.
void memo_rallentamento(Modello& modello, int32_t x, int32_t v, int32_t l, int32_t f_tt,
                        int32_t f_ta, int32_t d_v);

// The signal's own cell exists.
bool segnale_nelle_celle(const Modello& modello, int32_t posizione);

// Every cell the slowdown would write exists: start, end, and beyond 1500 m
// the warning board and, with `f_ta`, its four approach cells.
bool rallentamento_nelle_celle(const Modello& modello, int32_t x, int32_t l, int32_t f_ta);

}  // namespace scenario
