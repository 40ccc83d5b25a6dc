// The scenario program: takes no input, writes every file of the scenario
// into its own folder, and ends.

#include "launcher/run.h"
#include "launcher/window.h"
#include "platform/disk_folder.h"

int main() {
    auto finestra = scenario::apri_finestra();
    try {
        scenario::platform::DiskFolder cartella(scenario::platform::program_folder());
        return scenario::avvia(*finestra, cartella);
    } catch (const std::exception& failure) {
        finestra->guasto(scenario::testo_guasto(failure));
        return scenario::uscita::guasto;
    }
}
