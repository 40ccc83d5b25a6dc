#include "author/tool.h"

#include <algorithm>
#include <filesystem>
#include <ostream>
#include <sstream>
#include <stdexcept>

#include "author/meanings.h"
#include "compiler/compiler.h"
#include "platform/disk_folder.h"

namespace scenario::autore {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view uso =
    "uso: scenario-tool compile|check FILE_LINEA FILE_TRENO [-o CARTELLA] [--linea NOME] "
    "[--treno NUMERO] [--senza-tracciato] (--help spiega tutto)";

constexpr std::string_view aiuto =
    R"(uso: scenario-tool compile FILE_LINEA FILE_TRENO [-o CARTELLA] [--linea NOME]
                             [--treno NUMERO] [--senza-tracciato]
     scenario-tool check FILE_LINEA FILE_TRENO [--linea NOME] [--treno NUMERO]
                           [--senza-tracciato]
     scenario-tool --help

Compila la descrizione di una linea e quella di un treno con lo stesso
compilatore del programma dello scenario, e dice dove sono gli errori.

comandi:
  compile   legge le due descrizioni, posa i cambi di codice e scrive i file
            compilati nella CARTELLA: il tracciato NOME_linea.dat, la tabella
            NOME_NUMERO.sim e le celle NOME_NUMERO.dat, ciascuno sostituito
            per intero. Dopo un errore fatale, o se la descrizione della linea
            non crea le celle, la CARTELLA resta com'era.
  check     legge e controlla le due descrizioni allo stesso modo, senza
            scrivere nulla.

opzioni:
  -o CARTELLA         cartella, gia' esistente, dei file compilati (solo per
                      compile; predefinita: la cartella corrente)
  --linea NOME        nome della linea, da cui prendono nome i file compilati
                      (predefinito: "Metropolitana di Orvalla Linea A
                      Corvesca-Sarvedano")
  --treno NUMERO      numero del treno (predefinito: "54")
  --senza-tracciato   compila senza tracciato: le righe delle curve non sono
                      lette e il file del tracciato non e' scritto
  -h, --help          mostra questo aiuto

I file FILE_LINEA e FILE_TRENO non sono mai cambiati ne' cancellati: il
compilatore lavora su copie in una cartella sua.

Ogni errore e' scritto cosi', nell'ordine in cui e' trovato (l'ultimo e' il
codice della compilazione):
  FILE:RIGA: errore CODICE: SIGNIFICATO (posizione N m)
RIGA e' la riga del campo letto per ultimo; gli errori della posa dei cambi
di codice (11, 12, 13) e quelli fatali (1250, 1251) non hanno riga ma dicono
la posizione.

stato di uscita:
  0   nessun errore
  1   errori nelle descrizioni o nella posa (con compile i file compilati sono
      scritti lo stesso, come fa il programma)
  2   errore fatale (1250, 1251), file illeggibile o uso sbagliato
)";

// A command line that asks for something the tool does not do.
class ErroreUso : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct Richiesta {
    bool scrive = true;             // compile; check writes nothing
    std::vector<std::string> file;  // the line description, then the train description
    fs::path cartella = ".";
    Identita id = identita_scenario();
    int32_t con_tracciato = 1;
    bool cartella_data = false;
    bool tracciato_dato = false;
    bool linea_data = false;
    bool treno_dato = false;
};

// A name that the file names are built from: not empty, and no folder in it.
std::string nome_valido(std::string_view opzione, const std::string& valore) {
    if (valore.empty() || valore.find_first_of("/\\") != std::string::npos ||
        valore.find('\0') != std::string::npos) {
        throw ErroreUso("valore non valido per " + std::string(opzione) + ": \"" + valore + "\"");
    }
    return valore;
}

void una_volta(bool& data, std::string_view opzione) {
    if (data) {
        throw ErroreUso("opzione ripetuta: " + std::string(opzione));
    }
    data = true;
}

