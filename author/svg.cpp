#include "author/svg.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace scenario::autore {

std::string misura(double valore) {
    if (!std::isfinite(valore)) {
        return "0";
    }
    // Far beyond any page, and within what the conversion below can hold.
    constexpr double limite = 1e9;
    valore = std::clamp(valore, -limite, limite);
    // Tenths as a whole number, so that no locale puts a comma in.
    const auto decimi = static_cast<int64_t>(std::llround(valore * 10.0));
    const int64_t assoluto = decimi < 0 ? -decimi : decimi;
    std::string testo = decimi < 0 ? "-" : "";
    testo += std::to_string(assoluto / 10);
    if (assoluto % 10 != 0) {
        testo += '.';
        testo += std::to_string(assoluto % 10);
    }
    return testo;
}

std::string testo_xml(std::string_view testo) {
    std::string uscita;
    uscita.reserve(testo.size());
    for (const char c : testo) {
        switch (c) {
        case '&':
            uscita += "&amp;";
            break;
        case '<':
            uscita += "&lt;";
            break;
        case '>':
            uscita += "&gt;";
            break;
        case '"':
            uscita += "&quot;";
            break;
        case '\'':
            uscita += "&apos;";
            break;
        default:
            uscita += c;
        }
    }
    return uscita;
}

Svg::Svg(std::string_view titolo) : titolo_(testo_xml(titolo)) {}

void Svg::apri(std::string_view nome, const Attributi& attributi) {
    corpo_.append(static_cast<std::size_t>(gruppi_aperti_), ' ');
    corpo_ += '<';
    corpo_ += nome;
    for (const auto& [attributo, valore] : attributi) {
        corpo_ += ' ';
        corpo_ += attributo;
        corpo_ += "=\"";
        corpo_ += testo_xml(valore);
        corpo_ += '"';
    }
}

void Svg::elemento(std::string_view nome, const Attributi& attributi) {
    apri(nome, attributi);
    corpo_ += "/>\n";
}

void Svg::testo(const Attributi& attributi, std::string_view contenuto) {
    apri("text", attributi);
    corpo_ += '>';
    corpo_ += testo_xml(contenuto);
    corpo_ += "</text>\n";
}

void Svg::apri_gruppo(const Attributi& attributi) {
    apri("g", attributi);
    corpo_ += ">\n";
    ++gruppi_aperti_;
}

void Svg::chiudi_gruppo() {
    if (gruppi_aperti_ > 0) {
        --gruppi_aperti_;
        corpo_.append(static_cast<std::size_t>(gruppi_aperti_), ' ');
        corpo_ += "</g>\n";
    }
}

std::string Svg::documento(double larghezza, double altezza) const {
    const std::string l = misura(larghezza);
    const std::string a = misura(altezza);
    std::string uscita = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                         "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
                         l + "\" height=\"" + a + "\" viewBox=\"0 0 " + l + " " + a +
                         "\">\n<title>" + titolo_ + "</title>\n" + corpo_;
    for (int i = gruppi_aperti_; i > 0; --i) {
        uscita += "</g>\n";
    }
    return uscita + "</svg>\n";
}

}  // namespace scenario::autore
