#include "documents/train_sheet.h"

#include "description/line_table.h"

namespace scenario {
namespace {

// Nothing here is computed: the train, the places, their chainages and the
// two times are the card's own text. It does not follow the train
// description (it lists "RE DI LUNA", which is no station there). Line 9 ends
// in seven spaces of its own; the sheet begins with two empty lines and ends
// with one.
constexpr std::string_view righe_scheda[] = {
    "",
    "",
    "  ___________________                                               ______________",
    " |                   |                    SCHEDA                   |              |",
    " |   TRENO n. 54     |                   da: CORVESCA              |    V100 C    |",
    " |___________________|                    a: SARVEDANO             |     120%     |",
    "                                                                   |______________|",
    "  ___________________                ___________________",
    " |  CLASSIFICAZIONE  |              |  MASSA BLOCCATA   |       ",
    " |   METROPOLITANA   |              |      280T         |",
    " |___________________|              |___________________|",
    "",
    "  ________________________________________________________________________________",
    " | Vel.| Vel.| Progr Km |  No |   Localita' di  Servizio   |     Orario     | Rec |",
    " | Lim.|Marc.|          |  Rs |                            |                |     |",
    " |_____|_____|__________|_____|____________________________|________________|_____|",
    " |     |     |          |     |                            |                |     |",
    " | 90  | 90  |  0.235   | 90  |   CORVESCA                 |  17.10.00      |     |",
    " |     |     |  0.900   |     |   Ponte sul Torbio         |                |     |",
    " |     |     |  1.150   |     |   VALCHIARA'               |                |     |",
    " |     |     |  2.500   |     |   ROSSAVELLA               |                |     |",
    " |     |     |  3.700   |     |   MARCO TESSITORE          |                |     |",
    " |     |     |  5.350   |     |   PIANO SERENO             |                |     |",
    " |     |     |  7.250   |     |   CORTE DEI MERLAI         |                |     |",
    " |     |     |  8.500   |     |   PORTA SALICE ORTENSE     |                |     |",
    " |     |     |  10.400  |     |   ARCO DI PIETRALUNA       |                |     |",
    " |     |     |  11.900  |     |   COLLI SERENI             |                |     |",
    " |     |     |  13.700  |     |   PIAZZA LAVINA            |                |     |",
    " |     |     |  15.400  |     |   PONTE VALLE              |                |     |",
    " |     |     |  17.700  |     |   RE DI LUNA               |                |     |",
    " |     |     |  18.600  |     |   SAN BASILIDE             |                |     |",
    " |     |     |  19.200  |     |   FERLANI                  |                |     |",
    " |     |     |  20.000  |     |   GIARDINO DEL PERO        |                |     |",
    " |     |     |  20.600  |     |   SORVELO                  |                |     |",
    " |     |     |  21.200  |     |   CORTESELLA               |                |     |",
    " |     |     |  21.800  |     |   MALVASINI                |                |     |",
    " |     |     |  22.350  |     |   TORNEA                   |                |     |",
    " |     |     |  23.050  |     |   VERDANIO                 |                |     |",
    " |     |     |  23.500  |     |   BRENTIO                  |                |     |",
    " |     |     |  24.000  |     |   SARVEDANO                |  17.30.00      |     |",
    " |     |     |          |     |                            |                |     |",
    " |     |     |          |     |                            |                |     |",
    " |     |     |          |     |                            |                |     |",
    " |     |     |          |     |                            |                |     |",
    " |     |     |          |     |                            |                |     |",
    " |     |     |          |     |                            |                |     |",
    " |     |     |          |     |                            |                |     |",
    " |_____|_____|__________|_____|____________________________|________________|_____|",
    "",
    fine_del_file,
};

}  // namespace

void dati_scheda(platform::Folder& cartella, const Identita& id) {
    scrivi_righe(cartella, nome_scheda_treno(id), righe_scheda);
}

}  // namespace scenario
