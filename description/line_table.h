#pragma once
// How every text file of a run is held and written: a table of lines closed
// by an end marker, written one byte per character with CR LF after each line.

#include <span>
#include <string>
#include <string_view>

#include "platform/folder.h"

namespace scenario {

// The writers' sentinel: the entry after a file's last line. Never written.
inline constexpr std::string_view fine_del_file = "riferimento fine del file";

// A file holds at most this many lines; the table has room for them and the
// end marker.
inline constexpr std::size_t righe_massime = 1000;

// The bytes of a file: the entries up to the first one equal to the end
// marker (exact comparison), each followed by CR LF.
std::string testo_righe(std::span<const std::string_view> righe);

// Replaces the file `nome` of the folder whole with those bytes.
void scrivi_righe(platform::Folder& cartella, std::string_view nome,
                  std::span<const std::string_view> righe);

}  // namespace scenario
