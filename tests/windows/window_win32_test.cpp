// The real window and message boxes of the Windows program, looked at from
// inside Windows the way a user sees them.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "compiler/compiler.h"
#include "description/file_names.h"
#include "launcher/app_info.h"
#include "launcher/window.h"
#include "platform/memory_folder.h"

namespace scenario {
namespace {

const std::wstring titolo = L"" SCENARIO_TITOLO;

std::wstring testo_di(HWND finestra) {
    std::wstring testo(static_cast<std::size_t>(GetWindowTextLengthW(finestra)) + 1, L'\0');
    testo.resize(static_cast<std::size_t>(GetWindowTextW(finestra, testo.data(), static_cast<int>(testo.size()))));
    return testo;
}

// The class name in capitals: the system's own classes are named in either case.
std::wstring classe_di(HWND finestra) {
    wchar_t nome[256] = {};
    GetClassNameW(finestra, nome, 256);
    CharUpperW(nome);
    return nome;
}

// Gathers the windows an enumeration of the system hands over.
BOOL CALLBACK raccogli(HWND finestra, LPARAM dati) {
    reinterpret_cast<std::vector<HWND>*>(dati)->push_back(finestra);
    return TRUE;
}

std::vector<HWND> finestre_del_thread(DWORD thread) {
    std::vector<HWND> trovate;
    EnumThreadWindows(thread, raccogli, reinterpret_cast<LPARAM>(&trovate));
    return trovate;
}

std::vector<HWND> figlie_di(HWND finestra) {
    std::vector<HWND> figlie;
    EnumChildWindows(finestra, raccogli, reinterpret_cast<LPARAM>(&figlie));
    return figlie;
}

// The top-level window of this thread with the program's title.
HWND finestra_del_programma() {
    for (HWND finestra : finestre_del_thread(GetCurrentThreadId())) {
        if (GetParent(finestra) == nullptr && testo_di(finestra) == titolo && classe_di(finestra) != L"#32770") {
            return finestra;
        }
    }
    return nullptr;
}

RECT rettangolo_nell_area(HWND figlia, HWND finestra) {
    RECT rettangolo{};
    GetWindowRect(figlia, &rettangolo);
    MapWindowPoints(nullptr, finestra, reinterpret_cast<POINT*>(&rettangolo), 2);
    return rettangolo;
}

TEST(FinestraWin32, ShowsAttendereAsDesignedAndPaintsItBeforeTheWork) {
    HDC schermo = GetDC(nullptr);
    const int punti_per_pollice = GetDeviceCaps(schermo, LOGPIXELSY);
    ReleaseDC(nullptr, schermo);
    ASSERT_EQ(punti_per_pollice, 96) << "the sizes below are those at 96 dots per inch";

    auto finestra = apri_finestra();
    finestra->mostra();

    HWND principale = finestra_del_programma();
    ASSERT_NE(principale, nullptr);
    EXPECT_TRUE(IsWindowVisible(principale));
    EXPECT_FALSE(IsIconic(principale));
    EXPECT_FALSE(IsZoomed(principale));
    EXPECT_EQ(GetWindow(principale, GW_OWNER), nullptr);
    const auto stile = static_cast<DWORD>(GetWindowLongW(principale, GWL_STYLE));
    EXPECT_EQ(stile & WS_OVERLAPPEDWINDOW, static_cast<DWORD>(WS_OVERLAPPEDWINDOW));

    RECT area{};
    GetClientRect(principale, &area);
    EXPECT_EQ(area.right - area.left, 280);
    EXPECT_EQ(area.bottom - area.top, 179);

    const auto figlie = figlie_di(principale);
    ASSERT_EQ(figlie.size(), 1u);
    HWND etichetta = figlie[0];
    EXPECT_EQ(classe_di(etichetta), L"STATIC");
    EXPECT_EQ(testo_di(etichetta), L"Attendere");
    const RECT posto = rettangolo_nell_area(etichetta, principale);
    EXPECT_EQ(posto.left, 64);
    EXPECT_EQ(posto.top, 64);
    EXPECT_EQ(posto.right - posto.left, 177);
    EXPECT_EQ(posto.bottom - posto.top, 53);

    const auto carattere = reinterpret_cast<HFONT>(SendMessageW(etichetta, WM_GETFONT, 0, 0));
    ASSERT_NE(carattere, nullptr);
    LOGFONTW descrizione{};
    ASSERT_NE(GetObjectW(carattere, sizeof descrizione, &descrizione), 0);
    EXPECT_EQ(std::wstring(descrizione.lfFaceName), L"MS Sans Serif");
    EXPECT_EQ(descrizione.lfHeight, -32);  // 24 points at 96 dots per inch
    EXPECT_EQ(descrizione.lfWeight, 700);
    EXPECT_EQ(descrizione.lfCharSet, 0);
    EXPECT_FALSE(descrizione.lfItalic || descrizione.lfUnderline || descrizione.lfStrikeOut);

    // Painted at once: neither the window nor the label waits for a repaint.
    EXPECT_FALSE(GetUpdateRect(principale, nullptr, FALSE));
    EXPECT_FALSE(GetUpdateRect(etichetta, nullptr, FALSE));
}

// What a message box of the program showed, read by a second thread, which
// then presses its OK button.
struct Casella {
    DWORD thread_del_programma = 0;
    bool trovata = false;
    std::wstring titolo;
    std::wstring testo;
    std::vector<int> bottoni;
    bool icona = false;
};

DWORD WINAPI leggi_e_premi_ok(void* dati) {
    auto& casella = *static_cast<Casella*>(dati);
    for (int tentativo = 0; tentativo < 200 && !casella.trovata; ++tentativo) {
        Sleep(50);
        for (HWND finestra : finestre_del_thread(casella.thread_del_programma)) {
            if (classe_di(finestra) != L"#32770" || !IsWindowVisible(finestra)) {
                continue;
            }
            casella.trovata = true;
            casella.titolo = testo_di(finestra);
            HWND testo = GetDlgItem(finestra, 0xFFFF);
            casella.testo = testo != nullptr ? testo_di(testo) : L"";
            HWND ok = nullptr;
            for (HWND figlia : figlie_di(finestra)) {
                if (!IsWindowVisible(figlia)) {
                    continue;
                }
                const auto stile = static_cast<DWORD>(GetWindowLongW(figlia, GWL_STYLE));
                const std::wstring classe = classe_di(figlia);
                if (classe == L"BUTTON") {
                    casella.bottoni.push_back(GetDlgCtrlID(figlia));
                    ok = figlia;
                } else if (classe == L"STATIC" && (stile & SS_TYPEMASK) == SS_ICON &&
                           SendMessageW(figlia, STM_GETICON, 0, 0) != 0) {
                    casella.icona = true;
                }
            }
            PostMessageW(finestra, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(ok));
            break;
        }
    }
    return 0;
}

// Runs the program's load handler with the box watched; returns its exit status.
int avvia_osservando(platform::Folder& cartella, Casella& casella) {
    casella.thread_del_programma = GetCurrentThreadId();
    HANDLE osservatore = CreateThread(nullptr, 0, leggi_e_premi_ok, &casella, 0, nullptr);
    EXPECT_NE(osservatore, nullptr);
    auto finestra = apri_finestra();
    const int stato = avvia(*finestra, cartella);
    WaitForSingleObject(osservatore, INFINITE);
    CloseHandle(osservatore);
    return stato;
}

// A folder whose first write meets the compiler's fatal error, as the
// compiled-file stage raises it.
class CartellaFatale final : public platform::Folder {
public:
    std::string path_of(std::string_view name) const override { return std::string(name); }
    bool exists(std::string_view) const override { return false; }
    void remove(std::string_view) override {}
    std::string read(std::string_view) const override { return {}; }
    void replace_parts(std::string_view, const Produttore&) override {
        ++scritture;
        throw ErroreFatale("1250");
    }
    int scritture = 0;
};

TEST(FinestraWin32, ErroreShowsTheCodeWithOnlyOkAndTheRunEndsAfterIt) {
    CartellaFatale cartella;
    Casella casella;

    EXPECT_EQ(avvia_osservando(cartella, casella), uscita::errore_fatale);

    ASSERT_TRUE(casella.trovata);
    EXPECT_EQ(casella.testo, L" Errore n. 1250");
    EXPECT_EQ(casella.titolo, titolo);
    EXPECT_EQ(casella.bottoni, std::vector<int>{IDOK});
    EXPECT_FALSE(casella.icona);
    EXPECT_EQ(cartella.scritture, 1);  // nothing runs after the report
}

TEST(FinestraWin32, AFailureOfTheSystemIsShownWithTheFileAndTheReason) {
    platform::MemoryFolder cartella;
    const std::string nome = nome_descrizione_linea(identita_scenario());
    cartella.fail_next(platform::MemoryFolder::Operation::replace, nome);
    Casella casella;

    EXPECT_EQ(avvia_osservando(cartella, casella), uscita::guasto);

    ASSERT_TRUE(casella.trovata);
    EXPECT_EQ(casella.testo, L"Impossibile completare l'operazione \"write\" sul file \"" +
                                 std::wstring(nome.begin(), nome.end()) + L"\": injected failure");
    EXPECT_EQ(casella.titolo, titolo);
    EXPECT_EQ(casella.bottoni, std::vector<int>{IDOK});
    EXPECT_TRUE(casella.icona);
}

}  // namespace
}  // namespace scenario
