#pragma once
// The driver's train sheet ("SCHEDA"): the timetable card of the run, a fixed
// text drawn with characters.

#include "description/file_names.h"
#include "platform/folder.h"

namespace scenario {

// Writes the train sheet into the folder, replacing any earlier one whole.
void dati_scheda(platform::Folder& cartella, const Identita& id);

}  // namespace scenario
