#pragma once
// A small writer of SVG drawings: elements are added one by one and every
// text and attribute value is escaped on the way in, so that the document is
// always well-formed XML.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace scenario::autore {

// Attribute names with their values, in the order written.
using Attributi = std::vector<std::pair<std::string_view, std::string>>;

// A length or coordinate with one decimal, independent of the locale.
std::string misura(double valore);

// The five characters that XML reserves, as entities.
std::string testo_xml(std::string_view testo);

class Svg {
public:
    explicit Svg(std::string_view titolo);

    // An element without content: <nome attributi/>.
    void elemento(std::string_view nome, const Attributi& attributi);
    // A text element: <text attributi>contenuto</text>.
    void testo(const Attributi& attributi, std::string_view contenuto);
    // A group around the elements added until `chiudi_gruppo`.
    void apri_gruppo(const Attributi& attributi);
    void chiudi_gruppo();

    // The whole document, of the size given, with any group left open closed.
    std::string documento(double larghezza, double altezza) const;

private:
    void apri(std::string_view nome, const Attributi& attributi);

    std::string titolo_;
    std::string corpo_;
    int gruppi_aperti_ = 0;
};

}  // namespace scenario::autore
