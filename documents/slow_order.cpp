#include "documents/slow_order.h"

#include "description/line_table.h"

namespace scenario {
namespace {

// The form orders the one slowdown of the line; its figures are the form's
// own text, not read from the train description. The key to the special
// prescriptions stands in the order A, B, D, C and is printed as the form
// has always printed it, spelling included.
constexpr std::string_view righe_rallentamenti[] = {
    "",
    "                               Modulo M. 3",
    "                           ORDINE DI RALLENTAMENTO",
    " ________________________________________________________________________________",
    "  Linea  CORVESCA SARVEDANO",
    "",
    "  Si ordina al macchinista del treno 54 di effettuare i seguenti rallentamenti",
    "  _______________________________________________________________________________",
    " |   |                            |Inizio dopo |          |         |            |",
    " | N.|      FRA LE STAZIONI       | il cippo   | Velocita'|Lunghezza|Prescrizioni|",
    " |   |   (o nelle Stazioni di)    |chilometrico|          |   metri | specifiche |",
    " |___|____________________________|____________|__________|_________|____________|",
    " |   |                            |            |          |         |            |",
    " | 1 | VALCHIARA' - ROSSAVELLA    |   2.000    |   60     |  350    |            |",
    " |   |                            |            |          |         |            |",
    " |   |                            |            |          |         |            |",
    " |   |                            |            |          |         |            |",
    " |   |                            |            |          |         |            |",
    " |   |                            |            |          |         |            |",
    " |   |                            |            |          |         |            |",
    " |   |                            |            |          |         |            |",
    " |   |                            |            |          |         |            |",
    " |   |                            |            |          |         |            |",
    " |   |                            |            |          |         |            |",
    " |   |                            |            |          |         |            |",
    " |   |                            |            |          |         |            |",
    " |   |                            |            |          |         |            |",
    " |   |                            |            |          |         |            |",
    " |   |                            |            |          |         |            |",
    " |   |                            |            |          |         |            |",
    " |   |                            |            |          |         |            |",
    " |   |                            |            |          |         |            |",
    " |   |                            |            |          |         |            |",
    " |   |                            |            |          |         |            |",
    " |   |                            |            |          |         |            |",
    " |   |                            |            |          |         |            |",
    " |   |                            |            |          |         |            |",
    " |   |                            |            |          |         |            |",
    " |___|____________________________|____________|__________|_________|____________|",
    "",
    "              Prescrizioni specifiche",
    " A - Da rispettare con tutto il treno (per i treni viaggiatori)",
    " B - Interessa anche la stazione di.......",
    " D - Rallentamneto N. ... e N. ...  sono contigui",
    " C - Da rispettare dalle ore ....  alle ore ..... di tutti",
    "     i giorni esclusi i seguenti:.........",
    fine_del_file,
};

// The notes of this scenario have no lines: the file is written empty.
constexpr std::string_view righe_note[] = {
    fine_del_file,
};

}  // namespace

void dati_rallentamenti(platform::Folder& cartella, const Identita& id) {
    scrivi_righe(cartella, nome_rallentamenti(id), righe_rallentamenti);
}

void dati_note(platform::Folder& cartella, const Identita& id) {
    scrivi_righe(cartella, nome_note(id), righe_note);
}

}  // namespace scenario
