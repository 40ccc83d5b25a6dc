#pragma once
// Helpers shared by the tests: expected files, temporary folders, and
// comparisons that say where two byte strings first differ.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "compiler/track_model.h"

namespace scenario::test {

// The bytes of a file under tests/, e.g. "description/data/linea.txt".
std::string dati_attesi(std::string_view relativo);

std::string leggi(const std::filesystem::path& percorso);
void scrivi(const std::filesystem::path& percorso, std::string_view bytes);

// Equal, or a message naming the first differing offset and line.
::testing::AssertionResult stessi_byte(std::string_view attesi, std::string_view ottenuti);

// A model whose cells 0 to `ultima` exist, all empty.
Modello modello_con_celle(int32_t ultima);

// A plan holding these metres, in order.
Tracciato piano_di(const std::vector<MetroPiano>& metri);

// Equal cell arrays, or a message naming the first differing cell and both
// versions of it.
::testing::AssertionResult stesse_celle(const std::vector<Cella>& attese,
                                        const std::vector<Cella>& ottenute);

// A fresh folder under the system's temporary folder, removed with its content.
class CartellaTemporanea {
public:
    CartellaTemporanea();
    ~CartellaTemporanea();
    CartellaTemporanea(const CartellaTemporanea&) = delete;
    CartellaTemporanea& operator=(const CartellaTemporanea&) = delete;

    const std::filesystem::path& percorso() const { return percorso_; }
    std::filesystem::path operator/(std::string_view nome) const { return percorso_ / nome; }

private:
    std::filesystem::path percorso_;
};

}  // namespace scenario::test
