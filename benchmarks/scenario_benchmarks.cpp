// What a run and the compiler cost, each set against its floor: writing the
// same bytes, already in memory, into the same folder with one replacement
// per file. Every case writes through a DiskFolder into a fresh temporary
// folder; the ratios printed at the end come from the same run.

#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "benchmarks/generated_line.h"
#include "compiler/compiler.h"
#include "description/file_names.h"
#include "description/line_table.h"
#include "description/scenario_content.h"
#include "launcher/run.h"
#include "platform/disk_folder.h"
#include "platform/memory_folder.h"

extern char** environ;

namespace scenario::banco {

namespace {

using Orologio = std::chrono::steady_clock;

// The lengths at which the generated line is compiled.
constexpr int32_t lunghezze[] = {10000, 100000, 1000000};
constexpr int32_t lunghezza_memoria = 1000000;

// The argument that makes the program the child process of the memory case.
constexpr std::string_view argomento_memoria = "--memory-child";
constexpr std::string_view file_memoria = "peak_memory.txt";

// The ratios to the floor that the cases must stay within.
const std::map<std::string, double, std::less<>> obiettivi{
    {"run/scenario", 2.0},
    {"compiler/generated/1000000", 1.5},
};
constexpr double obiettivo_memoria = 3.0;

// A fresh folder under the system's temporary folder, removed with what it holds.
class CartellaTemporanea {
public:
    CartellaTemporanea() {
        std::string modello = (std::filesystem::temp_directory_path() / "scenario-bench-XXXXXX");
        if (::mkdtemp(modello.data()) == nullptr) {
            throw std::runtime_error("cannot create a temporary folder from " + modello);
        }
        percorso_ = modello;
    }
    ~CartellaTemporanea() {
        std::error_code ignorato;
        std::filesystem::remove_all(percorso_, ignorato);
    }
    CartellaTemporanea(const CartellaTemporanea&) = delete;
    CartellaTemporanea& operator=(const CartellaTemporanea&) = delete;

