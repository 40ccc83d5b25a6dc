#include "author/plot.h"

#include <algorithm>
#include <cmath>
#include <set>
#include <span>
#include <variant>

#include "author/svg.h"

namespace scenario::autore {

namespace {

// The page.
constexpr double larghezza = 1200;
constexpr double margine = 20;
constexpr double altezza_titolo = 50;

// The plan: the line is fitted into this box, room for names on both sides.
constexpr double piano_sinistra = 240;
constexpr double piano_larghezza = larghezza - 2 * piano_sinistra;
constexpr double piano_altezza_massima = 900;
constexpr double passo_piano = 20;  // metres between points of the drawn line

// The chart.
constexpr double grafico_sinistra = 105;  // room for the names of the rows under the chart
constexpr double grafico_larghezza = larghezza - grafico_sinistra - 85;
constexpr double grafico_altezza = 240;

constexpr double metri_per_cella = 50;
constexpr int32_t pendenza_piana = 100;
constexpr double km_h_per_velocita = 5;

// Letters of the names, for fitting them (a generous average width).
constexpr double corpo_nomi = 11;
constexpr double larghezza_lettera = 0.66 * corpo_nomi;

namespace colore {
constexpr const char* linea = "#333333";
constexpr const char* stazione = "#000000";
constexpr const char* segnale = "#d62728";
constexpr const char* rallentamento = "#ff7f0e";
constexpr const char* codice = "#1f5fbf";
constexpr const char* velocita = "#1f77b4";
constexpr const char* pendenza = "#8c564b";
constexpr const char* griglia = "#dddddd";
}  // namespace colore

struct Punto {
    double x = 0;
    double y = 0;
};

struct Scatola {
    double sinistra, alto, destra, basso;

