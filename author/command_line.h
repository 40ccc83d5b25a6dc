#pragma once
// What every command of the author's tool shares: its options taken apart,
// the errors that end a command with status 2, and the author's files read
// and written whole.

#include <filesystem>
#include <initializer_list>
#include <map>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "description/file_names.h"

namespace scenario::autore {

// A command line that asks for something the tool does not do: reported with
// the usage line.
class ErroreUso : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A file that cannot be used: reported alone, nothing written.
class ErroreFile : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// An option a command takes, with a value after it or alone.
struct Opzione {
    std::string_view nome;
    bool con_valore;
};

// The arguments of one command: its files in order and its options, each
// given at most once (an option alone holds "").
struct Argomenti {
    std::vector<std::string> file;
    std::map<std::string, std::string, std::less<>> opzioni;

    bool ha(std::string_view nome) const { return opzioni.contains(nome); }
    const std::string* valore(std::string_view nome) const;
};

// `argomenti` without the command's name; ErroreUso for an option the command
// does not take, a repeated one, or one without its value.
Argomenti separa(std::span<const std::string> argomenti, std::string_view comando,
                 std::span<const Opzione> ammesse);

// Exactly the files named, in this order; ErroreUso naming what is missing
// or the first argument in excess.
void richiedi_file(const Argomenti& argomenti, std::initializer_list<std::string_view> nomi);

// A name the compiled files are named from: not empty, and no folder in it.
std::string nome_valido(std::string_view opzione, const std::string& valore);

// The line and train of --linea and --treno, this scenario's by default.
Identita identita_da(const Argomenti& argomenti);

// The whole content of an author's file; ErroreFile if it cannot be read.
std::string leggi_file(const std::filesystem::path& file);

// Replaces an author's file whole; ErroreFile if it cannot be written.
void scrivi_file(const std::filesystem::path& file, std::string_view byte);

}  // namespace scenario::autore
