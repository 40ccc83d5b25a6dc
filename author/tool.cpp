#include "author/tool.h"

#include <algorithm>
#include <filesystem>
#include <ostream>
#include <sstream>
#include <stdexcept>

#include "author/command_line.h"
#include "author/inspection.h"
#include "author/meanings.h"
#include "compiler/compiler.h"
#include "platform/disk_folder.h"

namespace scenario::autore {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view uso =
    "uso: scenario-tool compile|check FILE_LINEA FILE_TRENO [-o CARTELLA] [--linea NOME] "
    "[--treno NUMERO] [--senza-tracciato], dump FILE [--json], profile FILE_CELLE [--csv], "
    "plot CARTELLA [-o FILE.svg] (--help spiega tutto)";

constexpr std::string_view aiuto =
    R"(uso: scenario-tool compile FILE_LINEA FILE_TRENO [-o CARTELLA] [--linea NOME]
                             [--treno NUMERO] [--senza-tracciato]
     scenario-tool check FILE_LINEA FILE_TRENO [--linea NOME] [--treno NUMERO]
                           [--senza-tracciato]
     scenario-tool dump FILE [--json]
     scenario-tool profile FILE_CELLE [--csv]
     scenario-tool plot CARTELLA [-o FILE.svg] [--linea NOME] [--treno NUMERO]
     scenario-tool --help

Compila la descrizione di una linea e quella di un treno con lo stesso
compilatore del programma dello scenario, e dice dove sono gli errori; mostra
che cosa c'e' nei file compilati.

comandi:
  compile   legge le due descrizioni, posa i cambi di codice e scrive i file
            compilati nella CARTELLA: il tracciato NOME_linea.dat, la tabella
            NOME_NUMERO.sim e le celle NOME_NUMERO.dat, ciascuno sostituito
            per intero. Dopo un errore fatale, o se la descrizione della linea
            non crea le celle, la CARTELLA resta com'era.
  check     legge e controlla le due descrizioni allo stesso modo, senza
            scrivere nulla.
  dump      scrive un file compilato in chiaro: un record per riga, ogni
            campo con il suo nome. Il file e' riconosciuto dal nome:
            NOME_linea.dat e' il tracciato, NOME.sim la tabella, un altro
            NOME.dat le celle.
  profile   una riga per cella del FILE_CELLE: km dall'origine della linea
            all'inizio della cella (cella k = k x 0,05 km), pendenza, limite
            di velocita' in km/h, aderenza, tipo di tratto (montagna), segno
            di avvicinamento (preavviso) e gli oggetti della cella in parole.
            Se accanto c'e' la tabella (lo stesso nome con .sim), stazioni e
            cartelli hanno il loro nome.
  plot      disegna in SVG lo scenario compilato nella CARTELLA: la pianta
            della linea, nord in alto, con stazioni, segnali, rallentamenti e
            cambi di codice, e sotto il grafico di pendenza e limite di
            velocita' lungo la linea. Senza il file del tracciato disegna solo
            il grafico.

opzioni:
  -o CARTELLA         cartella, gia' esistente, dei file compilati (solo per
                      compile; predefinita: la cartella corrente)
  -o FILE.svg         file del disegno, sostituito per intero (solo per plot;
                      predefinito: l'uscita standard)
  --linea NOME        nome della linea, da cui prendono nome i file compilati
                      (predefinito: "Metropolitana di Orvalla Linea A
                      Corvesca-Sarvedano")
  --treno NUMERO      numero del treno (predefinito: "54")
  --senza-tracciato   compila senza tracciato: le righe delle curve non sono
                      lette e il file del tracciato non e' scritto
  --json              dump in JSON: un oggetto con l'elenco dei record
  --csv               profile in CSV, con una riga di intestazione
  -h, --help          mostra questo aiuto

I file FILE_LINEA e FILE_TRENO non sono mai cambiati ne' cancellati: il
compilatore lavora su copie in una cartella sua.

Ogni errore e' scritto cosi', nell'ordine in cui e' trovato (l'ultimo e' il
codice della compilazione):
  FILE:RIGA: errore CODICE: SIGNIFICATO (posizione N m)
RIGA e' la riga del campo letto per ultimo; gli errori della posa dei cambi
di codice (11, 12, 13) e quelli fatali (1250, 1251) non hanno riga ma dicono
la posizione.

Un file compilato troncato o incoerente e' segnalato con il byte dove smette
di seguire la sua forma:
  scenario-tool: FILE: byte N: CHE COSA NON VA

stato di uscita:
  0   nessun errore
  1   errori nelle descrizioni o nella posa (con compile i file compilati sono
      scritti lo stesso, come fa il programma)
  2   errore fatale (1250, 1251), file illeggibile, file compilato troncato o
      incoerente, o uso sbagliato
)";

struct Richiesta {
    bool scrive = true;             // compile; check writes nothing
    std::vector<std::string> file;  // the line description, then the train description
    fs::path cartella = ".";
    Identita id = identita_scenario();
    int32_t con_tracciato = 1;
};

Richiesta analizza(const std::string& comando, std::span<const std::string> resto) {
    Richiesta richiesta;
    richiesta.scrive = comando == "compile";
    // check takes the options of compile but the folder.
    static constexpr Opzione opzioni[] = {
        {"-o", true}, {"--linea", true}, {"--treno", true}, {"--senza-tracciato", false}};
    const std::span<const Opzione> ammesse = richiesta.scrive ? std::span(opzioni) : std::span(opzioni).subspan(1);
    const Argomenti argomenti = separa(resto, comando, ammesse);
    richiedi_file(argomenti, {"FILE_LINEA", "FILE_TRENO"});
    richiesta.file = argomenti.file;
    richiesta.id = identita_da(argomenti);
    if (const std::string* cartella = argomenti.valore("-o")) {
        richiesta.cartella = fs::path(*cartella);
    }
    if (argomenti.ha("--senza-tracciato")) {
        richiesta.con_tracciato = 0;
    }
    return richiesta;
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
    for (const std::string& nome : file_compilati(compilazione, id)) {
        scrivi_file(cartella / nome, compilazione.cartella.read(nome));
    }
}

int esegui_richiesta(const Richiesta& richiesta, std::ostream& errori) {
    const fs::path& cartella = richiesta.cartella;
    if (richiesta.scrive && !fs::is_directory(cartella)) {
        throw ErroreFile("la cartella " + cartella.string() + " non esiste o non e' una cartella");
    }
    const std::string& file_linea = richiesta.file[0];
    const std::string& file_treno = richiesta.file[1];
    const std::string linea = leggi_file(file_linea);
    const std::string treno = leggi_file(file_treno);
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
        if (argomenti.empty()) {
            throw ErroreUso("manca il comando");
        }
        const std::string& comando = argomenti.front();
        const auto resto = argomenti.subspan(1);
        if (comando == "compile" || comando == "check") {
            return esegui_richiesta(analizza(comando, resto), errori);
        }
        if (comando == "dump") {
            return esegui_dump(resto, uscita);
        }
        if (comando == "profile") {
            return esegui_profile(resto, uscita, errori);
        }
        if (comando == "plot") {
            return esegui_plot(resto, uscita);
        }
        throw ErroreUso("comando sconosciuto \"" + comando + "\"");
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
