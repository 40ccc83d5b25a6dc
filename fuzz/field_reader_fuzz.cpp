// Fuzz target: the field reader alone, on any bytes.
//
// Input layout: the first byte chooses which kind of read is made for each
// field; the rest is the file. Below 128 the kinds take turns (text, 8-,
// 16-, 32-bit number, keyword field), starting at the byte's value modulo 5;
// from 128 on every read is of the one kind given by the byte modulo 5.
//
// Each read must return or fail with ErroreLettura, consume at least one
// byte (so the reading ends), and give a field that holds no delimiter.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <string>
#include <string_view>

#include "description/field_reader.h"
#include "fuzz/invariant.h"

namespace scenario::fuzz {
namespace {

void verifica_testo(std::string_view campo) {
    verifica(campo.find_first_of(",\r\n") == std::string_view::npos, "a field holds a delimiter");
    verifica(campo.empty() || campo.front() != ' ', "a field starts with a blank");
    verifica(contiene(campo, campo) && contiene(campo, ""), "a field does not contain itself");
    if (!campo.empty()) {
        verifica(contiene_esatto(campo, campo.substr(campo.size() / 2)),
                 "a field does not contain its own tail");
    }
}

void leggi_uno(LettoreCampi& campi, unsigned tipo) {
    switch (tipo) {
        case 0:
            verifica_testo(campi.testo());
            break;
        case 1:
            campi.intero8();
            break;
        case 2: {
            const int16_t valore = campi.intero16();
            verifica(in_16_bit(valore) == valore, "a 16-bit value does not convert to itself");
            break;
        }
        case 3: {
            const int32_t valore = campi.intero32();
            verifica(in_32_bit(valore) == valore, "a 32-bit value does not convert to itself");
            break;
        }
        default: {
            std::string riga;
            const bool letto = campo_chiave(campi, riga);
            verifica(letto == !campi.fine(), "keyword field and end of file disagree");
            verifica_testo(riga);
            break;
        }
    }
}

}  // namespace

void prova(uint8_t scelta, std::string_view resto) {
    const std::string file(resto);
    const auto fine_righe = std::count_if(file.begin(), file.end(),
                                          [](char c) { return c == '\r' || c == '\n'; });
    LettoreCampi campi(file);
    std::size_t letture = 0;
    int32_t ultima_riga = 1;
    while (!campi.fine()) {
        const auto tipo = static_cast<unsigned>(scelta < 128 ? (scelta + letture) % 5 : scelta % 5);
        ++letture;
        verifica(letture <= file.size(), "a read consumed nothing");
        try {
            leggi_uno(campi, tipo);
        } catch (const ErroreLettura&) {
            // A number outside its width: the field is consumed all the same.
        } catch (const std::exception& fuga) {
            violato(std::string("exception escaped the field reader: ") + fuga.what());
        }
        if (campi.numero_riga() != 0) {
            verifica(campi.numero_riga() >= ultima_riga, "the line number went back");
            verifica(campi.numero_riga() <= fine_righe + 1, "the line number passed the last line");
            ultima_riga = campi.numero_riga();
        }
    }
    // At the end of the file every read fails as a reading failure.
    try {
        campi.testo();
        violato("a field was read at the end of the file");
    } catch (const ErroreLettura&) {
    }
}

}  // namespace scenario::fuzz
