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

// The descriptions gave no cells (no line description, no "[generale]", a
// length refused, or a reading failure before the length): there is nothing
// to stamp or write, and the compiled files of an earlier run stay as they
// were. `codice` is the reader's error code.
class SenzaCelle : public std::runtime_error {
public:
    explicit SenzaCelle(int32_t codice)
        : std::runtime_error("Nessuna cella: codice " + std::to_string(codice)), codice_(codice) {}
    int32_t codice() const { return codice_; }

private:
    int32_t codice_;
};

// The driver: `j` not zero asks for the line plan too. The model must carry
// `linea` and `treno`. Reads both descriptions, runs the code-change pass,
// then stamps and writes the compiled files; throws ErroreFatale for a busy
// check slot and SenzaCelle when the readers left no cells.
void memorizza_percorso(Modello& modello, platform::Folder& cartella, int32_t j);

}  // namespace scenario
