#pragma once
// The slow-order form ("Modulo M. 3") and the notes, the two crew documents
// written before the train sheet.

#include "description/file_names.h"
#include "platform/folder.h"

namespace scenario {

// Write the slow-order form and the (empty) notes file into the folder,
// replacing any earlier ones whole.
void dati_rallentamenti(platform::Folder& cartella, const Identita& id);
void dati_note(platform::Folder& cartella, const Identita& id);

}  // namespace scenario
