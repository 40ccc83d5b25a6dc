#pragma once
// The program's whole visible life: the window, the fixed order of the run,
// and the reports that end it early.

#include <string>
#include <string_view>

#include "description/file_names.h"
#include "platform/folder.h"

namespace scenario {

// The program's only window and its message boxes.
class Finestra {
public:
    virtual ~Finestra() = default;
    // Shows the window with "Attendere" and paints it at once.
    virtual void mostra() = 0;
    // The fatal-error report; the run ends when it returns.
    virtual void errore(const std::string& testo) = 0;
    // The report of a run that ends without its compiled files for a reason
    // of its own: a failure of the system (a file that cannot be written), or
    // descriptions that gave no cells.
    virtual void guasto(const std::string& testo) = 0;
};

// Exit status of the process.
namespace uscita {
inline constexpr int normale = 0;
inline constexpr int errore_fatale = 1;
inline constexpr int guasto = 2;
inline constexpr int senza_celle = 3;  // the descriptions gave nothing to compile
}  // namespace uscita

// " Errore n. " followed by the code.
std::string testo_errore(std::string_view codice);

// The run's steps after the window is up: the description files, the crew
// documents and the compiler, in this order.
void esegui_sequenza(platform::Folder& cartella, const Identita& id);

// The load handler: identity, window, run sequence; every way the run can end
// early is reported here. Returns the exit status.
int avvia(Finestra& finestra, platform::Folder& cartella);

// The text of the report of a failure of the system.
std::string testo_guasto(const std::exception& failure);

}  // namespace scenario
