#pragma once
// The field grammar shared by the line and the train description: a stream
// of comma-delimited fields, each read into a text or an integer of a given
// width, and the keyword tests made on a field.
//
// A blank is a space. A line ends at CR LF, or at a lone CR or LF. Blanks
// before a field are skipped. A text field runs to the next comma or line
// end, trailing blanks included; a numeric field also ends at a blank, and
// the blanks after it up to the next comma or line end belong to that one
// delimiter ("0    ,0" is two fields). An empty line is one empty field.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

#include "platform/folder.h"

namespace scenario {

// A description that cannot be read: a missing or unreadable file, a field
// asked for at the end of the file, a number outside the width of its
// variable, or a computed value that does not fit where it goes. The
// compiler turns it into code 25.
class ErroreLettura : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class LettoreCampi {
public:
    // Reads the file whole; a missing or unreadable file is an ErroreLettura.
    // When `riga_letta` is given, the line of every field read is also
    // written there, for whoever reports where the reading stood.
    LettoreCampi(const platform::Folder& cartella, std::string_view nome,
                 int32_t* riga_letta = nullptr);
    // Reads the given bytes, for a file already in memory.
    explicit LettoreCampi(std::string dati);

    // True once every byte has been consumed: the next read would fail.
    bool fine() const { return posizione_ >= dati_.size(); }

    std::string testo();
    uint8_t intero8();
    int16_t intero16();
    int32_t intero32();

    // The line (from 1) on which the field last read starts.
    int32_t numero_riga() const { return riga_campo_; }

private:
    // Skips the blanks before a field and notes its line; a read that starts
    // at the end of the file fails.
    void inizio_campo();
    bool a_fine_riga() const;
    // Consumes the comma or the line end that closes a field, if either is next.
    void consuma_delimitatore();
    int64_t numero(int64_t minimo, int64_t massimo);

    std::string dati_;
    std::size_t posizione_ = 0;
    int32_t riga_ = 1;
    int32_t riga_campo_ = 0;
    int32_t* riga_letta_ = nullptr;
};

// Reads the next keyword field into `riga`, passing over up to two comment
// fields (fields with a "-") in a row; a third is taken as it is. False, with
// the field not to be looked at, once the end of the file has been reached.
bool campo_chiave(LettoreCampi& campi, std::string& riga);

// Keyword tests: `parola` anywhere in `campo`, ignoring letter case or, for
// the few keywords that demand it, with exact case.
bool contiene(std::string_view campo, std::string_view parola);
bool contiene_esatto(std::string_view campo, std::string_view parola);

// The value converted to a narrower integer; outside its range it is an
// ErroreLettura, as a field of that width would be.
int16_t in_16_bit(double valore);
int32_t in_32_bit(int64_t valore);

}  // namespace scenario
