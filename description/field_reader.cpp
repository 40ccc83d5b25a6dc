#include "description/field_reader.h"

#include <algorithm>
#include <limits>

namespace scenario {

namespace {
constexpr char spazio = ' ';
constexpr char virgola = ',';
constexpr char cr = '\r';
constexpr char lf = '\n';

std::string leggi_file(const platform::Folder& cartella, std::string_view nome) {
    try {
        return cartella.read(nome);
    } catch (const platform::FileError& guasto) {
        throw ErroreLettura("cannot read " + guasto.path() + ": " + guasto.reason());
    }
}

// The whole number a numeric field's text stands for: an optional sign, then
// digits and nothing else; any other text stands for 0. Values far outside
// every width are held at a bound that is itself outside every width.
int64_t valore_numerico(std::string_view testo) {
    constexpr int64_t oltre = int64_t{1} << 40;
    bool negativo = false;
    if (!testo.empty() && (testo.front() == '+' || testo.front() == '-')) {
        negativo = testo.front() == '-';
        testo.remove_prefix(1);
    }
    if (testo.empty() || !std::all_of(testo.begin(), testo.end(),
                                      [](char c) { return c >= '0' && c <= '9'; })) {
        return 0;
    }
    int64_t valore = 0;
    for (char cifra : testo) {
        valore = std::min(valore * 10 + (cifra - '0'), oltre);
    }
    return negativo ? -valore : valore;
}

// Only A to Z change, as in the "C" locale the program runs in; done here
// rather than through the locale because keyword tests compare every
// character of every line.
constexpr char minuscola(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}
}  // namespace

LettoreCampi::LettoreCampi(const platform::Folder& cartella, std::string_view nome,
                           int32_t* riga_letta)
    : dati_(leggi_file(cartella, nome)), riga_letta_(riga_letta) {}

LettoreCampi::LettoreCampi(std::string dati) : dati_(std::move(dati)) {}

void LettoreCampi::inizio_campo() {
    if (fine()) {
        throw ErroreLettura("field asked for at the end of the file, after line " +
                            std::to_string(riga_));
    }
    while (!fine() && dati_[posizione_] == spazio) {
        ++posizione_;
    }
    riga_campo_ = riga_;
    if (riga_letta_ != nullptr) {
        *riga_letta_ = riga_campo_;
    }
}

bool LettoreCampi::a_fine_riga() const {
    return !fine() && (dati_[posizione_] == cr || dati_[posizione_] == lf);
}

void LettoreCampi::consuma_delimitatore() {
    if (fine()) {
        return;
    }
    if (dati_[posizione_] == virgola) {
        ++posizione_;
    } else if (a_fine_riga()) {
        const bool crlf = dati_[posizione_] == cr && posizione_ + 1 < dati_.size() &&
                          dati_[posizione_ + 1] == lf;
        posizione_ += crlf ? 2 : 1;
        ++riga_;
    }
}

std::string LettoreCampi::testo() {
    inizio_campo();
    const std::size_t inizio = posizione_;
    while (!fine() && dati_[posizione_] != virgola && !a_fine_riga()) {
        ++posizione_;
    }
    std::string campo = dati_.substr(inizio, posizione_ - inizio);
    consuma_delimitatore();
    return campo;
}

int64_t LettoreCampi::numero(int64_t minimo, int64_t massimo) {
    inizio_campo();
    const std::size_t inizio = posizione_;
    while (!fine() && dati_[posizione_] != virgola && dati_[posizione_] != spazio &&
           !a_fine_riga()) {
        ++posizione_;
    }
    const int64_t valore =
        valore_numerico(std::string_view(dati_).substr(inizio, posizione_ - inizio));
    while (!fine() && dati_[posizione_] == spazio) {
        ++posizione_;
    }
    consuma_delimitatore();
    if (valore < minimo || valore > massimo) {
        throw ErroreLettura("number " + std::to_string(valore) + " out of range on line " +
                            std::to_string(riga_campo_));
    }
    return valore;
}

uint8_t LettoreCampi::intero8() {
    return static_cast<uint8_t>(numero(0, std::numeric_limits<uint8_t>::max()));
}

int16_t LettoreCampi::intero16() {
    return static_cast<int16_t>(
        numero(std::numeric_limits<int16_t>::min(), std::numeric_limits<int16_t>::max()));
}

int32_t LettoreCampi::intero32() {
    return static_cast<int32_t>(
        numero(std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

bool campo_chiave(LettoreCampi& campi, std::string& riga) {
    constexpr int commenti_saltati = 2;
    if (campi.fine()) {
        return false;
    }
    riga = campi.testo();
    for (int i = 0; i < commenti_saltati && !campi.fine(); ++i) {
        if (contiene_esatto(riga, "-")) {
            riga = campi.testo();
        }
    }
    return !campi.fine();
}

bool contiene_esatto(std::string_view campo, std::string_view parola) {
    return campo.find(parola) != std::string_view::npos;
}

bool contiene(std::string_view campo, std::string_view parola) {
    const auto trovata = std::search(campo.begin(), campo.end(), parola.begin(), parola.end(),
                                     [](char a, char b) { return minuscola(a) == minuscola(b); });
    return parola.empty() || trovata != campo.end();
}

int16_t in_16_bit(double valore) {
    if (!(valore >= std::numeric_limits<int16_t>::min() &&
          valore <= std::numeric_limits<int16_t>::max())) {
        throw ErroreLettura("value " + std::to_string(valore) + " does not fit in 16 bits");
    }
    return static_cast<int16_t>(valore);
}

int32_t in_32_bit(int64_t valore) {
    if (valore < std::numeric_limits<int32_t>::min() ||
        valore > std::numeric_limits<int32_t>::max()) {
        throw ErroreLettura("value " + std::to_string(valore) + " does not fit in 32 bits");
    }
    return static_cast<int32_t>(valore);
}

}  // namespace scenario
