#include "compiler/compiled_files.h"

#include <cstddef>
#include <utility>

#include "compiler/compiled_layout.h"
#include "compiler/compiler.h"
#include "description/file_names.h"

namespace scenario {

namespace {

constexpr std::size_t lunghezza_controllo = 25;
// Makes the check text at least 25 characters long whatever the names.
constexpr std::string_view coda_controllo = "aabbccddeeffgghhiillmmnnoo";

constexpr int16_t marca_tabella = 610;
constexpr int16_t marca_celle = 5121;

// Only the letters A to Z change: the names are plain ASCII, and the result
// must not depend on the machine's locale.
char minuscola(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string testo_controllo(const Modello& modello) {
    std::string testo = modello.tabella[voce::ripetizione].nome + modello.tabella[voce::sfondi].nome;
    for (char& c : testo) {
        c = minuscola(c);
    }
    testo += coda_controllo;
    testo.resize(lunghezza_controllo);
    return testo;
}

int32_t codice_carattere(char c) {
    return static_cast<uint8_t>(c);
}

Cella& cella_1(Modello& modello) {
    return modello.celle.at(1);
}

}  // namespace

int16_t codice_gara_og(const Modello& modello) {
    int32_t somma = 0;
    for (const char c : testo_controllo(modello)) {
        somma += codice_carattere(c);
    }
    // 25 codes of at most 255 stay within 16 bits.
    return static_cast<int16_t>(somma);
}

int32_t codice_gara_st(const Modello& modello) {
    const std::string testo = testo_controllo(modello);
    int32_t somma = 0;
    for (std::size_t i = 0; i < testo.size(); ++i) {
        somma += codice_carattere(testo[i]) * static_cast<int32_t>(i + 1);
    }
    return somma;
}

void timbra(Modello& modello) {
    Voce& sfondi = modello.tabella[voce::sfondi];
    Cella& prima = cella_1(modello);
    if (sfondi.valore1 != 0 || prima.dato1 != 0) {
        throw ErroreFatale("1250");
    }
    sfondi.valore1 = marca_tabella;
    prima.dato1 = marca_celle;
    if (sfondi.orario != 0 || prima.dato2 != 0) {
        throw ErroreFatale("1251");
    }
    sfondi.orario = codice_gara_st(modello);
    prima.dato2 = codice_gara_og(modello);
}

std::string byte_celle(const Modello& modello) {
    std::string byte(modello.celle.size() * compilato::byte_per_cella, '\0');
    char* dove = byte.data();
    for (const Cella& cella : modello.celle) {
        dove = compilato::scrivi_record(dove, cella, compilato::campi_cella);
    }
    return byte;
}

std::string byte_tabella(const Modello& modello) {
    std::string byte;
    for (const Voce& voce : modello.tabella) {
        compilato::metti_record(byte, voce, compilato::campi_voce);
    }
    return byte;
}

void produci_tracciato(const Modello& modello, const platform::Folder::Parte& parte) {
    // The plan's slots already hold the file's bytes for every computed
    // value: runs of them are copied as they stand into one buffer of fixed
    // size, handed over each time it is full. Handing the runs over straight
    // from the plan would save the copy, but the system then reads the
    // plan's own memory, and in a process that has just made it that was
    // several times slower than reading the one buffer again and again.
    constexpr std::size_t misura_pezzo = 256 * 1024;
    std::string pezzo;
    pezzo.reserve(misura_pezzo);
    const auto metti = [&](std::string_view byte) {
        while (!byte.empty()) {
            const std::string_view adesso = byte.substr(0, misura_pezzo - pezzo.size());
            pezzo.append(adesso);
            byte.remove_prefix(adesso.size());
            if (pezzo.size() == misura_pezzo) {
                parte(pezzo);
                pezzo.clear();
            }
        }
    };
    // Coordinate 0 of every metre comes first, then coordinate 1.
    for (const std::size_t coordinata : {0u, 1u}) {
        const Tracciato::Colonna& colonna = modello.tracciato.colonna(coordinata);
        std::size_t metro = 0;
        for (const Tracciato::Tratto& tratto : colonna.altri()) {
            metti(colonna.posti(metro, tratto.inizio));
            for (metro = tratto.inizio; metro < tratto.fine; ++metro) {
                metti(colonna.nel_file(metro));
            }
        }
        metti(colonna.posti(metro, colonna.size()));
    }
    if (!pezzo.empty()) {
        parte(pezzo);
    }
}

std::string byte_tracciato(const Modello& modello) {
    std::string byte;
    produci_tracciato(modello, [&byte](std::string_view pezzo) { byte.append(pezzo); });
    return byte;
}

std::vector<Cella> celle_dai_byte(std::string_view byte) {
    compilato::Lettore lettore{byte};
    std::vector<Cella> celle;
    while (!lettore.finito()) {
        lettore.record = celle.size();
        compilato::prendi_record(lettore, celle.emplace_back(), compilato::campi_cella);
    }
    return celle;
}

std::array<Voce, voce::numero> tabella_dai_byte(std::string_view byte) {
    compilato::Lettore lettore{byte};
    std::array<Voce, voce::numero> tabella{};
    for (std::size_t i = 0; i < tabella.size(); ++i) {
        lettore.record = i;
        compilato::prendi_record(lettore, tabella[i], compilato::campi_voce);
    }
    if (!lettore.finito()) {
        lettore.record = tabella.size();
        lettore.entra("");
        lettore.difetto(compilato::FileNonValido::Difetto::byte_in_piu);
    }
    return tabella;
}

Tracciato tracciato_dai_byte(std::string_view byte) {
    compilato::Lettore lettore{byte};
    // Every value in file order, as the plan's columns hold them; most
    // values of a plan are a tag and a double, and a plan the compiler wrote
    // has no more than eight shorter ones.
    Tracciato::Colonna valori;
    valori.reserve(byte.size() / Tracciato::byte_per_posto + 8);
    while (!lettore.finito()) {
        lettore.record = valori.size();
        lettore.entra("valore");
        compilato::prendi(lettore, valori);
    }
    if (valori.size() % 2 != 0) {
        lettore.record = valori.size();
        lettore.entra("");
        lettore.difetto(compilato::FileNonValido::Difetto::elementi_dispari);
    }
    // Coordinate 0 of every metre comes first, then coordinate 1.
    Tracciato::Colonna coordinata1 = valori.separa(valori.size() / 2);
    return Tracciato(std::move(valori), std::move(coordinata1));
}

void scrivi_file_compilati(Modello& modello, platform::Folder& cartella) {
    timbra(modello);
    const Identita id{modello.linea, modello.treno};
    // The table's and the cells' bytes are made before the first file is
    // replaced, so that a record that cannot be written leaves the whole
    // earlier set in place. The plan is made as it is written: every one of
    // its values can be.
    const std::string tabella = byte_tabella(modello);
    const std::string celle = byte_celle(modello);
    if (modello.con_tracciato != 0) {
        cartella.replace_parts(nome_piano_compilato(id), [&modello](const platform::Folder::Parte& parte) {
            produci_tracciato(modello, parte);
        });
    }
    cartella.replace(nome_tabella_compilata(id), tabella);
    cartella.replace(nome_celle_compilate(id), celle);
}

}  // namespace scenario
