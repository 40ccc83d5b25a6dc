#pragma once
// The walk over the cells that adds the cab-signal code changes a slowdown
// needs (before its start, inside it when slow, after its end) and those
// ahead of the signals before a slowdown's warning board, recording an error
// wherever no cell is free for one.

#include "compiler/track_model.h"

namespace scenario {

// The smaller of the two; on equal values `x`.
template <typename T>
T minimo(const T& x, const T& y) {
    return x > y ? y : x;
}

// One walk over cells 1 to N - 2, in place. Errors 11, 12 and 13 are
// recorded with their position and the walk goes on; a model without cells
// is left alone.
void passa_cambi_codice(Modello& modello);

}  // namespace scenario
