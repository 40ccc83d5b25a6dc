// Replays a fuzz target's corpus without the fuzzer: every file named on the
// command line, or found in a folder named there, is fed to the target's
// entry function once. A broken invariant stops the process, so the test
// fails on the first input that breaks one and names it.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, std::size_t dimensione);

namespace {

void prova(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    const std::string dati((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::fprintf(stderr, "%s\n", file.string().c_str());
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(dati.data()), dati.size());
}

}  // namespace

int main(int argc, char** argv) {
    std::size_t provati = 0;
    for (int i = 1; i < argc; ++i) {
        const std::filesystem::path percorso(argv[i]);
        std::vector<std::filesystem::path> file;
        if (std::filesystem::is_directory(percorso)) {
            for (const auto& voce : std::filesystem::recursive_directory_iterator(percorso)) {
                if (voce.is_regular_file()) {
                    file.push_back(voce.path());
                }
            }
        } else {
            file.push_back(percorso);
        }
        for (const auto& uno : file) {
            prova(uno);
            ++provati;
        }
    }
    std::printf("%zu inputs replayed\n", provati);
    return provati == 0 ? 1 : 0;
}
