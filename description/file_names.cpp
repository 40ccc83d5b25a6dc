#include "description/file_names.h"

namespace scenario {

Identita identita_scenario() {
    return {"Metropolitana di Orvalla Linea A Corvesca-Sarvedano", "54"};
}

namespace {
std::string del_treno(const Identita& id, std::string_view coda) {
    return id.linea + "_" + id.treno + std::string(coda);
}
}  // namespace

std::string nome_descrizione_linea(const Identita& id) { return id.linea + "_linea.txt"; }
std::string nome_descrizione_treno(const Identita& id) { return del_treno(id, "-.txt"); }
std::string nome_piano_compilato(const Identita& id) { return id.linea + "_linea.dat"; }
std::string nome_tabella_compilata(const Identita& id) { return del_treno(id, ".sim"); }
std::string nome_celle_compilate(const Identita& id) { return del_treno(id, ".dat"); }
std::string nome_scheda_treno(const Identita& id) { return del_treno(id, "_scheda_treno.txt"); }
std::string nome_rallentamenti(const Identita& id) { return del_treno(id, "_rallentamenti.txt"); }
std::string nome_note(const Identita& id) { return del_treno(id, "_note.txt"); }

}  // namespace scenario
