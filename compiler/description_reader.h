#pragma once
// The readers of the two description files: the line description fills the
// cells, the plan and the settings of the line; the train description then
// adds the train's settings, profiles, stations, signals and slowdowns.
// Errors are recorded in the model's `codice_errore`, never thrown.

#include <cstdint>

#include "compiler/track_model.h"
#include "platform/folder.h"

namespace scenario {

// Reads the line description, then (unless the line stopped it) the train
// description, deleting each file once read. Any reading failure closes both
// and deletes both, with code 25. `modello` must carry `linea`, `treno` and
// `con_tracciato`, and a cleared `tabella`.
void memorizza_dati(Modello& modello, platform::Folder& cartella);

// Puts the chainage references of entries 81, 82 and 83 in their order.
void progressive_ordina(Modello& modello);

// Records one "montagna" stretch; `tipo` becomes the type actually laid.
void memo_montagna(Modello& modello, int32_t inizio, int32_t fine, int32_t& tipo);

// Places the maximum-speed indicator boards of one position; code 21 when
// their cell is taken.
void memo_indicatori_v_max(Modello& modello, int32_t posizione, int32_t vas, int32_t vbs,
                           int32_t vcs, int32_t strisces, int32_t vad, int32_t vbd, int32_t vcd,
                           int32_t strisced);

// The two halves of `memorizza_dati`. The line half returns false when the
// reading ends there; it leaves in `prossimo_cartello` the entry the next
// signboard would take, below which the stations must stay.
bool memorizza_linea(Modello& modello, platform::Folder& cartella, int32_t& prossimo_cartello);
void memorizza_treno(Modello& modello, platform::Folder& cartella, int32_t prossimo_cartello);

}  // namespace scenario
