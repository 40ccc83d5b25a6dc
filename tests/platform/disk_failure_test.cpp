// Failures of the disk in the middle of a whole run, injected through the
// disk folder's system calls: whatever fails, the run ends with the failure
// report and status 2, the file being replaced keeps its earlier version, no
// temporary file is left, and no later step runs.
#ifndef _WIN32

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <set>
#include <string>
#include <system_error>
#include <vector>

#include "launcher/run.h"
#include "platform/disk_folder.h"
#include "platform/system_calls.h"
#include "tests/support/test_support.h"

namespace scenario {
namespace {

enum class Guasto {
    scrittura_dopo_k,  // the write takes k bytes in all, then fails with EIO
    disco_pieno,       // every write fails with ENOSPC
    scrittura_vuota,   // every write takes no byte
    creazione,         // the new file cannot be created (errno given)
    chiusura,          // the close reports a late write error (EIO)
    rinomina,          // the rename over the target fails (errno given)
    cancellazione,     // the delete fails (errno given)
    sola_lettura,      // the target exists with no write permission bit
};

// The real calls, with one fault on the files whose path holds `file` (the
// target itself or its temporary file).
class ChiamateGuaste final : public platform::SystemCalls {
public:
    ChiamateGuaste(Guasto guasto, std::string file, int errore)
        : guasto_(guasto), file_(std::move(file)), errore_(errore) {}

    int open(const char* path, int flags, mode_t mode) override {
        if (colpito(path) && guasto_ == Guasto::creazione && (flags & O_CREAT) != 0) {
            return fallisci(errore_);
        }
        const int fd = SystemCalls::open(path, flags, mode);
        if (fd >= 0 && colpito(path) && (flags & O_WRONLY) != 0) {
            scrittura_.insert(fd);
        }
        return fd;
    }
    ssize_t write(int fd, const void* bytes, size_t size) override {
        if (scrittura_.count(fd) == 0) {
            return SystemCalls::write(fd, bytes, size);
        }
        switch (guasto_) {
            case Guasto::scrittura_dopo_k: {
                if (scritti_ >= k) {
                    return fallisci(EIO);
                }
                const ssize_t presi = SystemCalls::write(fd, bytes, std::min(size, k - scritti_));
                scritti_ += static_cast<std::size_t>(std::max<ssize_t>(presi, 0));
                return presi;
            }
            case Guasto::disco_pieno:
                return fallisci(ENOSPC);
            case Guasto::scrittura_vuota:
                return 0;
            default:
                return SystemCalls::write(fd, bytes, size);
        }
    }
    int close(int fd) override {
        const bool guasta = scrittura_.erase(fd) != 0 && guasto_ == Guasto::chiusura;
        const int esito = SystemCalls::close(fd);
        return guasta ? fallisci(EIO) : esito;
    }
    int rename(const char* from, const char* to) override {
        if (proprio(to) && guasto_ == Guasto::rinomina) {
            return fallisci(errore_);
        }
        return SystemCalls::rename(from, to);
    }
    int unlink(const char* path) override {
        if (proprio(path) && guasto_ == Guasto::cancellazione) {
            return fallisci(errore_);
        }
        return SystemCalls::unlink(path);
    }
    int stat(const char* path, struct stat* status) override {
        const int esito = SystemCalls::stat(path, status);
        if (esito == 0 && proprio(path) && guasto_ == Guasto::sola_lettura) {
            status->st_mode &= static_cast<mode_t>(~(S_IWUSR | S_IWGRP | S_IWOTH));
        }
        return esito;
    }

    static constexpr std::size_t k = 100;

private:
    static int fallisci(int errore) {
        errno = errore;
        return -1;
    }
    bool colpito(std::string_view path) const { return path.find(file_) != std::string_view::npos; }
    bool proprio(std::string_view path) const { return path.ends_with("/" + file_); }

