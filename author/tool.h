#pragma once
// The compiler for scenario authors: compiles or checks any pair of line and
// train descriptions with the scenario program's own compiler, in a private
// folder, and reports every recorded error in the form compilers use.

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "compiler/track_model.h"
#include "description/file_names.h"
#include "platform/memory_folder.h"

namespace scenario::autore {

inline constexpr std::string_view nome_strumento = "scenario-tool";

// Exit status of the tool.
namespace stato {
inline constexpr int pulito = 0;   // no code recorded
inline constexpr int errori = 1;   // a description or layout error; files written all the same
inline constexpr int fallito = 2;  // a fatal error, an unreadable input file or a usage error
}  // namespace stato

// One run of the program's compiler on copies of two descriptions, held in a
// folder of its own under the names the program gives them.
struct Compilazione {
    Modello modello;
    platform::MemoryFolder cartella;
    std::optional<std::string> fatale;  // "1250" or "1251": nothing compiled may be kept
};

Compilazione compila(std::string_view descrizione_linea, std::string_view descrizione_treno,
                     const Identita& id, int32_t con_tracciato);

// The compiled files the compilation left to keep, in the order the program
// writes them: none after a fatal error or when no cells exist.
std::vector<std::string> file_compilati(const Compilazione& compilazione, const Identita& id);

// One line per recorded error, in the order found, then the fatal one; the
// author's file names stand for the names the program reads.
std::vector<std::string> diagnostiche(const Compilazione& compilazione, const Identita& id,
                                      std::string_view file_linea, std::string_view file_treno);

// The whole tool; `argomenti` without the program's own name. Returns the
// exit status.
int esegui(std::span<const std::string> argomenti, std::ostream& uscita, std::ostream& errori);

}  // namespace scenario::autore
