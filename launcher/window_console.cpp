// Where there is no window system of ours, the window is the standard error
// stream: the word the window would show, then any report, without waiting
// for anyone.

#include <cstdio>

#include "launcher/window.h"

namespace scenario {
namespace {

class FinestraConsole final : public Finestra {
public:
    void mostra() override { scrivi("Attendere"); }
    void errore(const std::string& testo) override { scrivi(testo); }
    void guasto(const std::string& testo) override { scrivi(testo); }

private:
    static void scrivi(const std::string& testo) {
        std::fprintf(stderr, "%s\n", testo.c_str());
        std::fflush(stderr);
    }
};

}  // namespace

std::unique_ptr<Finestra> apri_finestra() {
    return std::make_unique<FinestraConsole>();
}

}  // namespace scenario