Richiesta analizza(std::span<const std::string> argomenti) {
    if (argomenti.empty()) {
        throw ErroreUso("manca il comando");
    }
    Richiesta richiesta;
    const std::string& comando = argomenti.front();
    if (comando == "check") {
        richiesta.scrive = false;
    } else if (comando != "compile") {
        throw ErroreUso("comando sconosciuto \"" + comando + "\"");
    }
    for (std::size_t i = 1; i < argomenti.size(); ++i) {
        const std::string& argomento = argomenti[i];
        const auto valore = [&]() -> const std::string& {
            if (i + 1 >= argomenti.size()) {
                throw ErroreUso("manca il valore di " + argomento);
            }
            return argomenti[++i];
        };
        if (argomento == "-o" && richiesta.scrive) {
            una_volta(richiesta.cartella_data, argomento);
            richiesta.cartella = fs::path(valore());
        } else if (argomento == "--linea") {
            una_volta(richiesta.linea_data, argomento);
            richiesta.id.linea = nome_valido(argomento, valore());
        } else if (argomento == "--treno") {
            una_volta(richiesta.treno_dato, argomento);
            richiesta.id.treno = nome_valido(argomento, valore());
        } else if (argomento == "--senza-tracciato") {
            una_volta(richiesta.tracciato_dato, argomento);
            richiesta.con_tracciato = 0;
        } else if (argomento.size() > 1 && argomento.front() == '-') {
            throw ErroreUso("opzione sconosciuta per " + comando + ": " + argomento);
        } else {
            richiesta.file.push_back(argomento);
        }
    }
    if (richiesta.file.size() < 2) {
        throw ErroreUso(richiesta.file.empty() ? "mancano FILE_LINEA e FILE_TRENO"
                                               : "manca FILE_TRENO");
    }
    if (richiesta.file.size() > 2) {
        throw ErroreUso("argomento in piu': \"" + richiesta.file[2] + "\"");
    }
    // With the train named "linea" the cells would take the line plan's name.
    if (nome_celle_compilate(richiesta.id) == nome_piano_compilato(richiesta.id)) {
        throw ErroreUso("il treno \"" + richiesta.id.treno +
                        "\" darebbe alle celle il nome del file del tracciato");
    }
    return richiesta;
}

// An input or output file that cannot be used: reported, nothing written.
class ErroreFile : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

std::string leggi_descrizione(const std::string& file) {
    const fs::path percorso(file);
    const fs::path cartella = percorso.has_parent_path() ? percorso.parent_path() : fs::path(".");
    try {
        return platform::DiskFolder(cartella).read(percorso.filename().string());
    } catch (const platform::FileError& guasto) {
        throw ErroreFile("impossibile leggere " + file + ": " + guasto.reason());
    }
}

std::string riga_diagnostica(std::string_view file, int32_t riga, int32_t codice,
                             std::optional<int32_t> posizione) {
    std::ostringstream testo;
    testo << file;
    if (riga > 0) {
        testo << ':' << riga;
    }
    testo << ": errore " << codice << ": " << significato(codice);
    if (posizione) {
        testo << " (posizione " << *posizione << " m)";
    }
    return testo.str();
}

int stato_di(const Compilazione& compilazione) {
    if (compilazione.fatale) {
        return stato::fallito;
    }
    return compilazione.modello.codice_errore == codice::nessuno ? stato::pulito : stato::errori;
}

// Replaces each compiled file in the author's folder, in the program's order.
void scrivi(const Compilazione& compilazione, const Identita& id, const fs::path& cartella) {
    platform::DiskFolder destinazione(cartella);
    for (const std::string& nome : file_compilati(compilazione, id)) {
        try {
            destinazione.replace(nome, compilazione.cartella.read(nome));
        } catch (const platform::FileError& guasto) {
            throw ErroreFile("impossibile scrivere " + guasto.path() + ": " + guasto.reason());
        }
    }
}

