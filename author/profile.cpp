#include "author/profile.h"

#include <array>
#include <cstdint>

namespace scenario::autore {

namespace {

constexpr int32_t metri_per_cella = 50;
constexpr int32_t pendenza_piana = 100;   // `pendenza` of a level cell
constexpr int32_t km_h_per_velocita = 5;  // `velocita` is the limit divided by 5

std::string numero(int32_t n) { return std::to_string(n); }

// A signal packs each aspect pair as s · 10 + d.
std::string coppia(int16_t dato) {
    if (dato < 0) {
        return numero(dato);
    }
    return numero(dato / 10) + "/" + numero(dato % 10);
}

// `dato4` of a signal: rapp · 10 + sx · 3 + dx.
std::string segnale(const Cella& cella) {
    std::string testo = "segnale s1/d1 " + coppia(cella.dato1);
    if (cella.dato2 != 0) {
        testo += " s2/d2 " + coppia(cella.dato2);
    }
    if (cella.dato3 != 0) {
        testo += " s3/d3 " + coppia(cella.dato3);
    }
    if (cella.dato4 < 0) {
        testo += " dato4 " + numero(cella.dato4);
    } else {
        const int32_t genere = cella.dato4 % 10;
        testo += " sx/dx " + numero(genere / 3) + "/" + numero(genere % 3);
        if (cella.dato4 >= 10) {
            testo += " rapp " + numero(cella.dato4 / 10);
        }
    }
    if (cella.tempo != 0) {
        testo += " tempo " + numero(cella.tempo);
    }
    return testo;
}

// Start, end and warning of a slowdown carry its speed in `dato1` and the
// second speed `d_v` in `dato2` when there is one; start and end also `f_tt`.
std::string rallentamento(std::string_view cosa, const Cella& cella, bool con_f_tt) {
    std::string testo = std::string(cosa) + " " + numero(cella.dato1) + " km/h";
    if (cella.dato2 != 0) {
        testo += " d_v " + numero(cella.dato2);
    }
    if (con_f_tt) {
        testo += " f_tt " + numero(cella.dato3);
    }
    return testo;
}

// The table entry that a station stop or a signboard names, with its name
// when the table is there.
std::string voce_nominata(std::string_view cosa, int16_t voce, const Tabella* tabella) {
    std::string testo = std::string(cosa) + " " + numero(voce);
    if (tabella != nullptr && voce >= 0 && voce < static_cast<int16_t>(tabella->size())) {
        testo += ": " + nome_leggibile((*tabella)[static_cast<std::size_t>(voce)].nome);
    }
    return testo;
}

std::string oggetto(const Cella& cella, const Tabella* tabella) {
    switch (cella.tipo) {
    case tipo_cella::vuota:
        return "";
    case tipo_cella::segnale:
        return segnale(cella);
    case tipo_cella::fine_rallentamento:
        return rallentamento("fine rallentamento", cella, true);
    case tipo_cella::inizio_rallentamento:
        return rallentamento("inizio rallentamento", cella, true);
    case tipo_cella::avviso_rallentamento:
        return rallentamento("avviso di rallentamento", cella, false);
    case tipo_cella::preavviso_rallentamento:
        return "preavviso di rallentamento " + numero(cella.dato1);
    case tipo_cella::indicatori_v_max:
        return "indicatori di velocita' massima " + numero(cella.dato1) + " " +
               numero(cella.dato2) + " " + numero(cella.dato3) + " strisce " +
               numero(cella.dato4);
    case tipo_cella::fermata:
        return voce_nominata("fermata della stazione", cella.dato1, tabella);
    case tipo_cella::marca_montagna:
        return "marca di montagna";
    case tipo_cella::cambio_codice:
        return "cambio di codice " + numero(cella.dato1);
    case tipo_cella::taglio_codice:
        return "taglio di codice";
    case tipo_cella::cartello:
        return voce_nominata("cartello della voce", cella.dato1, tabella);
    default:
        return "tipo " + numero(cella.tipo) + " dato1 " + numero(cella.dato1) + " dato2 " +
               numero(cella.dato2) + " dato3 " + numero(cella.dato3) + " dato4 " +
               numero(cella.dato4);
    }
}

// Chainage of the start of cell k, k × 50 m, in km with three decimals.
std::string km(std::size_t indice) {
    const std::size_t metri = indice * metri_per_cella;
    const std::string millesimi = std::to_string(metri % 1000);
    return std::to_string(metri / 1000) + "." + std::string(3 - millesimi.size(), '0') + millesimi;
}

// A CSV field in double quotes when it holds a comma, a quote or a line end.
std::string campo_csv(const std::string& testo) {
    if (testo.find_first_of(",\"\r\n") == std::string::npos) {
        return testo;
    }
    std::string citato = "\"";
    for (const char c : testo) {
        citato += c == '"' ? std::string("\"\"") : std::string(1, c);
    }
    return citato + '"';
}

constexpr std::size_t colonne = 8;

constexpr std::array<std::string_view, colonne> intestazioni_csv{
    "cella",         "km (inizio della cella = cella x 0.05)",
    "pendenza",      "velocita (km/h)",
    "aderenza",      "montagna",
    "preavviso",     "oggetti"};

constexpr std::array<std::string_view, colonne> intestazioni_testo{
    "cella", "km", "pendenza", "km/h", "aderenza", "montagna", "preavviso", "oggetti"};

// Widths of the text columns but the last, right-aligned.
constexpr std::array<std::size_t, colonne - 1> larghezze{5, 7, 8, 5, 8, 8, 9};

constexpr std::string_view spiegazione =
    "# km: dall'origine della linea all'inizio della cella (cella k = k x 0.05 km, 50 m per "
    "cella); un oggetto posto a p metri sta nella cella p/50 + 1.\n"
    "# pendenza: quella della descrizione della linea, vuota dove la cella non l'ha; km/h: "
    "limite di velocita'; montagna: tipo di tratto, vuoto fuori dai tratti; preavviso: segno "
    "di avvicinamento a un segnale o a una fermata, vuoto se non c'e'.\n";

std::array<std::string, colonne> riga(const Cella& cella, std::size_t indice,
                                      const Tabella* tabella) {
    std::string descritti = oggetto(cella, tabella);
    // The file's markers on cell 1 (5121 and the check code).
    if (indice == 1 && cella.tipo == tipo_cella::vuota && (cella.dato1 != 0 || cella.dato2 != 0)) {
        descritti = "marcatore " + numero(cella.dato1) + ", codice di controllo " +
                    numero(cella.dato2);
    }
    const auto se_non_zero = [](int32_t valore) { return valore == 0 ? "" : numero(valore); };
    return {std::to_string(indice),
            km(indice),
            cella.pendenza == 0 ? "" : numero(cella.pendenza - pendenza_piana),
            numero(cella.velocita * km_h_per_velocita),
            numero(cella.aderenza),
            se_non_zero(cella.montagna),
            se_non_zero(cella.preavviso),
            std::move(descritti)};
}

std::string allineata(const std::array<std::string_view, colonne>& campi) {
    std::string testo;
    for (std::size_t i = 0; i < larghezze.size(); ++i) {
        testo += std::string(larghezze[i] > campi[i].size() ? larghezze[i] - campi[i].size() : 0, ' ');
        testo += campi[i];
        testo += ' ';
    }
    testo += ' ';
    testo += campi.back();
    while (!testo.empty() && testo.back() == ' ') {
        testo.pop_back();
    }
    return testo + '\n';
}

std::string in_csv(const std::array<std::string_view, colonne>& campi) {
    std::string testo;
    for (std::size_t i = 0; i < campi.size(); ++i) {
        testo += i > 0 ? "," : "";
        testo += campo_csv(std::string(campi[i]));
    }
    return testo + '\n';
}

}  // namespace

std::string profilo(const std::vector<Cella>& celle, const Tabella* tabella,
                    FormatoProfilo formato) {
    const auto scrivi = formato == FormatoProfilo::csv ? in_csv : allineata;
    std::string testo = formato == FormatoProfilo::csv ? "" : std::string(spiegazione);
    testo += scrivi(formato == FormatoProfilo::csv ? intestazioni_csv : intestazioni_testo);
    for (std::size_t i = 0; i < celle.size(); ++i) {
        const auto campi = riga(celle[i], i, tabella);
        std::array<std::string_view, colonne> viste;
        for (std::size_t c = 0; c < colonne; ++c) {
            viste[c] = campi[c];
        }
        testo += scrivi(viste);
    }
    return testo;
}

}  // namespace scenario::autore
