#include "compiler/compiled_layout.h"

#include <limits>
#include <variant>

namespace scenario::compilato {

void metti(std::string& byte, const std::string& testo) {
    if (testo.size() > std::numeric_limits<uint16_t>::max()) {
        throw std::length_error("text too long for a compiled record: " +
                                std::to_string(testo.size()) + " bytes");
    }
    metti(byte, static_cast<uint16_t>(testo.size()));
    byte += testo;
}

namespace {

std::string descrizione(FileNonValido::Difetto difetto) {
    switch (difetto) {
    case FileNonValido::Difetto::finisce_presto:
        return "compiled file ends inside a value";
    case FileNonValido::Difetto::etichetta_sconosciuta:
        return "unknown plan value tag";
    case FileNonValido::Difetto::byte_in_piu:
        return "bytes after the last record";
    case FileNonValido::Difetto::elementi_dispari:
        return "odd number of plan values";
    }
    return "invalid compiled file";
}

}  // namespace

FileNonValido::FileNonValido(Difetto difetto, std::size_t byte, std::size_t record,
                             std::string_view campo)
    : std::runtime_error(descrizione(difetto) + " at byte " + std::to_string(byte) + ", record " +
                         std::to_string(record) + (campo.empty() ? "" : ", field ") +
                         std::string(campo)),
      difetto_(difetto),
      byte_(byte),
      record_(record),
      campo_(std::string(campo)) {}

std::string_view Lettore::avanza(std::size_t quanti) {
    if (byte.size() - posizione < quanti) {
        difetto(FileNonValido::Difetto::finisce_presto);
    }
    const std::string_view pezzo = byte.substr(posizione, quanti);
    posizione += quanti;
    return pezzo;
}

void Lettore::difetto(FileNonValido::Difetto difetto) const {
    throw FileNonValido(difetto, inizio_campo, record, campo);
}

void prendi(Lettore& lettore, double& valore) {
    uint64_t bits = 0;
    prendi(lettore, bits);
    valore = std::bit_cast<double>(bits);
}

void prendi(Lettore& lettore, std::string& testo) {
    uint16_t lunghezza = 0;
    prendi(lettore, lunghezza);
    testo = std::string(lettore.avanza(lunghezza));
}

void prendi(Lettore& lettore, Tracciato::Colonna& colonna) {
    uint16_t tag = 0;
    prendi(lettore, tag);
    switch (tag) {
    case etichetta::vuoto:
        colonna.metti(std::monostate{});
        return;
    case etichetta::intero: {
        int16_t intero = 0;
        prendi(lettore, intero);
        colonna.metti(intero);
        return;
    }
    case etichetta::reale: {
        double reale = 0;
        prendi(lettore, reale);
        colonna.metti_reale(reale);
        return;
    }
    default:
        lettore.difetto(FileNonValido::Difetto::etichetta_sconosciuta);
    }
}

}  // namespace scenario::compilato
