#pragma once
// The names of every file of a run, built from the line name and the train
// number by plain joining.

#include <string>
#include <string_view>

namespace scenario {

struct Identita {
    std::string linea;
    std::string treno;
};

// This scenario's identity.
Identita identita_scenario();

std::string nome_descrizione_linea(const Identita& id);   // linea "_linea.txt"
std::string nome_descrizione_treno(const Identita& id);   // linea "_" treno "-.txt"
std::string nome_piano_compilato(const Identita& id);     // linea "_linea.dat"
std::string nome_tabella_compilata(const Identita& id);   // linea "_" treno ".sim"
std::string nome_celle_compilate(const Identita& id);     // linea "_" treno ".dat"
std::string nome_scheda_treno(const Identita& id);        // linea "_" treno "_scheda_treno.txt"
std::string nome_rallentamenti(const Identita& id);       // linea "_" treno "_rallentamenti.txt"
std::string nome_note(const Identita& id);                // linea "_" treno "_note.txt"

}  // namespace scenario
