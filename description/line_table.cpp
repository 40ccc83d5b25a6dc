#include "description/line_table.h"

namespace scenario {

std::string testo_righe(std::span<const std::string_view> righe) {
    std::string testo;
    for (std::string_view riga : righe) {
        if (riga == fine_del_file) {
            break;
        }
        testo += riga;
        testo += "\r\n";
    }
    return testo;
}

void scrivi_righe(platform::Folder& cartella, std::string_view nome,
                  std::span<const std::string_view> righe) {
    cartella.replace(nome, testo_righe(righe));
}

}  // namespace scenario