    bool contiene(Punto p) const {
        return p.x >= sinistra && p.x <= destra && p.y >= alto && p.y <= basso;
    }
    bool tocca(const Scatola& altra) const {
        return sinistra < altra.destra && altra.sinistra < destra && alto < altra.basso &&
               altra.alto < basso;
    }
};

std::optional<double> coordinata(const ValorePiano& valore) {
    if (const auto* intero = std::get_if<int16_t>(&valore)) {
        return static_cast<double>(*intero);
    }
    if (const auto* reale = std::get_if<double>(&valore); reale != nullptr && std::isfinite(*reale)) {
        return *reale;
    }
    return std::nullopt;
}

// A metre of the plan that was laid, in metres east (x) and north (y): the
// line starts heading north, coordinate 0 runs to its right.
std::optional<Punto> metro_posato(const Tracciato& tracciato, double metro) {
    if (!(metro >= 0) || tracciato.empty()) {
        return std::nullopt;
    }
    const auto indice =
        std::min(static_cast<std::size_t>(metro), tracciato.size() - 1);
    const auto x = coordinata(tracciato[indice][0]);
    const auto y = coordinata(tracciato[indice][1]);
    if (!x || !y) {
        return std::nullopt;
    }
    return Punto{*x, *y};
}

// One slowdown: from its start cell to the first end cell after it.
struct Rallentamento {
    double inizio = 0;
    double fine = 0;
    int16_t velocita = 0;
};

std::vector<Rallentamento> rallentamenti(const std::vector<Cella>& celle) {
    std::vector<Rallentamento> trovati;
    for (std::size_t i = 0; i < celle.size(); ++i) {
        if (celle[i].tipo != tipo_cella::inizio_rallentamento) {
            continue;
        }
        std::size_t fine = i;
        while (fine + 1 < celle.size() && celle[fine].tipo != tipo_cella::fine_rallentamento) {
            ++fine;
        }
        trovati.push_back({static_cast<double>(i) * metri_per_cella,
                           static_cast<double>(fine) * metri_per_cella, celle[i].dato1});
    }
    return trovati;
}

// Cells of the given types, by the metre where they start.
std::vector<double> metri_delle_celle(const std::vector<Cella>& celle,
                                      std::initializer_list<uint8_t> tipi) {
    std::vector<double> metri;
    for (std::size_t i = 0; i < celle.size(); ++i) {
        if (std::find(tipi.begin(), tipi.end(), celle[i].tipo) != tipi.end()) {
            metri.push_back(static_cast<double>(i) * metri_per_cella);
        }
    }
    return metri;
}

// A round step (1, 2 or 5 times a power of ten) that puts at least
// `minimo` pixels between ticks.
double passo_tondo(double unita_per_pixel, double minimo) {
    const double grezzo = std::max(unita_per_pixel * minimo, 1e-9);
    const double potenza = std::pow(10.0, std::floor(std::log10(grezzo)));
    for (const double fattore : {1.0, 2.0, 5.0, 10.0}) {
        if (fattore * potenza >= grezzo) {
            return fattore * potenza;
        }
    }
    return 10 * potenza;
}

std::string numero_asse(double valore) {
    const double arrotondato = std::round(valore * 10) / 10;
    return misura(arrotondato == 0 ? 0.0 : arrotondato);
}

// Path data of a polyline.
std::string percorso(std::span<const Punto> punti) {
    std::string d;
    for (std::size_t i = 0; i < punti.size(); ++i) {
        d += i == 0 ? "M" : " L";
        d += misura(punti[i].x);
        d += ' ';
        d += misura(punti[i].y);
    }
    return d;
}

// Path data of a closed outline.
std::string poligono(std::initializer_list<Punto> punti) {
    std::string d = percorso(punti);
    d += " Z";
    return d;
}

void linea(Svg& svg, Punto a, Punto b, const char* colore, double spessore,
           std::string_view tratteggio = "") {
    Attributi attributi{{"x1", misura(a.x)}, {"y1", misura(a.y)},    {"x2", misura(b.x)},
                        {"y2", misura(b.y)}, {"stroke", colore}, {"stroke-width", misura(spessore)}};
    if (!tratteggio.empty()) {
        attributi.emplace_back("stroke-dasharray", std::string(tratteggio));
    }
    svg.elemento("line", attributi);
}

void scritta(Svg& svg, Punto dove, std::string_view contenuto, double corpo,
             std::string_view ancora = "start", std::string_view peso = "",
             std::string_view colore = "") {
    Attributi attributi{{"x", misura(dove.x)},
                        {"y", misura(dove.y)},
                        {"font-size", misura(corpo)},
                        {"text-anchor", std::string(ancora)}};
    if (!peso.empty()) {
        attributi.emplace_back("font-weight", std::string(peso));
    }
    if (!colore.empty()) {
        attributi.emplace_back("fill", std::string(colore));
    }
    svg.testo(attributi, contenuto);
}

// A text turned by `gradi` around the point where it starts.
void scritta_ruotata(Svg& svg, Punto dove, double gradi, std::string_view contenuto, double corpo,
                     const char* colore, std::string_view ancora) {
    std::string rotazione = "rotate(";
    rotazione += misura(gradi);
    rotazione += ' ';
    rotazione += misura(dove.x);
    rotazione += ' ';
    rotazione += misura(dove.y);
    rotazione += ')';
    svg.testo({{"x", misura(dove.x)},
               {"y", misura(dove.y)},
               {"font-size", misura(corpo)},
               {"text-anchor", std::string(ancora)},
               {"fill", colore},
               {"transform", rotazione}},
              contenuto);
}

// The symbols of the drawing, the same in the plan, the chart and the legend.
namespace simbolo {

void stazione(Svg& svg, Punto p) {
    svg.elemento("circle", {{"cx", misura(p.x)},
                            {"cy", misura(p.y)},
                            {"r", "4.5"},
                            {"fill", "#ffffff"},
                            {"stroke", colore::stazione},
                            {"stroke-width", "1.8"}});
}

void segnale(Svg& svg, Punto p) {
    svg.elemento("rect", {{"x", misura(p.x - 3)},
                          {"y", misura(p.y - 3)},
                          {"width", "6"},
                          {"height", "6"},
                          {"fill", colore::segnale}});
}

void avviso(Svg& svg, Punto p) {
    svg.elemento("path",
                 {{"d", poligono({{p.x, p.y - 5}, {p.x + 4.5, p.y + 3.5}, {p.x - 4.5, p.y + 3.5}})},
                  {"fill", colore::rallentamento}});
}

void codice(Svg& svg, Punto p) {
    svg.elemento("path", {{"d", poligono({{p.x, p.y - 4.5},
                                          {p.x + 4.5, p.y},
                                          {p.x, p.y + 4.5},
                                          {p.x - 4.5, p.y}})},
                          {"fill", colore::codice}});
}

}  // namespace simbolo

// Places each station's name beside its point, trying both sides and then
// further up and down, so that it covers neither the line nor another name.
class Etichette {
public:
    Etichette(std::vector<Punto> ostacoli, double limite_destro)
        : ostacoli_(std::move(ostacoli)), limite_destro_(limite_destro) {}

