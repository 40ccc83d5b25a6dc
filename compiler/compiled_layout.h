#pragma once
// The byte layout of the compiled files, declared once so that the writer and
// any reader of the files walk the same lists of fields. A record is its
// fields in the order listed, with no padding; every number is little-endian
// with the width of its model field, a text is its 16-bit length followed by
// its bytes, and a plan value is a 16-bit tag followed by the value.

#include <array>
#include <concepts>
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <tuple>

#include "compiler/byte_order.h"
#include "compiler/track_model.h"

namespace scenario::compilato {

// One field of a record: the name the model and the readable dumps give it,
// and the member it is written from and read into.
template <typename Record, typename Tipo>
struct Campo {
    std::string_view nome;
    Tipo Record::*membro;
};

template <typename Record, typename Tipo>
Campo(std::string_view, Tipo Record::*) -> Campo<Record, Tipo>;

// One record of the cell file per cell, 0 to N.
inline constexpr auto campi_cella = std::tuple{
    Campo{"tipo", &Cella::tipo},           Campo{"dato1", &Cella::dato1},
    Campo{"dato2", &Cella::dato2},         Campo{"dato3", &Cella::dato3},
    Campo{"dato4", &Cella::dato4},         Campo{"tempo", &Cella::tempo},
    Campo{"preavviso", &Cella::preavviso}, Campo{"montagna", &Cella::montagna},
    Campo{"velocita", &Cella::velocita},   Campo{"pendenza", &Cella::pendenza},
    Campo{"aderenza", &Cella::aderenza}};

// One record of the table file per entry, 0 to 86.
inline constexpr auto campi_voce = std::tuple{
    Campo{"tipo", &Voce::tipo},           Campo{"inizio", &Voce::inizio},
    Campo{"fine", &Voce::fine},           Campo{"posizione", &Voce::posizione},
    Campo{"attributo", &Voce::attributo}, Campo{"nome", &Voce::nome},
    Campo{"valore1", &Voce::valore1},     Campo{"valore2", &Voce::valore2},
    Campo{"valore3", &Voce::valore3},     Campo{"valore4", &Voce::valore4},
    Campo{"valore5", &Voce::valore5},     Campo{"opzione1", &Voce::opzione1},
    Campo{"opzione2", &Voce::opzione2},   Campo{"opzione3", &Voce::opzione3},
    Campo{"opzione4", &Voce::opzione4},   Campo{"orario", &Voce::orario}};

// Writing: each `metti` appends one value to `byte`.
template <std::integral T>
void metti(std::string& byte, T valore) {
    std::array<char, sizeof(T)> pezzo{};
    scrivi(pezzo.data(), valore);
    byte.append(pezzo.data(), pezzo.size());
}

// A text longer than its 16-bit length can say cannot be written.
void metti(std::string& byte, const std::string& testo);

template <typename Record, typename Campi>
void metti_record(std::string& byte, const Record& record, const Campi& campi) {
    std::apply([&](const auto&... campo) { (metti(byte, record.*campo.membro), ...); }, campi);
}

// A record of numbers only, written at `dove`, which has room for it;
// returns the place just after it.
template <typename Record, typename Campi>
char* scrivi_record(char* dove, const Record& record, const Campi& campi) {
    std::apply([&](const auto&... campo) { ((dove = scrivi(dove, record.*campo.membro)), ...); },
               campi);
    return dove;
}

// A compiled file whose bytes do not follow its layout: what is wrong, the
// byte where it was found (the start of the value that could not be read),
// and the record and field being read there.
class FileNonValido : public std::runtime_error {
public:
    enum class Difetto {
        finisce_presto,        // the file ends inside a value
        etichetta_sconosciuta, // a plan value with a tag that is neither 0, 2 nor 5
        byte_in_piu,           // bytes after the last record of the table
        elementi_dispari,      // a plan whose values do not split into two coordinates
    };

    FileNonValido(Difetto difetto, std::size_t byte, std::size_t record, std::string_view campo);

    Difetto difetto() const { return difetto_; }
    std::size_t byte() const { return byte_; }
    std::size_t record() const { return record_; }
    const std::string& campo() const { return campo_; }

private:
    Difetto difetto_;
    std::size_t byte_;
    std::size_t record_;
    std::string campo_;
};

// Reading: each `prendi` takes one value from where the last one ended. The
// reader knows which record and field it is in, so that a file that ends
// inside a value is reported with them.
struct Lettore {
    std::string_view byte;
    std::size_t posizione = 0;
    std::size_t record = 0;
    std::string_view campo{};
    std::size_t inizio_campo = 0;

    bool finito() const { return posizione == byte.size(); }
    void entra(std::string_view nome) {
        campo = nome;
        inizio_campo = posizione;
    }
    // The next `quanti` bytes; FileNonValido if the file ends before them.
    std::string_view avanza(std::size_t quanti);
    [[noreturn]] void difetto(FileNonValido::Difetto difetto) const;
};

template <std::integral T>
void prendi(Lettore& lettore, T& valore) {
    valore = leggi<T>(lettore.avanza(sizeof(T)).data());
}

void prendi(Lettore& lettore, double& valore);
void prendi(Lettore& lettore, std::string& testo);
// A plan value, put at the end of the column.
void prendi(Lettore& lettore, Tracciato::Colonna& colonna);

template <typename Record, typename Campi>
void prendi_record(Lettore& lettore, Record& record, const Campi& campi) {
    std::apply(
        [&](const auto&... campo) {
            ((lettore.entra(campo.nome), prendi(lettore, record.*campo.membro)), ...);
        },
        campi);
}

// Bytes of one cell record.
inline constexpr std::size_t byte_per_cella = std::apply(
    [](const auto&... campo) { return (sizeof(Cella{}.*campo.membro) + ...); }, campi_cella);
static_assert(byte_per_cella == 15);

}  // namespace scenario::compilato