    const std::filesystem::path& percorso() const { return percorso_; }

private:
    std::filesystem::path percorso_;
};

struct File {
    std::string nome;
    std::string byte;
};

std::size_t totale(const std::vector<File>& file) {
    std::size_t somma = 0;
    for (const File& f : file) {
        somma += f.byte.size();
    }
    return somma;
}

// The two descriptions the compiler reads.
struct Descrizioni {
    std::string linea;
    std::string treno;
    int32_t metri = 0;  // 0 for the scenario, whose length is not the point
    std::string etichetta;
};

Descrizioni descrizioni_scenario() {
    return {testo_righe(contenuto_linea()), testo_righe(contenuto_treno()), 0, ""};
}

Descrizioni descrizioni_generate(int32_t metri) {
    const LineaGenerata g = genera_linea(metri);
    std::ostringstream etichetta;
    etichetta << g.curve << " curves, " << g.pendenze << " gradients, " << g.stazioni
              << " stations, " << g.rallentamenti << " slowdowns, " << g.segnali << " signals";
    return {g.linea, g.treno, metri, etichetta.str()};
}

void metti_descrizioni(platform::Folder& cartella, const Identita& id, const Descrizioni& d) {
    cartella.replace(nome_descrizione_linea(id), d.linea);
    cartella.replace(nome_descrizione_treno(id), d.treno);
}

// Compiles the descriptions; the error code the readers and the pass left.
int32_t compila(platform::Folder& cartella, const Identita& id, int32_t con_tracciato) {
    Modello modello;
    modello.linea = id.linea;
    modello.treno = id.treno;
    memorizza_percorso(modello, cartella, con_tracciato);
    return modello.codice_errore;
}

// What a case leaves in a folder, made once in memory: the bytes its floor writes.
std::vector<File> prodotti(const std::function<void(platform::Folder&)>& caso) {
    platform::MemoryFolder cartella;
    caso(cartella);
    std::vector<File> file;
    for (const auto& [nome, byte] : cartella.files()) {
        file.push_back({nome, byte});
    }
    return file;
}

std::vector<File> prodotti_corsa() {
    return prodotti([](platform::Folder& cartella) {
        esegui_sequenza(cartella, identita_scenario());
    });
}

std::vector<File> prodotti_compilatore(const Descrizioni& d, int32_t con_tracciato) {
    return prodotti([&d, con_tracciato](platform::Folder& cartella) {
        const Identita id = identita_scenario();
        metti_descrizioni(cartella, id, d);
        if (const int32_t codice = compila(cartella, id, con_tracciato); codice != 0) {
            throw std::runtime_error("the descriptions compile with code " + std::to_string(codice));
        }
    });
}

double secondi(Orologio::duration durata) {
    return std::chrono::duration<double>(durata).count();
}

// ---- the cases ----------------------------------------------------------------

// Each iteration times the case, then its floor: the same bytes, already in
// memory, written into the same folder with one replacement per file (one
// write, then the rename that every replacement makes), over the files the
// case has just written, as the case wrote over those of the iteration
// before. Alternating the two gives their ratio under the same load.
// Before each of them the system is left to finish writing out what came
// before (untimed), as it has when a user runs the program again: neither
// then pays for the other's megabytes still on their way to the disk.
// `prepara` runs untimed before the case; the case gives its error code.
void con_pavimento(benchmark::State& state, const std::vector<File>& file, int32_t metri,
                   const std::function<void(platform::Folder&)>& prepara,
                   const std::function<int32_t(platform::Folder&)>& caso) {
    CartellaTemporanea temporanea;
    platform::DiskFolder cartella(temporanea.percorso());
    double tempo_caso = 0;
    double tempo_pavimento = 0;
    for (auto _ : state) {
        prepara(cartella);
        ::sync();
        const auto inizio = Orologio::now();
        const int32_t codice = caso(cartella);
        const auto mezzo = Orologio::now();
        ::sync();
        const auto inizio_pavimento = Orologio::now();
        for (const File& f : file) {
            cartella.replace(f.nome, f.byte);
        }
        const auto fine = Orologio::now();
        if (codice != 0) {
            state.SkipWithError(("compiled with code " + std::to_string(codice)).c_str());
            return;
        }
        state.SetIterationTime(secondi(mezzo - inizio));
        tempo_caso += secondi(mezzo - inizio);
        tempo_pavimento += secondi(fine - inizio_pavimento);
    }
    const std::size_t byte = totale(file);
    state.counters["bytes"] = static_cast<double>(byte);
    state.SetBytesProcessed(static_cast<int64_t>(byte) * state.iterations());
    state.counters["floor_ms"] = tempo_pavimento * 1e3 / static_cast<double>(state.iterations());
    state.counters["ratio"] = tempo_caso / tempo_pavimento;
    if (metri > 0) {
        state.counters["metres"] = metri;
    }
}

// The program's whole run: descriptions, crew documents, compiler.
void corsa_intera(benchmark::State& state) {
    con_pavimento(
        state, prodotti_corsa(), 0, [](platform::Folder&) {},
        [](platform::Folder& cartella) {
            esegui_sequenza(cartella, identita_scenario());
            return codice::nessuno;
        });
}

// The compiler alone, releasing its model included; writing the descriptions
// it reads and deletes is not timed.
void compilatore(benchmark::State& state, const Descrizioni& d, int32_t con_tracciato) {
    const Identita id = identita_scenario();
    con_pavimento(
        state, prodotti_compilatore(d, con_tracciato), d.metri,
        [&](platform::Folder& cartella) { metti_descrizioni(cartella, id, d); },
        [&](platform::Folder& cartella) { return compila(cartella, id, con_tracciato); });
    state.SetLabel(d.etichetta);
}

// ---- peak memory ----------------------------------------------------------------

// The highest resident size of this process's memory so far, in kB. The
// peak that getrusage reports is carried over from the parent through exec,
// so it is read from the process's own status instead.
long picco_residente_kb() {
    std::ifstream stato("/proc/self/status");
    std::string riga;
    while (std::getline(stato, riga)) {
        if (riga.starts_with("VmHWM:")) {
            return std::stol(riga.substr(6));
        }
    }
    throw std::runtime_error("no VmHWM in /proc/self/status");
}

// The child process: compiles the descriptions found in `percorso` and
// leaves there its peak before and after the compiler.
int figlio_memoria(const std::filesystem::path& percorso) {
    platform::DiskFolder cartella(percorso);
    const Identita id = identita_scenario();
    const long prima = picco_residente_kb();
    const auto inizio = Orologio::now();
    const int32_t codice = compila(cartella, id, 1);
    const double durata = secondi(Orologio::now() - inizio);
    const long dopo = picco_residente_kb();
    std::ostringstream misura;
    misura << prima << ' ' << dopo << ' ' << codice << ' ' << durata;
    cartella.replace(file_memoria, misura.str());
    return EXIT_SUCCESS;
}

// The compiler on the generated line in a fresh process of its own, so that
// nothing this process holds counts towards its peak.
void memoria(benchmark::State& state, int32_t metri) {
    const Descrizioni d = descrizioni_generate(metri);
    for (auto _ : state) {
        CartellaTemporanea temporanea;
        platform::DiskFolder cartella(temporanea.percorso());
        const Identita id = identita_scenario();
        metti_descrizioni(cartella, id, d);
        std::string programma = "/proc/self/exe";
        std::string argomento(argomento_memoria);
        std::string percorso = temporanea.percorso().native();
        char* argomenti[] = {programma.data(), argomento.data(), percorso.data(), nullptr};
        pid_t figlio = 0;
        if (::posix_spawn(&figlio, programma.c_str(), nullptr, nullptr, argomenti, environ) != 0) {
            state.SkipWithError("cannot start the child process");
            return;
        }
        int stato = 0;
        ::waitpid(figlio, &stato, 0);
        if (!WIFEXITED(stato) || WEXITSTATUS(stato) != EXIT_SUCCESS) {
            state.SkipWithError("the child process failed");
            return;
        }
        long prima = 0;
        long dopo = 0;
        int32_t codice = -1;
        double durata = 0;
        std::istringstream(cartella.read(file_memoria)) >> prima >> dopo >> codice >> durata;
        if (codice != 0) {
            state.SkipWithError(("compiled with code " + std::to_string(codice)).c_str());
            return;
        }
        double uscita = 0;
        for (const auto& nome : {nome_piano_compilato(id), nome_tabella_compilata(id),
                                 nome_celle_compilate(id)}) {
            uscita += static_cast<double>(cartella.read(nome).size());
        }
        const double picco = static_cast<double>(dopo - prima) * 1024.0;
        state.counters["peak_bytes"] = picco;
        state.counters["process_peak_bytes"] = static_cast<double>(dopo) * 1024.0;
        state.counters["output_bytes"] = uscita;
        state.counters["peak_to_output"] = picco / uscita;
        // The compiler's time in a process that has touched no memory before.
        state.counters["fresh_process_ms"] = durata * 1e3;
    }
    state.counters["metres"] = metri;
}

// ---- the report ----------------------------------------------------------------

// The console report, followed by a table of each case's time, its floor's,
// their ratio and, for the generated lines, the time per metre.
class ConPavimento final : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        // The median of the repetitions when they were asked for, or the one run.
        for (const Run& run : runs) {
            if (run.error_occurred || run.iterations == 0) {
                continue;
            }
            const bool mediana = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            if (run.run_type == Run::RT_Iteration || mediana) {
                Misura& misura = misure_[run.run_name.function_name];
                misura.secondi = run.real_accumulated_time / static_cast<double>(run.iterations);
                misura.contatori = run.counters;
                if (mediana) {
                    break;
                }
            }
        }
    }

