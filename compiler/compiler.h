#pragma once
// The compiler's driver: reads the two description files of a run from the
// folder into the model and writes the compiled scenario beside them.

#include <cstdint>
#include <stdexcept>
#include <string>

#include "compiler/track_model.h"
#include "platform/folder.h"

namespace scenario {

// A fatal scenario error: the run must stop and the launcher's `errore`
// shows the code.
class ErroreFatale : public std::runtime_error {
public:
    explicit ErroreFatale(std::string codice)
        : std::runtime_error("Errore n. " + codice), codice_(std::move(codice)) {}
    const std::string& codice() const { return codice_; }

private:
    std::string codice_;
};

// The driver: `j` not zero asks for the line plan too. The model must carry
// `linea` and `treno`.
void memorizza_percorso(Modello& modello, platform::Folder& cartella, int32_t j);

}  // namespace scenario
