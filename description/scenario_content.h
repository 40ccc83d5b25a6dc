#pragma once
// This scenario's line and train, as the two description files carry them.

#include <span>
#include <string_view>

#include "description/file_names.h"
#include "platform/folder.h"

namespace scenario {

// The line tables, end marker included.
std::span<const std::string_view> contenuto_linea();
std::span<const std::string_view> contenuto_treno();

// Write the line description and the train description into the folder.
void dati_linea(platform::Folder& cartella, const Identita& id);
void dati_treno(platform::Folder& cartella, const Identita& id);

}  // namespace scenario
