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

std::string_view Lettore::avanza(std::size_t quanti) {
    if (byte.size() - posizione < quanti) {
        throw std::out_of_range("compiled file ends inside a value at byte " +
                                std::to_string(posizione));
    }
    const std::string_view pezzo = byte.substr(posizione, quanti);
    posizione += quanti;
    return pezzo;
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

void prendi(Lettore& lettore, ValorePiano& valore) {
    uint16_t tag = 0;
    prendi(lettore, tag);
    switch (tag) {
    case etichetta::vuoto:
        valore = std::monostate{};
        return;
    case etichetta::intero: {
        int16_t intero = 0;
        prendi(lettore, intero);
        valore = intero;
        return;
    }
    case etichetta::reale: {
        double reale = 0;
        prendi(lettore, reale);
        valore = reale;
        return;
    }
    default:
        throw std::invalid_argument("unknown plan value tag " + std::to_string(tag));
    }
}

}  // namespace scenario::compilato
