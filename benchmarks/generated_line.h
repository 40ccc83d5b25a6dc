#pragma once
// A line of any length, described in the two description formats, for
// measuring how the compiler's cost grows with the line: curves over most of
// its length, a gradient every 500 m, stations every 1000 m while the table
// holds them, a slowdown every 5 km and a signal every 600 m, laid so that
// nothing collides and the line compiles without an error code. The general
// settings, adhesion and speed limits are the scenario's own.

#include <cstdint>
#include <string>

namespace scenario::banco {

struct LineaGenerata {
    int32_t metri = 0;
    std::string linea;  // the line description's bytes
    std::string treno;  // the train description's bytes
    int32_t curve = 0;
    int32_t pendenze = 0;
    int32_t stazioni = 0;
    int32_t rallentamenti = 0;
    int32_t segnali = 0;
};

// The descriptions of a line of `metri` metres (at least 2000, at most the
// readers' limit of 1000000).
LineaGenerata genera_linea(int32_t metri);

}  // namespace scenario::banco
