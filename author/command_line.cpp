#include "author/command_line.h"

#include <algorithm>

#include "platform/disk_folder.h"

namespace scenario::autore {

namespace fs = std::filesystem;

const std::string* Argomenti::valore(std::string_view nome) const {
    const auto trovata = opzioni.find(nome);
    return trovata == opzioni.end() ? nullptr : &trovata->second;
}

Argomenti separa(std::span<const std::string> argomenti, std::string_view comando,
                 std::span<const Opzione> ammesse) {
    Argomenti separati;
    for (std::size_t i = 0; i < argomenti.size(); ++i) {
        const std::string& argomento = argomenti[i];
        const auto opzione = std::find_if(ammesse.begin(), ammesse.end(),
                                          [&](const Opzione& o) { return o.nome == argomento; });
        if (opzione == ammesse.end()) {
            if (argomento.size() > 1 && argomento.front() == '-') {
                throw ErroreUso("opzione sconosciuta per " + std::string(comando) + ": " +
                                argomento);
            }
            separati.file.push_back(argomento);
            continue;
        }
        if (separati.ha(argomento)) {
            throw ErroreUso("opzione ripetuta: " + argomento);
        }
        std::string valore;
        if (opzione->con_valore) {
            if (i + 1 >= argomenti.size()) {
                throw ErroreUso("manca il valore di " + argomento);
            }
            valore = argomenti[++i];
        }
        separati.opzioni.emplace(argomento, std::move(valore));
    }
    return separati;
}

void richiedi_file(const Argomenti& argomenti, std::initializer_list<std::string_view> nomi) {
    if (argomenti.file.size() < nomi.size()) {
        std::string mancanti;
        for (auto nome = nomi.begin() + static_cast<std::ptrdiff_t>(argomenti.file.size());
             nome != nomi.end(); ++nome) {
            mancanti += mancanti.empty() ? "" : " e ";
            mancanti += *nome;
        }
        const bool uno = nomi.size() - argomenti.file.size() == 1;
        throw ErroreUso(std::string(uno ? "manca " : "mancano ") + mancanti);
    }
    if (argomenti.file.size() > nomi.size()) {
        throw ErroreUso("argomento in piu': \"" + argomenti.file[nomi.size()] + "\"");
    }
}

std::string nome_valido(std::string_view opzione, const std::string& valore) {
    if (valore.empty() || valore.find_first_of("/\\") != std::string::npos ||
        valore.find('\0') != std::string::npos) {
        throw ErroreUso("valore non valido per " + std::string(opzione) + ": \"" + valore + "\"");
    }
    return valore;
}

Identita identita_da(const Argomenti& argomenti) {
    Identita id = identita_scenario();
    if (const std::string* linea = argomenti.valore("--linea")) {
        id.linea = nome_valido("--linea", *linea);
    }
    if (const std::string* treno = argomenti.valore("--treno")) {
        id.treno = nome_valido("--treno", *treno);
    }
    // With the train named "linea" the cells would take the line plan's name.
    if (nome_celle_compilate(id) == nome_piano_compilato(id)) {
        throw ErroreUso("il treno \"" + id.treno +
                        "\" darebbe alle celle il nome del file del tracciato");
    }
    return id;
}

namespace {

platform::DiskFolder cartella_di(const fs::path& file) {
    return platform::DiskFolder(file.has_parent_path() ? file.parent_path() : fs::path("."));
}

}  // namespace

std::string leggi_file(const fs::path& file) {
    try {
        return cartella_di(file).read(file.filename().string());
    } catch (const platform::FileError& guasto) {
        throw ErroreFile("impossibile leggere " + file.string() + ": " + guasto.reason());
    }
}

void scrivi_file(const fs::path& file, std::string_view byte) {
    try {
        cartella_di(file).replace(file.filename().string(), byte);
    } catch (const platform::FileError& guasto) {
        throw ErroreFile("impossibile scrivere " + guasto.path() + ": " + guasto.reason());
    }
}

}  // namespace scenario::autore
