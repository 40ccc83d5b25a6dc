#include "author/compiled_input.h"

#include <algorithm>
#include <cstdint>

namespace scenario::autore {

namespace {

bool finisce_con(std::string_view nome, std::string_view coda) {
    if (nome.size() < coda.size()) {
        return false;
    }
    return std::equal(coda.begin(), coda.end(), nome.end() - static_cast<std::ptrdiff_t>(coda.size()),
                      [](char a, char b) {
                          const auto minuscola = [](char c) {
                              return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
                          };
                          return minuscola(a) == minuscola(b);
                      });
}

std::string numero(std::size_t n) { return std::to_string(n); }

// The 16-bit tag at `byte` of the file, as the plan stores it.
uint16_t etichetta_a(std::string_view file, std::size_t byte) {
    return static_cast<uint16_t>(static_cast<uint8_t>(file[byte]) |
                                 static_cast<uint8_t>(file[byte + 1]) << 8);
}

}  // namespace

std::optional<Genere> genere_dal_nome(std::string_view nome) {
    if (finisce_con(nome, "_linea.dat")) {
        return Genere::tracciato;
    }
    if (finisce_con(nome, ".sim")) {
        return Genere::tabella;
    }
    if (finisce_con(nome, ".dat")) {
        return Genere::celle;
    }
    return std::nullopt;
}

std::string_view descrizione(Genere genere) {
    switch (genere) {
    case Genere::celle:
        return "il file delle celle";
    case Genere::tabella:
        return "la tabella";
    case Genere::tracciato:
        return "il tracciato";
    }
    return "";
}

std::string nome_leggibile(std::string_view nome) {
    std::string testo;
    for (const char c : nome) {
        const auto codice = static_cast<unsigned char>(c);
        if (codice < 0x20 || (codice >= 0x7F && codice < 0xA0)) {
            testo += '?';
        } else if (codice < 0x80) {
            testo += c;
        } else {
            testo += static_cast<char>(0xC0 | codice >> 6);
            testo += static_cast<char>(0x80 | (codice & 0x3F));
        }
    }
    return testo;
}

std::string messaggio(const compilato::FileNonValido& errore, Genere genere,
                      std::string_view byte) {
    using Difetto = compilato::FileNonValido::Difetto;
    const std::size_t record = errore.record();
    const std::string dimensione = numero(byte.size()) + " byte";
    switch (errore.difetto()) {
    case Difetto::finisce_presto:
        if (genere == Genere::celle) {
            return "byte " + numero(record * compilato::byte_per_cella) + ": la cella " +
                   numero(record) + " e' incompleta: il file ha " + dimensione +
                   ", non un multiplo dei " + numero(compilato::byte_per_cella) +
                   " di una cella";
        }
        if (genere == Genere::tabella) {
            return "byte " + numero(errore.byte()) + ": il file finisce dentro il campo " +
                   errore.campo() + " della voce " + numero(record) + ", ma la tabella ha " +
                   numero(voce::numero) + " voci (il file ha " + dimensione + ")";
        }
        return "byte " + numero(errore.byte()) + ": il file finisce dentro il valore " +
               numero(record) + " del tracciato (il file ha " + dimensione + ")";
    case Difetto::etichetta_sconosciuta:
        return "byte " + numero(errore.byte()) + ": il valore " + numero(record) +
               " del tracciato ha l'etichetta " + numero(etichetta_a(byte, errore.byte())) +
               ", che non e' 0, 2 ne' 5";
    case Difetto::byte_in_piu:
        return "byte " + numero(errore.byte()) + ": " + numero(byte.size() - errore.byte()) +
               " byte dopo la voce " + numero(voce::numero - 1) + ", l'ultima della tabella";
    case Difetto::elementi_dispari:
        return "byte " + numero(errore.byte()) + ": il tracciato ha " + numero(record) +
               " valori, un numero dispari: non si dividono nelle due coordinate";
    }
    return errore.what();
}

}  // namespace scenario::autore
