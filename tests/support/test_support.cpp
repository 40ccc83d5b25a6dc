#include "tests/support/test_support.h"

#include <algorithm>
#include <fstream>
#include <random>
#include <sstream>

namespace scenario::test {

std::string leggi(const std::filesystem::path& percorso) {
    std::ifstream file(percorso, std::ios::binary);
    if (!file) {
        throw std::runtime_error("cannot read " + percorso.string());
    }
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

void scrivi(const std::filesystem::path& percorso, std::string_view bytes) {
    std::ofstream file(percorso, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!file) {
        throw std::runtime_error("cannot write " + percorso.string());
    }
}

Modello modello_con_celle(int32_t ultima) {
    Modello modello;
    modello.celle.resize(static_cast<std::size_t>(ultima) + 1);
    return modello;
}

namespace {
std::string descrivi(const Cella& c) {
    std::ostringstream testo;
    testo << "{tipo " << int{c.tipo} << ", dato " << c.dato1 << ' ' << c.dato2 << ' ' << c.dato3
          << ' ' << c.dato4 << ", tempo " << int{c.tempo} << ", preavviso " << int{c.preavviso}
          << ", montagna " << int{c.montagna} << ", velocita " << int{c.velocita}
          << ", pendenza " << int{c.pendenza} << ", aderenza " << int{c.aderenza} << '}';
    return testo.str();
}
}  // namespace

::testing::AssertionResult stesse_celle(const std::vector<Cella>& attese,
                                        const std::vector<Cella>& ottenute) {
    if (attese.size() != ottenute.size()) {
        return ::testing::AssertionFailure()
               << attese.size() << " cells expected, " << ottenute.size() << " found";
    }
    for (std::size_t i = 0; i < attese.size(); ++i) {
        if (attese[i] != ottenute[i]) {
            return ::testing::AssertionFailure() << "cell " << i << ": expected "
                                                 << descrivi(attese[i]) << ", found "
                                                 << descrivi(ottenute[i]);
        }
    }
    return ::testing::AssertionSuccess();
}

std::string dati_attesi(std::string_view relativo) {
    return leggi(std::filesystem::path(SCENARIO_TEST_DATA) / relativo);
}

::testing::AssertionResult stessi_byte(std::string_view attesi, std::string_view ottenuti) {
    if (attesi == ottenuti) {
        return ::testing::AssertionSuccess();
    }
    const auto diversi = std::mismatch(attesi.begin(), attesi.end(), ottenuti.begin(), ottenuti.end());
    const auto offset = static_cast<std::size_t>(diversi.first - attesi.begin());
    const auto riga = 1 + std::count(attesi.begin(), attesi.begin() + static_cast<std::ptrdiff_t>(offset), '\n');
    auto byte_a = [](std::string_view testo, std::size_t i) {
        if (i >= testo.size()) {
            return std::string("end of data");
        }
        std::ostringstream out;
        out << "0x" << std::hex << static_cast<int>(static_cast<unsigned char>(testo[i]));
        return out.str();
    };
    return ::testing::AssertionFailure()
           << "first difference at offset " << offset << " (line " << riga << "): expected "
           << byte_a(attesi, offset) << ", got " << byte_a(ottenuti, offset) << "; sizes "
           << attesi.size() << " and " << ottenuti.size();
}

CartellaTemporanea::CartellaTemporanea() {
    std::random_device seme;
    std::mt19937_64 caso(seme());
    percorso_ = std::filesystem::temp_directory_path() / ("scenario-test-" + std::to_string(caso()));
    std::filesystem::create_directories(percorso_);
}

CartellaTemporanea::~CartellaTemporanea() {
    std::error_code ignorato;
    std::filesystem::remove_all(percorso_, ignorato);
}

Tracciato piano_di(const std::vector<MetroPiano>& metri) {
    Tracciato piano;
    for (const MetroPiano& metro : metri) {
        piano.push_back(metro);
    }
    return piano;
}

}  // namespace scenario::test
