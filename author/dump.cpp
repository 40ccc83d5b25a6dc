#include "author/dump.h"

#include <array>
#include <charconv>
#include <cmath>
#include <concepts>
#include <utility>
#include <variant>
#include <vector>

#include "compiler/compiled_files.h"

namespace scenario::autore {

namespace {

using Coppie = std::vector<std::pair<std::string_view, std::string>>;

char cifra_esadecimale(unsigned valore) {
    return "0123456789ABCDEF"[valore & 0xF];
}

// A name of the table between double quotes. Its bytes are in the system's
// single-byte character set: outside printable ASCII each is written as an
// escape, \xNN in text and, read as Latin-1, \u00NN in JSON.
std::string citato(std::string_view testo, Formato formato) {
    std::string uscita = "\"";
    for (const char c : testo) {
        const auto codice = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            uscita += '\\';
            uscita += c;
        } else if (codice < 0x20 || codice >= 0x7F) {
            uscita += formato == Formato::json ? "\\u00" : "\\x";
            uscita += cifra_esadecimale(codice >> 4u);
            uscita += cifra_esadecimale(codice);
        } else {
            uscita += c;
        }
    }
    return uscita + '"';
}

template <std::integral T>
std::string valore(T numero, Formato) {
    return std::to_string(numero);
}

std::string valore(const std::string& testo, Formato formato) { return citato(testo, formato); }

template <typename Record, typename Campi>
void aggiungi_campi(Coppie& coppie, const Record& record, const Campi& campi, Formato formato) {
    std::apply(
        [&](const auto&... campo) {
            (coppie.emplace_back(campo.nome, valore(record.*campo.membro, formato)), ...);
        },
        campi);
}

std::string riga(const Coppie& coppie, Formato formato) {
    std::string uscita = formato == Formato::json ? "{" : "";
    for (std::size_t i = 0; i < coppie.size(); ++i) {
        const auto& [nome, testo] = coppie[i];
        if (formato == Formato::json) {
            uscita += i > 0 ? ", \"" : "\"";
            uscita += nome;
            uscita += "\": ";
        } else {
            uscita += i > 0 ? " " : "";
            uscita += nome;
            uscita += '=';
        }
        uscita += testo;
    }
    return formato == Formato::json ? uscita + "}" : uscita;
}

// Text: a comment line, then one record per line. JSON: one object naming
// the file, with the list of records, one per line.
std::string documento(std::string_view commento, std::string_view nome, std::string_view lista,
                      const std::vector<std::string>& righe, Formato formato) {
    std::string uscita;
    if (formato == Formato::testo) {
        uscita = "# " + std::string(commento) + "\n";
        for (const std::string& r : righe) {
            uscita += r + "\n";
        }
        return uscita;
    }
    uscita = "{\"file\": \"" + std::string(nome) + "\", \"" + std::string(lista) + "\": [";
    for (std::size_t i = 0; i < righe.size(); ++i) {
        uscita += i > 0 ? ",\n" : "\n";
        uscita += righe[i];
    }
    return uscita + "\n]}\n";
}

std::string decodifica_celle(std::string_view byte, Formato formato) {
    const std::vector<Cella> celle = celle_dai_byte(byte);
    std::vector<std::string> righe;
    for (std::size_t i = 0; i < celle.size(); ++i) {
        Coppie coppie{{"cella", std::to_string(i)},
                      {"byte", std::to_string(i * compilato::byte_per_cella)}};
        aggiungi_campi(coppie, celle[i], compilato::campi_cella, formato);
        righe.push_back(riga(coppie, formato));
    }
    const std::string commento = "file delle celle: " + std::to_string(celle.size()) +
                                 " celle di " + std::to_string(compilato::byte_per_cella) +
                                 " byte; la cella k copre i metri da 50 k a 50 k + 49";
    return documento(commento, "celle", "celle", righe, formato);
}

std::string decodifica_tabella(std::string_view byte, Formato formato) {
    const auto tabella = tabella_dai_byte(byte);
    std::vector<std::string> righe;
    std::size_t inizio = 0;
    for (std::size_t i = 0; i < tabella.size(); ++i) {
        Coppie coppie{{"voce", std::to_string(i)}, {"byte", std::to_string(inizio)}};
        aggiungi_campi(coppie, tabella[i], compilato::campi_voce, formato);
        righe.push_back(riga(coppie, formato));
        std::string record;
        compilato::metti_record(record, tabella[i], compilato::campi_voce);
        inizio += record.size();
    }
    const std::string commento =
        "tabella: " + std::to_string(tabella.size()) +
        " voci; stazioni dalla voce 1, testi dei cartelli dalla 80 in giu', impostazioni nelle "
        "voci da 81 a 86";
    return documento(commento, "tabella", "voci", righe, formato);
}

uint16_t etichetta_di(const ValorePiano& valore) {
    if (std::holds_alternative<int16_t>(valore)) {
        return etichetta::intero;
    }
    if (std::holds_alternative<double>(valore)) {
        return etichetta::reale;
    }
    return etichetta::vuoto;
}

std::string valore_piano(const ValorePiano& valore, Formato formato) {
    if (const auto* intero = std::get_if<int16_t>(&valore)) {
        return std::to_string(*intero);
    }
    if (const auto* reale = std::get_if<double>(&valore)) {
        if (formato == Formato::json && !std::isfinite(*reale)) {
            return "null";
        }
        return reale_esatto(*reale);
    }
    return formato == Formato::json ? "null" : "vuoto";
}

std::string decodifica_tracciato(std::string_view byte, Formato formato) {
    const Tracciato tracciato = tracciato_dai_byte(byte);
    std::vector<std::string> righe;
    for (std::size_t metro = 0; metro < tracciato.size(); ++metro) {
        const auto& [x, y] = tracciato[metro];
        Coppie coppie{{"metro", std::to_string(metro)},
                      {"x", valore_piano(x, formato)},
                      {"y", valore_piano(y, formato)}};
        if (formato == Formato::json) {
            coppie.emplace_back("etichetta_x", std::to_string(etichetta_di(x)));
            coppie.emplace_back("etichetta_y", std::to_string(etichetta_di(y)));
        }
        righe.push_back(riga(coppie, formato));
    }
    const std::string commento =
        "tracciato: " + std::to_string(tracciato.size()) +
        " metri; x = coordinata 0 (di traverso, positiva a destra), y = coordinata 1 (lungo la "
        "direzione di partenza); un intero e' scritto senza punto, un reale con il punto o "
        "l'esponente, vuoto se mai posato";
    return documento(commento, "tracciato", "metri", righe, formato);
}

}  // namespace

std::string reale_esatto(double valore) {
    std::array<char, 32> cifre{};
    const auto fine = std::to_chars(cifre.data(), cifre.data() + cifre.size(), valore).ptr;
    std::string testo(cifre.data(), fine);
    if (std::isfinite(valore) && testo.find_first_of(".e") == std::string::npos) {
        testo += ".0";
    }
    return testo;
}

std::string decodifica(Genere genere, std::string_view byte, Formato formato) {
    switch (genere) {
    case Genere::celle:
        return decodifica_celle(byte, formato);
    case Genere::tabella:
        return decodifica_tabella(byte, formato);
    case Genere::tracciato:
        return decodifica_tracciato(byte, formato);
    }
    return {};
}

}  // namespace scenario::autore
