#include "description/scenario_content.h"

#include "description/file_names.h"
#include "description/line_table.h"

namespace scenario {
namespace {

// The line: length, chainage references, backgrounds, cab-signal repetition,
// curves, gradients, "montagna" stretches, indicator boards and signboard.
constexpr std::string_view righe_linea[] = {
    "[generale]",
    "lunghezza percorso,    22500",
    "progressiva chilometrica uno,    0,    0,    0",
    "progressiva chilometrica due,    0,    0,    0",
    "progressiva chilometrica tre,    0,    0,    0",
    "sfondo uno,    1",
    "sfondo due,    0",
    "sfondo tre,    0",
    "ripetizione segnali 4 codici,    0    ,0",
    "[curve]",
    "curvad1,  2000,  3000",
    "curvas2,  7000,  2550",
    "curvas6,  22000,  300",
    "curvad6,  23800,  300",
    "curvad6,  24150,  300",
    "curvad6,  24500,  50",
    "[pendenze]",
    "pendenza,  0,   5",
    "pendenza,  3000,   3",
    "pendenza,  7000,   -4",
    "[montagne]",
    "montagna,   350,  850,  2",
    "montagna,   1000,  18450,  2",
    "montagna,   18500,  19500,  12",
    "montagna,   19550,  24450,  2",
    "[cartelli]",
    "indicatori_vmax,  500,  90,  90,  90,  0,  90,  90,  90,  0",
    "[indicazioni]",
    "cartello_indicatore,  900,   (PONTE SUL TORBIO)",
    "[fine]",
    fine_del_file,
};

// The train: settings, adhesion, speed limits, 21 stations, one slowdown and
// 19 signals. The "orologio" line ends in a space of its own.
constexpr std::string_view righe_treno[] = {
    "[generale]",
    "numero vetture,    4",
    "percentuale massa frenata,    120",
    "sabbia,    80",
    "orologio,    17              10            0 ",
    "[aderenze]",
    "aderenza,   0,    100",
    "aderenza,    2000,    96",
    "aderenza,    3000,   104",
    "[vel_limite]",
    "velocita,   0,    30",
    "velocita,      50,    90",
    "[stazioni]",
    "stazione,       0, 24,  700,  0, 0, 0,  0,0,0,  4,1,1,    1,  17,10, 0, CORVESCA",
    "stazione,    1300, 26,  300,  0, 0, 0,  0,0,0,  0,0,0,  160,   0, 0, 0, VALCHIARA'",
    "stazione,    2650, 26,  200,  0, 0, 0,  0,0,0,  0,0,0,    0,   0, 0, 0, ROSSAVELLA",
    "stazione,    3850, 26,  200,  0, 0, 0,  0,0,0,  0,0,0,    0,   0, 0, 0, MARCO TESSITORE",
    "stazione,    5500, 26,  200,  0, 0, 0,  0,0,0,  0,0,0,    0,   0, 0, 0, PIANO SERENO",
    "stazione,    7350, 26,  200,  0, 0, 0,  0,0,0,  0,0,0,    0,   0, 0, 0, CORTE DEI MERLAI",
    "stazione,    8700, 26,  400,  0, 0, 0,  0,0,0,  0,0,0,    0,   0, 0, 0, PORTA SALICE ORTENSE",
    "stazione,   10550, 26,  300,  0, 0, 0,  0,0,0,  0,0,0,    0,   0, 0, 0, ARCO DI PIETRALUNA",
    "stazione,   12200, 26,  600,  0, 0, 0,  0,0,0,  0,0,0,    0,   0, 0, 0, COLLI SERENI",
    "stazione,   13850, 26,  200,  0, 0, 0,  0,0,0,  0,0,0,    0,   0, 0, 0, PIAZZA LAVINA",
    "stazione,   15600, 26,  300,  0, 0, 0,  0,0,0,  0,0,0,    0,   0, 0, 0, PONTE VALLE",
    "stazione,   16800, 26,  200,  0, 0, 0,  0,0,0,  0,0,0,    0,   0, 0, 0, SAN BASILIDE",
    "stazione,   18000, 26,  500,  0, 0, 0,  0,0,0,  0,0,0,    0,   0, 0, 0, FERLANI",
    "stazione,   18750, 26,  200,  0, 0, 0,  0,0,0,  0,0,0,    0,   0, 0, 0, GIARDINO DEL PERO",
    "stazione,   19450, 26,  500,  0, 0, 0,  0,0,0,  0,0,0,    0,   0, 0, 0, SORVELO",
    "stazione,   20150, 26,  200,  0, 0, 0,  0,0,0,  0,0,0,    0,   0, 0, 0, CORTESELLA",
    "stazione,   20750, 26,  200,  0, 0, 0,  0,0,0,  0,0,0,    0,   0, 0, 0, MALVASINI",
    "stazione,   21300, 26,  200,  0, 0, 0,  0,0,0,  0,0,0,    0,   0, 0, 0, TORNEA",
    "stazione,   21900, 26,  200,  0, 0, 0,  0,0,0,  0,0,0,    0,   0, 0, 0, VERDANIO",
    "stazione,   22500, 26,  200,  0, 0, 0,  0,0,0,  0,0,0,    0,   0, 0, 0, BRENTIO",
    "stazione,   23400, 26,  500,  0, 0, 0,  0,0,0,  0,0,0,    0,  17,45, 0, SARVEDANO",
    "[rallentamenti]",
    "rallentamento,    2000,    60,  350, 1,  1,  60",
    "[segnali]",
    "segnale,    1850,   2, 4, 0,  0, 0,    2,  2,0,0, 0",
    "segnale,    3400,   2, 4, 0,  0, 0,    2,  2,0,0, 0",
    "segnale,    4550,   2, 4, 0,  0, 0,    2,  2,0,0, 0",
    "segnale,    6400,   2, 4, 0,  0, 0,    2,  2,0,0, 0",
    "segnale,    8150,   2, 4, 0,  0, 0,    2,  2,0,0, 0",
    "segnale,    9850,   2, 4, 0,  0, 0,    2,  2,0,0, 0",
    "segnale,   11500,   2, 4, 0,  0, 0,    2,  2,0,0, 0",
    "segnale,   13100,   2, 4, 0,  0, 0,    2,  2,0,0, 0",
    "segnale,   14700,   2, 4, 0,  0, 0,    2,  2,0,0, 0",
    "segnale,   16450,   2, 4, 0,  0, 0,    2,  2,0,0, 0",
    "segnale,   17500,   2, 4, 0,  0, 0,    2,  2,0,0, 0",
    "segnale,   18450,   2, 4, 0,  0, 0,    2,  2,0,0, 0",
    "segnale,   19100,   2, 4, 0,  0, 0,    2,  2,0,0, 0",
    "segnale,   20450,   2, 4, 0,  0, 0,    2,  2,0,0, 0",
    "segnale,   21600,   2, 4, 0,  0, 0,    2,  2,0,0, 0",
    "segnale,   22200,   2, 4, 0,  0, 0,    2,  2,0,0, 0",
    "segnale,   22850,   2, 3, 0,  0, 0,    2,  2,0,0, 0",
    "segnale,   23700,   2, 2, 0,  0, 0,    2,  2,0,0, 0",
    "segnale,   24000,   2, 5, 0,  0, 0,    2,  5,0,0, 0",
    "[codici]",
    "[fine]",
    fine_del_file,
};

}  // namespace

std::span<const std::string_view> contenuto_linea() { return righe_linea; }
std::span<const std::string_view> contenuto_treno() { return righe_treno; }

void dati_linea(platform::Folder& cartella, const Identita& id) {
    scrivi_righe(cartella, nome_descrizione_linea(id), righe_linea);
}

void dati_treno(platform::Folder& cartella, const Identita& id) {
    scrivi_righe(cartella, nome_descrizione_treno(id), righe_treno);
}

}  // namespace scenario
