#include "author/meanings.h"

#include <algorithm>
#include <array>
#include <utility>

namespace scenario::autore {

namespace {

constexpr std::array<std::pair<int32_t, std::string_view>, 28> significati{{
    {1, "lunghezza del percorso negativa o oltre 1000000 m"},
    {2, "progressiva chilometrica con primo o secondo valore non multiplo di 50"},
    {3, "primo valore di \"ripetizione segnali\" non multiplo di 50"},
    {4, "secondo valore di \"ripetizione segnali\" non multiplo di 50"},
    {5, "\"ripetizione segnali\" non dice il numero di codici (manca \"4\" o \"9\")"},
    {6, "cartello indicatore su una cella gia' occupata"},
    {7, "abbattimento su una cella gia' occupata"},
    {8, "posizione della stazione non multipla di 50"},
    {9, "lunghezza della zona di stazione non multipla di 100"},
    {10, "troppe stazioni: la tabella ne tiene 78 meno una per cartello indicatore"},
    {11, "segnale prima dell'avviso di rallentamento senza cella libera per il cambio di codice"},
    {12,
     "rallentamento senza cella libera per il cambio di codice in una finestra prima "
     "dell'inizio"},
    {13,
     "rallentamento senza cella libera per il cambio di codice al suo interno o prima del "
     "segnale che lo segue"},
    {15, "posizione oltre la fine delle celle della linea"},
    {16, "segnale su una cella gia' occupata"},
    {17, "avviso del rallentamento su una cella gia' occupata"},
    {18, "inizio del rallentamento su una cella gia' occupata"},
    {19, "fine del rallentamento su una cella gia' occupata"},
    {20, "una delle quattro celle prima dell'avviso del rallentamento e' gia' occupata"},
    {21, "indicatori di velocita' massima su una cella gia' occupata"},
    {22, "stazione a meno di 350 m dalla zona della stazione precedente"},
    {24, "fermata della stazione troppo vicina all'origine della linea"},
    {25,
     "campo illeggibile: numero fuori dai limiti del campo, file finito prima del campo, "
     "valore che non entra dove va o file mancante"},
    {101, "manca il file della descrizione della linea"},
    {102, "manca la riga \"[generale]\""},
    {103, "curva senza classe (una cifra da 1 a 6) o oltre la fine del tracciato"},
    {1250, "la cella 1 (50 m) non e' vuota: non c'e' posto per il contrassegno dei file compilati"},
    {1251,
     "la cella 1 (50 m) non e' vuota: non c'e' posto per il codice di controllo dei file "
     "compilati"},
}};

}  // namespace

std::string_view significato(int32_t codice) {
    const auto trovato = std::find_if(significati.begin(), significati.end(),
                                      [codice](const auto& voce) { return voce.first == codice; });
    return trovato != significati.end() ? trovato->second : "errore sconosciuto";
}

}  // namespace scenario::autore