    void Finalize() override {
        std::ostream& out = GetOutputStream();
        char riga[256];
        std::snprintf(riga, sizeof riga, "\n%-36s %10s %10s %7s %9s %11s %9s\n", "case",
                      "time ms", "floor ms", "ratio", "target", "bytes", "ns/metre");
        out << riga;
        for (const auto& [nome, misura] : misure_) {
            const double rapporto = misura.contatore("ratio");
            if (rapporto <= 0) {
                continue;
            }
            const auto obiettivo = obiettivi.find(nome);
            std::string limite = "-";
            if (obiettivo != obiettivi.end()) {
                std::snprintf(riga, sizeof riga, "%s %.1f",
                              rapporto <= obiettivo->second ? "<=" : "MISS", obiettivo->second);
                limite = riga;
            }
            const double metri = misura.contatore("metres");
            std::string per_metro = "-";
            if (metri > 0) {
                std::snprintf(riga, sizeof riga, "%.1f", misura.secondi * 1e9 / metri);
                per_metro = riga;
            }
            std::snprintf(riga, sizeof riga, "%-36s %10.3f %10.3f %7.2f %9s %11.0f %9s\n",
                          nome.c_str(), misura.secondi * 1e3, misura.contatore("floor_ms"),
                          rapporto, limite.c_str(), misura.contatore("bytes"), per_metro.c_str());
            out << riga;
        }
        for (const auto& [nome, misura] : misure_) {
            const double rapporto = misura.contatore("peak_to_output");
            if (rapporto > 0) {
                std::snprintf(riga, sizeof riga,
                              "%s: peak %.1f MB (process %.1f MB) for %.1f MB of files, "
                              "%.2f x (target < %.0f x: %s); %.0f ms in a fresh process\n",
                              nome.c_str(), misura.contatore("peak_bytes") / 1e6,
                              misura.contatore("process_peak_bytes") / 1e6,
                              misura.contatore("output_bytes") / 1e6, rapporto,
                              obiettivo_memoria, rapporto < obiettivo_memoria ? "met" : "MISSED",
                              misura.contatore("fresh_process_ms"));
                out << riga;
            }
        }
    }

private:
    struct Misura {
        double secondi = 0;  // per iteration
        benchmark::UserCounters contatori;

