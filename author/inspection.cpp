#include "author/inspection.h"

#include <filesystem>
#include <ostream>

#include "author/command_line.h"
#include "author/dump.h"
#include "author/plot.h"
#include "author/profile.h"
#include "author/tool.h"
#include "compiler/compiled_files.h"

namespace scenario::autore {

namespace {

namespace fs = std::filesystem;

// Reads a compiled file through `leggi`; bytes that do not follow the layout
// become an ErroreFile naming the file and the byte.
template <typename Lettura>
auto decodificato(const fs::path& file, Genere genere, Lettura leggi) {
    const std::string byte = leggi_file(file);
    try {
        return leggi(std::string_view(byte));
    } catch (const compilato::FileNonValido& errore) {
        throw ErroreFile(file.string() + ": " + messaggio(errore, genere, byte));
    }
}

Genere genere_richiesto(const std::string& file) {
    const auto genere = genere_dal_nome(fs::path(file).filename().string());
    if (!genere) {
        throw ErroreFile("non so quale file compilato sia " + file +
                         ": NOME_linea.dat e' il tracciato, NOME.sim la tabella, un altro "
                         "NOME.dat le celle");
    }
    return *genere;
}

// The table beside a cell file, same name with ".sim", when it is there and
// reads; otherwise the profile goes without names, and says why.
std::optional<Tabella> tabella_accanto(const fs::path& celle, std::ostream& errori) {
    const std::string nome = celle.filename().string();
    if (genere_dal_nome(nome) != Genere::celle) {
        return std::nullopt;
    }
    fs::path tabella = celle;
    tabella.replace_filename(nome.substr(0, nome.size() - 4) + ".sim");
    if (!fs::is_regular_file(tabella)) {
        return std::nullopt;
    }
    try {
        return decodificato(tabella, Genere::tabella, tabella_dai_byte);
    } catch (const ErroreFile& errore) {
        errori << nome_strumento << ": " << errore.what()
               << "; le stazioni e i cartelli restano senza nome\n";
        return std::nullopt;
    }
}

}  // namespace

int esegui_dump(std::span<const std::string> argomenti, std::ostream& uscita) {
    static constexpr Opzione opzioni[] = {{"--json", false}};
    const Argomenti separati = separa(argomenti, "dump", opzioni);
    richiedi_file(separati, {"FILE"});
    const std::string& file = separati.file.front();
    const Genere genere = genere_richiesto(file);
    const Formato formato = separati.ha("--json") ? Formato::json : Formato::testo;
    uscita << decodificato(file, genere, [&](std::string_view byte) {
        return decodifica(genere, byte, formato);
    });
    return stato::pulito;
}

int esegui_profile(std::span<const std::string> argomenti, std::ostream& uscita,
                   std::ostream& errori) {
    static constexpr Opzione opzioni[] = {{"--csv", false}};
    const Argomenti separati = separa(argomenti, "profile", opzioni);
    richiedi_file(separati, {"FILE_CELLE"});
    const std::string& file = separati.file.front();
    const auto genere = genere_dal_nome(fs::path(file).filename().string());
    if (genere && *genere != Genere::celle) {
        throw ErroreFile(file + " e' " + std::string(descrizione(*genere)) +
                         ", non il file delle celle");
    }
    const std::vector<Cella> celle = decodificato(file, Genere::celle, celle_dai_byte);
    const std::optional<Tabella> tabella = tabella_accanto(file, errori);
    const auto formato = separati.ha("--csv") ? FormatoProfilo::csv : FormatoProfilo::testo;
    uscita << profilo(celle, tabella ? &*tabella : nullptr, formato);
    return stato::pulito;
}

int esegui_plot(std::span<const std::string> argomenti, std::ostream& uscita) {
    static constexpr Opzione opzioni[] = {{"-o", true}, {"--linea", true}, {"--treno", true}};
    const Argomenti separati = separa(argomenti, "plot", opzioni);
    richiedi_file(separati, {"CARTELLA"});
    const fs::path cartella = separati.file.front();
    const Identita id = identita_da(separati);
    if (!fs::is_directory(cartella)) {
        throw ErroreFile("la cartella " + cartella.string() + " non esiste o non e' una cartella");
    }
    Compilati compilati;
    compilati.celle =
        decodificato(cartella / nome_celle_compilate(id), Genere::celle, celle_dai_byte);
    compilati.tabella =
        decodificato(cartella / nome_tabella_compilata(id), Genere::tabella, tabella_dai_byte);
    const fs::path piano = cartella / nome_piano_compilato(id);
    if (fs::exists(piano)) {
        compilati.tracciato = decodificato(piano, Genere::tracciato, tracciato_dai_byte);
    }
    const std::string svg = disegno(compilati);
    if (const std::string* file = separati.valore("-o")) {
        scrivi_file(*file, svg);
    } else {
        uscita << svg;
    }
    return stato::pulito;
}

}  // namespace scenario::autore
