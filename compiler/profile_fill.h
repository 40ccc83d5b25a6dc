#pragma once
// How a profile (gradient, speed limit, adhesion) is laid into the cells: the
// value in force is written from the first cell not yet written up to the
// cell where the next value starts.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "compiler/track_model.h"

namespace scenario {

// Writes `scrivi(cella)` on the cells from `riempimento` on, advancing it,
// until it reaches `fino_a`; the end is tested after each write, so at least
// one cell is written unless `riempimento` already stands at `tetto`, which
// no write ever reaches.
template <class Scrivi>
void riempi_celle(std::vector<Cella>& celle, int32_t& riempimento, int32_t fino_a,
                  int32_t tetto, Scrivi scrivi) {
    do {
        if (riempimento >= tetto) {
            return;
        }
        scrivi(celle[static_cast<std::size_t>(riempimento)]);
        ++riempimento;
    } while (riempimento < fino_a);
}

// The low byte of a value, as the 8-bit cell fields keep it.
inline uint8_t byte_basso(int64_t valore) {
    return static_cast<uint8_t>(valore & 0xFF);
}

}  // namespace scenario