        double contatore(const std::string& nome) const {
            const auto trovato = contatori.find(nome);
            return trovato == contatori.end() ? 0.0 : trovato->second.value;
        }
    };
    std::map<std::string, Misura, std::less<>> misure_;
};

// Every case and floor is timed once its memory and files are in use: the
// first iterations of a process pay for fresh memory, which a fresh process
// of its own measures apart (the memory case).
benchmark::internal::Benchmark* caso(benchmark::internal::Benchmark* b) {
    return b->Unit(benchmark::kMillisecond)->MinWarmUpTime(0.3)->UseManualTime();
}

void registra() {
    using benchmark::RegisterBenchmark;

    caso(RegisterBenchmark("run/scenario", corsa_intera));
    for (const int32_t con_tracciato : {1, 0}) {
        const std::string nome = "compiler/scenario/con_tracciato:" + std::to_string(con_tracciato);
        caso(RegisterBenchmark(nome.c_str(), [con_tracciato](benchmark::State& state) {
            compilatore(state, descrizioni_scenario(), con_tracciato);
        }));
    }
    for (const int32_t metri : lunghezze) {
        caso(RegisterBenchmark(("compiler/generated/" + std::to_string(metri)).c_str(),
                               [metri](benchmark::State& state) {
                                   compilatore(state, descrizioni_generate(metri), 1);
                               }));
    }

    RegisterBenchmark(("memory/generated/" + std::to_string(lunghezza_memoria)).c_str(),
                      [](benchmark::State& state) { memoria(state, lunghezza_memoria); })
        ->Unit(benchmark::kMillisecond)
        ->Iterations(1)
        ->UseRealTime();
}

}  // namespace

}  // namespace scenario::banco

int main(int argc, char** argv) {
    using namespace scenario::banco;
    if (argc == 3 && argv[1] == argomento_memoria) {
        return figlio_memoria(argv[2]);
    }
    registra();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return EXIT_FAILURE;
    }
    ConPavimento report;
    benchmark::RunSpecifiedBenchmarks(&report);
    benchmark::Shutdown();
    return EXIT_SUCCESS;
}