    void metti(Svg& svg, Punto punto, const std::string& nome) {
        const double largo = larghezza_lettera * static_cast<double>(nome.size()) + 2;
        for (const double spostamento : {0.0, -14.0, 14.0, -28.0, 28.0, -42.0, 42.0}) {
            for (const bool a_destra : {true, false}) {
                const double base = punto.y + spostamento + 4;
                const double inizio = a_destra ? punto.x + 9 : punto.x - 9 - largo;
                const Scatola scatola{inizio, base - 10, inizio + largo, base + 3};
                if (libera(scatola)) {
                    scrivi(svg, punto, scatola, a_destra, nome);
                    return;
                }
            }
        }
        scrivi(svg, punto, {punto.x + 9, punto.y - 6, punto.x + 9 + largo, punto.y + 7}, true, nome);
    }

private:
    bool libera(const Scatola& scatola) const {
        if (scatola.sinistra < margine || scatola.destra > limite_destro_) {
            return false;
        }
        const Scatola larga{scatola.sinistra - 2, scatola.alto - 2, scatola.destra + 2,
                            scatola.basso + 2};
        return std::none_of(ostacoli_.begin(), ostacoli_.end(),
                            [&](Punto p) { return larga.contiene(p); }) &&
               std::none_of(occupate_.begin(), occupate_.end(),
                            [&](const Scatola& s) { return s.tocca(larga); });
    }

    void scrivi(Svg& svg, Punto punto, const Scatola& scatola, bool a_destra,
                const std::string& nome) {
        const double base = scatola.basso - 3;
        if (std::abs(base - 4 - punto.y) > 1) {
            // A name moved away from its station gets a leader.
            const double lato = a_destra ? scatola.sinistra - 1 : scatola.destra + 1;
            linea(svg, punto, {lato, base - 4}, "#888888", 0.7);
        }
        scritta(svg, {a_destra ? scatola.sinistra : scatola.destra, base}, nome, corpo_nomi,
                a_destra ? "start" : "end");
        occupate_.push_back(scatola);
    }

    std::vector<Punto> ostacoli_;
    std::vector<Scatola> occupate_;
    double limite_destro_;
};

// Where the plan goes on the page.
class Pianta {
public:
    Pianta(const Tracciato& tracciato, double alto) : tracciato_(tracciato) {
        double min_x = 0, max_x = 0, min_y = 0, max_y = 0;
        bool primo = true;
        for (double metro = 0; metro < static_cast<double>(tracciato.size()); metro += passo_piano) {
            if (const auto p = metro_posato(tracciato, metro)) {
                min_x = primo ? p->x : std::min(min_x, p->x);
                max_x = primo ? p->x : std::max(max_x, p->x);
                min_y = primo ? p->y : std::min(min_y, p->y);
                max_y = primo ? p->y : std::max(max_y, p->y);
                primo = false;
            }
        }
        const double largo = std::max(max_x - min_x, 1.0);
        const double lungo = std::max(max_y - min_y, 1.0);
        scala_ = std::min(piano_larghezza / largo, piano_altezza_massima / lungo);
        centro_x_ = (min_x + max_x) / 2;
        max_y_ = max_y;
        alto_ = alto;
        altezza_ = lungo * scala_;
    }