int esegui_richiesta(const Richiesta& richiesta, std::ostream& errori) {
    const fs::path& cartella = richiesta.cartella;
    if (richiesta.scrive && !fs::is_directory(cartella)) {
        throw ErroreFile("la cartella " + cartella.string() + " non esiste o non e' una cartella");
    }
    const std::string& file_linea = richiesta.file[0];
    const std::string& file_treno = richiesta.file[1];
    const std::string linea = leggi_descrizione(file_linea);
    const std::string treno = leggi_descrizione(file_treno);
    const Compilazione compilazione = compila(linea, treno, richiesta.id, richiesta.con_tracciato);
    for (const auto& riga : diagnostiche(compilazione, richiesta.id, file_linea, file_treno)) {
        errori << riga << '\n';
    }
    if (richiesta.scrive) {
        scrivi(compilazione, richiesta.id, cartella);
    }
    return stato_di(compilazione);
}

}  // namespace

Compilazione compila(std::string_view descrizione_linea, std::string_view descrizione_treno,
                     const Identita& id, int32_t con_tracciato) {
    Compilazione compilazione;
    compilazione.cartella.replace(nome_descrizione_linea(id), descrizione_linea);
    compilazione.cartella.replace(nome_descrizione_treno(id), descrizione_treno);
    compilazione.modello.linea = id.linea;
    compilazione.modello.treno = id.treno;
    try {
        memorizza_percorso(compilazione.modello, compilazione.cartella, con_tracciato);
    } catch (const ErroreFatale& fatale) {
        compilazione.fatale = fatale.codice();
    } catch (const SenzaCelle&) {
        // The readers' code is in the model; with no cells nothing is compiled.
    }
    return compilazione;
}

std::vector<std::string> file_compilati(const Compilazione& compilazione, const Identita& id) {
    std::vector<std::string> nomi;
    if (compilazione.fatale || compilazione.modello.celle.empty()) {
        return nomi;
    }
    for (std::string nome :
         {nome_piano_compilato(id), nome_tabella_compilata(id), nome_celle_compilate(id)}) {
        if (compilazione.cartella.exists(nome)) {
            nomi.push_back(std::move(nome));
        }
    }
    return nomi;
}

std::vector<std::string> diagnostiche(const Compilazione& compilazione, const Identita& id,
                                      std::string_view file_linea, std::string_view file_treno) {
    const Modello& modello = compilazione.modello;
    // Errors of the pass and of the compiled files belong to no line; they
    // concern the train's signals and slowdowns, so they name its file.
    const auto file_autore = [&](const std::string& file) -> std::string_view {
        if (file == nome_descrizione_linea(id)) {
            return file_linea;
        }
        if (file.empty() || file == nome_descrizione_treno(id)) {
            return file_treno;
        }
        return file;
    };
    std::vector<std::string> righe;
    for (const Segnalazione& s : modello.segnalazioni) {
        righe.push_back(riga_diagnostica(file_autore(s.file), s.riga, s.codice, s.posizione));
    }
    if (compilazione.fatale) {
        // Both fatal slots are those of cell 1.
        constexpr int32_t posizione_cella_1 = 50;
        righe.push_back(
            riga_diagnostica(file_treno, 0, std::stoi(*compilazione.fatale), posizione_cella_1));
    }
    return righe;
}

int esegui(std::span<const std::string> argomenti, std::ostream& uscita, std::ostream& errori) {
    const std::string prefisso = std::string(nome_strumento) + ": ";
    if (std::any_of(argomenti.begin(), argomenti.end(),
                    [](const std::string& a) { return a == "-h" || a == "--help"; })) {
        uscita << aiuto;
        return stato::pulito;
    }
    try {
        return esegui_richiesta(analizza(argomenti), errori);
    } catch (const ErroreUso& errore) {
        errori << prefisso << errore.what() << "; " << uso << '\n';
    } catch (const ErroreFile& errore) {
        errori << prefisso << errore.what() << '\n';
    } catch (const std::exception& errore) {
        errori << prefisso << "errore interno: " << errore.what() << '\n';
    }
    return stato::fallito;
}

}  // namespace scenario::autore