    Guasto guasto_;
    std::string file_;
    int errore_;
    std::set<int> scrittura_;
    std::size_t scritti_ = 0;
};

class FinestraMuta final : public Finestra {
public:
    void mostra() override {}
    void errore(const std::string& testo) override { rapporti.push_back("errore:" + testo); }
    void guasto(const std::string& testo) override { rapporti.push_back("guasto:" + testo); }
    std::vector<std::string> rapporti;
};

// What a file holds at the end of the run.
enum class Stato { precedente, nuovo, cancellato };
constexpr Stato P = Stato::precedente;
constexpr Stato N = Stato::nuovo;
constexpr Stato C = Stato::cancellato;

struct Caso {
    const char* descrizione;
    Guasto guasto;
    std::size_t file;  // index in `file_della_corsa`; none: every file
    int errore;        // the errno injected, where the fault takes one
    const char* operazione;
    int errore_riportato;
    std::vector<Stato> attesi;  // for each of `file_della_corsa`
};

constexpr std::size_t ogni_file = 99;

// Every file of a run, in the order the run first writes them.
std::vector<std::string> file_della_corsa(const Identita& id) {
    return {nome_descrizione_linea(id), nome_descrizione_treno(id), nome_note(id),
            nome_rallentamenti(id),     nome_scheda_treno(id),      nome_piano_compilato(id),
            nome_tabella_compilata(id), nome_celle_compilate(id)};
}

std::string precedente(const std::string& nome) {
    return "earlier version of " + nome;
}

TEST(DiskFailures, EndTheRunLeavingTheEarlierFileAndNoTemporary) {
    const std::vector<Caso> casi{
        {"a write that fails after k bytes", Guasto::scrittura_dopo_k, 4, 0, "write", EIO,
         {N, N, N, N, P, P, P, P}},
        {"a full disk", Guasto::disco_pieno, 6, 0, "write", ENOSPC, {C, C, N, N, N, N, P, P}},
        {"a write that takes nothing", Guasto::scrittura_vuota, 3, 0, "write", ENOSPC,
         {N, N, N, P, P, P, P, P}},
        {"a late write error at close", Guasto::chiusura, 7, 0, "write", EIO,
         {C, C, N, N, N, N, N, P}},
        {"a rename that fails", Guasto::rinomina, 5, EXDEV, "replace", EXDEV,
         {C, C, N, N, N, P, P, P}},
        {"a delete that fails", Guasto::cancellazione, 0, EBUSY, "delete", EBUSY,
         {N, N, N, N, N, P, P, P}},
        {"a folder without write permission", Guasto::creazione, ogni_file, EACCES, "create",
         EACCES, {P, P, P, P, P, P, P, P}},
        {"a read-only file system", Guasto::creazione, 1, EROFS, "create", EROFS,
         {N, P, P, P, P, P, P, P}},
        {"a read-only existing target", Guasto::sola_lettura, 3, 0, "replace", EACCES,
         {N, N, N, P, P, P, P, P}},
    };
    const Identita id = identita_scenario();
    const std::vector<std::string> nomi = file_della_corsa(id);
    for (const Caso& caso : casi) {
        SCOPED_TRACE(caso.descrizione);
        test::CartellaTemporanea temporanea;
        for (const auto& nome : nomi) {
            test::scrivi(temporanea / nome, precedente(nome));
        }
        const std::size_t colpito = caso.file == ogni_file ? 0 : caso.file;
        ChiamateGuaste chiamate(caso.guasto, caso.file == ogni_file ? "" : nomi[caso.file],
                                caso.errore);
        platform::DiskFolder cartella(temporanea.percorso(), chiamate);
        FinestraMuta finestra;

        EXPECT_EQ(avvia(finestra, cartella), uscita::guasto);

        const std::string rapporto = "guasto:Impossibile completare l'operazione \"" +
                                     std::string(caso.operazione) + "\" sul file \"" +
                                     cartella.path_of(nomi[colpito]) + "\": " +
                                     std::generic_category().message(caso.errore_riportato);
        EXPECT_EQ(finestra.rapporti, std::vector<std::string>{rapporto});
        for (std::size_t i = 0; i < nomi.size(); ++i) {
            const auto percorso = temporanea / nomi[i];
            switch (caso.attesi[i]) {
                case Stato::precedente:
                    EXPECT_EQ(test::leggi(percorso), precedente(nomi[i])) << nomi[i];
                    break;
                case Stato::nuovo:
                    ASSERT_TRUE(std::filesystem::exists(percorso)) << nomi[i];
                    EXPECT_NE(test::leggi(percorso), precedente(nomi[i])) << nomi[i];
                    break;
                case Stato::cancellato:
                    EXPECT_FALSE(std::filesystem::exists(percorso)) << nomi[i];
                    break;
            }
        }
        std::size_t file_presenti = 0;
        for (const auto& voce : std::filesystem::directory_iterator(temporanea.percorso())) {
            EXPECT_FALSE(voce.path().filename().string().ends_with(".tmp")) << voce.path();
            ++file_presenti;
        }
        EXPECT_EQ(file_presenti, static_cast<std::size_t>(std::count_if(
                                     caso.attesi.begin(), caso.attesi.end(),
                                     [](Stato stato) { return stato != Stato::cancellato; })));
    }
}

}  // namespace
}  // namespace scenario

#endif