    double altezza() const { return altezza_; }
    double scala() const { return scala_; }

    Punto sulla_pagina(Punto p) const {
        return {larghezza / 2 + (p.x - centro_x_) * scala_, alto_ + (max_y_ - p.y) * scala_};
    }

    std::optional<Punto> al_metro(double metro) const {
        if (const auto p = metro_posato(tracciato_, metro)) {
            return sulla_pagina(*p);
        }
        return std::nullopt;
    }

    // The drawn line from `da` to `a` metres, one point every `passo`; the
    // parts never laid break it.
    std::vector<std::vector<Punto>> tratti(double da, double a, double passo) const {
        std::vector<std::vector<Punto>> risultato(1);
        for (double metro = da;; metro = std::min(metro + passo, a)) {
            if (const auto p = al_metro(metro)) {
                risultato.back().push_back(*p);
            } else if (!risultato.back().empty()) {
                risultato.emplace_back();
            }
            if (metro >= a) {
                break;
            }
        }
        return risultato;
    }

    double ultimo_metro() const { return static_cast<double>(tracciato_.size()) - 1; }

private:
    const Tracciato& tracciato_;
    double scala_ = 1;
    double centro_x_ = 0;
    double max_y_ = 0;
    double alto_ = 0;
    double altezza_ = 0;
};

void segmenti(Svg& svg, const std::vector<std::vector<Punto>>& tratti, const char* colore,
              double spessore, std::string_view opacita = "1") {
    for (const auto& tratto : tratti) {
        if (tratto.size() < 2) {
            continue;
        }
        svg.elemento("path", {{"d", percorso(tratto)},
                              {"fill", "none"},
                              {"stroke", colore},
                              {"stroke-width", misura(spessore)},
                              {"stroke-opacity", std::string(opacita)},
                              {"stroke-linejoin", "round"}});
    }
}

// Points every 3 pixels along the drawn line, for keeping names off it.
std::vector<Punto> punti_fitti(const std::vector<std::vector<Punto>>& tratti) {
    std::vector<Punto> punti;
    for (const auto& tratto : tratti) {
        for (std::size_t i = 0; i + 1 < tratto.size(); ++i) {
            const Punto a = tratto[i];
            const Punto b = tratto[i + 1];
            const double lunghezza = std::hypot(b.x - a.x, b.y - a.y);
            const auto passi = static_cast<int>(std::ceil(std::min(lunghezza, 2000.0) / 3));
            for (int n = 0; n < std::max(passi, 1); ++n) {
                const double t = static_cast<double>(n) / std::max(passi, 1);
                punti.push_back({a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t});
            }
        }
        if (!tratto.empty()) {
            punti.push_back(tratto.back());
        }
    }
    return punti;
}

void freccia_nord(Svg& svg, Punto base) {
    svg.elemento("path", {{"d", poligono({{base.x, base.y - 30},
                                          {base.x + 7, base.y},
                                          {base.x, base.y - 8},
                                          {base.x - 7, base.y}})},
                          {"fill", colore::linea}});
    scritta(svg, {base.x, base.y - 36}, "N", 14, "middle", "bold");
}

void barra_scala(Svg& svg, Punto inizio, double scala) {
    const double metri = passo_tondo(1 / scala, 80);
    const double lunga = metri * scala;
    linea(svg, inizio, {inizio.x + lunga, inizio.y}, colore::linea, 2);
    linea(svg, {inizio.x, inizio.y - 4}, {inizio.x, inizio.y + 4}, colore::linea, 1.5);
    linea(svg, {inizio.x + lunga, inizio.y - 4}, {inizio.x + lunga, inizio.y + 4}, colore::linea, 1.5);
    const std::string testo = metri >= 1000 ? numero_asse(metri / 1000) + " km" : numero_asse(metri) + " m";
    scritta(svg, {inizio.x + lunga / 2, inizio.y - 8}, testo, 11, "middle");
}

// The plan, from `alto` down; returns where it ends.
double disegna_pianta(Svg& svg, const Compilati& compilati, const std::vector<Stazione>& elenco,
                      double alto) {
    scritta(svg, {margine, alto + 16}, "Pianta della linea (nord in alto)", 15, "start", "bold");
    alto += 40;
    if (!compilati.tracciato || compilati.tracciato->empty()) {
        scritta(svg, {margine, alto + 10},
                "Nessun tracciato: lo scenario e' stato compilato senza, o il file manca.", 12);
        return alto + 30;
    }
    const Pianta pianta(*compilati.tracciato, alto);
    const auto linea_intera = pianta.tratti(0, pianta.ultimo_metro(), passo_piano);
    segmenti(svg, linea_intera, colore::linea, 2.2);

    for (const Rallentamento& r : rallentamenti(compilati.celle)) {
        segmenti(svg, pianta.tratti(r.inizio, r.fine, 10), colore::rallentamento, 7, "0.75");
    }
    for (const double metro : metri_delle_celle(compilati.celle, {tipo_cella::avviso_rallentamento})) {
        if (const auto p = pianta.al_metro(metro)) {
            simbolo::avviso(svg, *p);
        }
    }
    for (const double metro : metri_delle_celle(compilati.celle, {tipo_cella::segnale})) {
        if (const auto p = pianta.al_metro(metro)) {
            simbolo::segnale(svg, *p);
        }
    }
    for (const double metro : metri_delle_celle(compilati.celle,
                                                {tipo_cella::cambio_codice, tipo_cella::taglio_codice})) {
        if (const auto p = pianta.al_metro(metro)) {
            simbolo::codice(svg, *p);
        }
    }

    std::vector<Punto> ostacoli = punti_fitti(linea_intera);
    std::vector<std::pair<Punto, const Stazione*>> posti;
    for (const Stazione& stazione : elenco) {
        if (const auto p = pianta.al_metro(stazione.posizione)) {
            posti.emplace_back(*p, &stazione);
            for (const double dx : {-5.0, 0.0, 5.0}) {
                for (const double dy : {-5.0, 0.0, 5.0}) {
                    ostacoli.push_back({p->x + dx, p->y + dy});
                }
            }
        }
    }
    Etichette etichette(std::move(ostacoli), larghezza - margine);
    for (const auto& [punto, stazione] : posti) {
        simbolo::stazione(svg, punto);
        etichette.metti(svg, punto, stazione->nome);
    }

    freccia_nord(svg, {larghezza - margine - 30, alto + 40});
    const double fine = alto + pianta.altezza();
    barra_scala(svg, {margine + 10, fine + 20}, pianta.scala());
    return fine + 40;
}

struct VoceLegenda {
    void (*disegna)(Svg&, Punto);
    std::string_view testo;
};

void tratto_rallentamento(Svg& svg, Punto p) {
    linea(svg, {p.x - 9, p.y}, {p.x + 9, p.y}, colore::rallentamento, 7);
}
void tratto_velocita(Svg& svg, Punto p) {
    linea(svg, {p.x - 9, p.y}, {p.x + 9, p.y}, colore::velocita, 2);
}
void tratto_pendenza(Svg& svg, Punto p) {
    svg.elemento("rect", {{"x", misura(p.x - 9)},
                          {"y", misura(p.y - 5)},
                          {"width", "18"},
                          {"height", "10"},
                          {"fill", colore::pendenza},
                          {"fill-opacity", "0.25"},
                          {"stroke", colore::pendenza}});
}
void tratto_velocita_rallentamento(Svg& svg, Punto p) {
    linea(svg, {p.x - 9, p.y}, {p.x + 9, p.y}, colore::rallentamento, 2.5, "5 3");
}

double disegna_legenda(Svg& svg, double alto) {
    const VoceLegenda voci[] = {
        {simbolo::stazione, "stazione"},
        {simbolo::segnale, "segnale"},
        {tratto_rallentamento, "rallentamento (inizio-fine)"},
        {simbolo::avviso, "avviso di rallentamento"},
        {simbolo::codice, "cambio o taglio di codice"},
        {tratto_velocita, "limite di velocita' (km/h)"},
        {tratto_velocita_rallentamento, "velocita' del rallentamento"},
        {tratto_pendenza, "pendenza (per mille)"},
    };
    scritta(svg, {margine, alto + 14}, "Legenda", 12, "start", "bold");
    double x = margine + 70;
    double y = alto + 10;
    for (const VoceLegenda& voce : voci) {
        const double largo = 30 + 6.5 * static_cast<double>(voce.testo.size());
        if (x + largo > larghezza - margine) {
            x = margine + 70;
            y += 22;
        }
        voce.disegna(svg, {x + 9, y});
        scritta(svg, {x + 24, y + 4}, voce.testo, 11);
        x += largo + 14;
    }
    return y + 24;
}

// The chart of gradient and speed limit along the line, from `alto` down.
double disegna_grafico(Svg& svg, const Compilati& compilati, const std::vector<Stazione>& elenco,
                       double alto) {
    const std::vector<Cella>& celle = compilati.celle;
    scritta(svg, {margine, alto + 16}, "Pendenza e limite di velocita' lungo la linea", 15, "start",
            "bold");
    // The names of the stations stand upright above the chart: room for the
    // longest.
    std::size_t nome_piu_lungo = 0;
    for (const Stazione& stazione : elenco) {
        nome_piu_lungo = std::max(nome_piu_lungo, stazione.nome.size());
    }
    const double fascia_nomi =
        std::max(40.0, larghezza_lettera * (corpo_nomi - 1) / corpo_nomi *
                               static_cast<double>(nome_piu_lungo) + 20);
    const double cima = alto + 30 + fascia_nomi;
    const double fondo = cima + grafico_altezza;
    const double totale = std::max(static_cast<double>(celle.size()) * metri_per_cella, metri_per_cella);
    const auto x_di = [&](double metro) {
        return grafico_sinistra + std::clamp(metro, 0.0, totale) / totale * grafico_larghezza;
    };

    // Vertical scales: gradient on the left, speed on the right.
    double pendenza_min = 0, pendenza_max = 0, velocita_max = 0;
    for (const Cella& cella : celle) {
        if (cella.pendenza != 0) {
            const double g = cella.pendenza - pendenza_piana;
            pendenza_min = std::min(pendenza_min, g);
            pendenza_max = std::max(pendenza_max, g);
        }
        velocita_max = std::max(velocita_max, cella.velocita * km_h_per_velocita);
    }
    const auto elenco_rallentamenti = rallentamenti(celle);
    for (const Rallentamento& r : elenco_rallentamenti) {
        velocita_max = std::max(velocita_max, static_cast<double>(r.velocita));
    }
    const double passo_pendenza = passo_tondo((pendenza_max - pendenza_min + 2) / grafico_altezza, 35);
    pendenza_min = std::floor(pendenza_min / passo_pendenza - 1) * passo_pendenza;
    pendenza_max = std::ceil(pendenza_max / passo_pendenza + 1) * passo_pendenza;
    const double passo_velocita = passo_tondo((velocita_max + 10) / grafico_altezza, 35);
    velocita_max = std::ceil((velocita_max + 1) / passo_velocita) * passo_velocita;
    const auto y_pendenza = [&](double g) {
        return fondo - (g - pendenza_min) / (pendenza_max - pendenza_min) * grafico_altezza;
    };
    const auto y_velocita = [&](double v) {
        return fondo - std::clamp(v, 0.0, velocita_max) / velocita_max * grafico_altezza;
    };

    // Grid and axes.
    const double destra = grafico_sinistra + grafico_larghezza;
    const double passo_km = passo_tondo(totale / 1000 / grafico_larghezza, 45);
    for (double km = 0; km * 1000 <= totale + 1e-6; km += passo_km) {
        const double x = x_di(km * 1000);
        linea(svg, {x, cima}, {x, fondo}, colore::griglia, 1);
        scritta(svg, {x, fondo + 16}, numero_asse(km), 11, "middle");
    }
    for (double g = pendenza_min; g <= pendenza_max + 1e-9; g += passo_pendenza) {
        linea(svg, {grafico_sinistra, y_pendenza(g)}, {destra, y_pendenza(g)}, colore::griglia, 1);
        scritta(svg, {grafico_sinistra - 6, y_pendenza(g) + 4}, numero_asse(g), 11, "end", "", colore::pendenza);
    }
    for (double v = 0; v <= velocita_max + 1e-9; v += passo_velocita) {
        linea(svg, {destra, y_velocita(v)}, {destra + 5, y_velocita(v)}, colore::velocita, 1);
        scritta(svg, {destra + 8, y_velocita(v) + 4}, numero_asse(v), 11, "start", "", colore::velocita);
    }
    linea(svg, {grafico_sinistra, y_pendenza(0)}, {destra, y_pendenza(0)}, colore::pendenza, 0.8, "2 2");
    svg.elemento("rect", {{"x", misura(grafico_sinistra)},
                          {"y", misura(cima)},
                          {"width", misura(grafico_larghezza)},
                          {"height", misura(grafico_altezza)},
                          {"fill", "none"},
                          {"stroke", colore::linea}});
    scritta(svg, {grafico_sinistra + grafico_larghezza / 2, fondo + 34},
            "km dall'origine della linea (la cella k comincia a k x 0,05 km)", 12, "middle");
    scritta_ruotata(svg, {grafico_sinistra - 48, cima + grafico_altezza / 2}, -90,
                    "pendenza (per mille)", 12, colore::pendenza, "middle");
    scritta_ruotata(svg, {destra + 52, cima + grafico_altezza / 2}, 90,
                    "limite di velocita' (km/h)", 12, colore::velocita, "middle");

    // Each slowdown lightly shaded across the chart, from start to end.
    for (const Rallentamento& r : elenco_rallentamenti) {
        svg.elemento("rect", {{"x", misura(x_di(r.inizio))},
                              {"y", misura(cima)},
                              {"width", misura(std::max(x_di(r.fine) - x_di(r.inizio), 2.0))},
                              {"height", misura(grafico_altezza)},
                              {"fill", colore::rallentamento},
                              {"fill-opacity", "0.18"}});
    }

    // Gradient as an area from level, speed as a line, each stepping at the
    // cell boundaries; cells without a gradient break the area.
    std::vector<std::vector<Punto>> aree(1);
    std::vector<Punto> velocita;
    for (std::size_t i = 0; i < celle.size(); ++i) {
        const double da = x_di(static_cast<double>(i) * metri_per_cella);
        const double a = x_di(static_cast<double>(i + 1) * metri_per_cella);
        const double v = y_velocita(celle[i].velocita * km_h_per_velocita);
        velocita.push_back({da, v});
        velocita.push_back({a, v});
        if (celle[i].pendenza == 0) {
            if (!aree.back().empty()) {
                aree.emplace_back();
            }
            continue;
        }
        const double g = y_pendenza(celle[i].pendenza - pendenza_piana);
        aree.back().push_back({da, g});
        aree.back().push_back({a, g});
    }
    for (auto& area : aree) {
        if (area.empty()) {
            continue;
        }
        const double zero = y_pendenza(0);
        std::vector<Punto> chiusa{{area.front().x, zero}};
        chiusa.insert(chiusa.end(), area.begin(), area.end());
        chiusa.push_back({area.back().x, zero});
        svg.elemento("path", {{"d", percorso(chiusa) + " Z"},
                              {"fill", colore::pendenza},
                              {"fill-opacity", "0.25"},
                              {"stroke", colore::pendenza},
                              {"stroke-width", "1.2"}});
    }
    segmenti(svg, {velocita}, colore::velocita, 2);
    for (const Rallentamento& r : elenco_rallentamenti) {
        linea(svg, {x_di(r.inizio), y_velocita(r.velocita)}, {x_di(r.fine), y_velocita(r.velocita)},
              colore::rallentamento, 2.5, "5 3");
    }

    // The stations: a line across the chart and the name above it, pushed
    // right where names would touch.
    double prossima_x = 0;
    for (const Stazione& stazione : elenco) {
        const double x = x_di(stazione.posizione);
        linea(svg, {x, cima}, {x, fondo}, "#999999", 0.8, "3 3");
        const double nome_x = std::max(x, prossima_x);
        prossima_x = nome_x + corpo_nomi + 2;
        if (nome_x - x > 1) {
            linea(svg, {x, cima}, {nome_x, cima - 8}, "#999999", 0.8);
        }
        scritta_ruotata(svg, {nome_x + 4, cima - 10}, -90, stazione.nome, corpo_nomi - 1,
                        colore::stazione, "start");
    }

    // Rows of signals, slowdowns and code changes under the axis.
    const double riga_segnali = fondo + 56;
    const double riga_rallentamenti = fondo + 76;
    const double riga_codici = fondo + 96;
    scritta(svg, {grafico_sinistra - 8, riga_segnali + 4}, "segnali", 11, "end");
    scritta(svg, {grafico_sinistra - 8, riga_rallentamenti + 4}, "rallentamenti", 11, "end");
    scritta(svg, {grafico_sinistra - 8, riga_codici + 4}, "codici", 11, "end");
    for (const double metro : metri_delle_celle(celle, {tipo_cella::segnale})) {
        simbolo::segnale(svg, {x_di(metro), riga_segnali});
    }
    for (const Rallentamento& r : elenco_rallentamenti) {
        linea(svg, {x_di(r.inizio), riga_rallentamenti},
              {std::max(x_di(r.fine), x_di(r.inizio) + 3), riga_rallentamenti},
              colore::rallentamento, 7);
    }
    for (const double metro : metri_delle_celle(celle, {tipo_cella::avviso_rallentamento})) {
        simbolo::avviso(svg, {x_di(metro), riga_rallentamenti});
    }
    for (const double metro :
         metri_delle_celle(celle, {tipo_cella::cambio_codice, tipo_cella::taglio_codice})) {
        simbolo::codice(svg, {x_di(metro), riga_codici});
    }
    return riga_codici + 20;
}

}  // namespace

std::vector<Stazione> stazioni(const Compilati& compilati) {
    std::set<int32_t> cartelli;
    for (const Cella& cella : compilati.celle) {
        if (cella.tipo == tipo_cella::cartello) {
            cartelli.insert(cella.dato1);
        }
    }
    std::vector<Stazione> elenco;
    for (int32_t voce = voce::prima_stazione; voce <= voce::primo_cartello; ++voce) {
        const Voce& stazione = compilati.tabella[static_cast<std::size_t>(voce)];
        if (stazione == Voce{} || cartelli.contains(voce)) {
            break;
        }
        elenco.push_back({stazione.posizione, nome_leggibile(stazione.nome)});
    }
    return elenco;
}

std::string disegno(const Compilati& compilati) {
    const std::string linea_nome = nome_leggibile(compilati.tabella[voce::sfondi].nome);
    const std::string treno = nome_leggibile(compilati.tabella[voce::ripetizione].nome);
    const std::string titolo = linea_nome + ", treno " + treno;
    const std::vector<Stazione> elenco = stazioni(compilati);

    Svg svg(titolo);
    svg.elemento("rect", {{"width", "100%"}, {"height", "100%"}, {"fill", "#ffffff"}});
    svg.apri_gruppo({{"font-family", "DejaVu Sans, Arial, sans-serif"}, {"fill", "#222222"}});
    scritta(svg, {margine, 30}, titolo, 18, "start", "bold");
    double alto = disegna_pianta(svg, compilati, elenco, altezza_titolo);
    alto = disegna_legenda(svg, alto);
    alto = disegna_grafico(svg, compilati, elenco, alto + 10);
    svg.chiudi_gruppo();
    return svg.documento(larghezza, alto + margine);
}

}  // namespace scenario::autore
