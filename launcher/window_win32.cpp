// The program's window on Windows: an ordinary top-level window with one
// label, "Attendere", shown and painted before the work starts; the reports
// that end a run are modal message boxes over it.

#include <windows.h>

#include "launcher/app_info.h"
#include "launcher/window.h"
#include "platform/wide_text.h"

namespace scenario {
namespace {

// The window as designed, in twips (1/1440 inch). At 96 dots per inch the
// client area is 280 by 179 pixels and the label stands at 64,64, 177 by 53.
constexpr int twip_per_pollice = 1440;
constexpr int larghezza_area = 4200;
constexpr int altezza_area = 2685;
constexpr int sinistra_etichetta = 960;
constexpr int alto_etichetta = 960;
constexpr int larghezza_etichetta = 2652;
constexpr int altezza_etichetta = 792;

// The label's font: 24 points, bold, character set 0.
constexpr wchar_t carattere_etichetta[] = L"MS Sans Serif";
constexpr int punti_etichetta = 24;
constexpr int punti_per_pollice_tipografici = 72;

constexpr wchar_t classe_finestra[] = L"ScenarioAttendere";
constexpr wchar_t titolo[] = L"" SCENARIO_TITOLO;

struct Risoluzione {
    int x;
    int y;
};

Risoluzione risoluzione_schermo() {
    HDC schermo = GetDC(nullptr);
    const Risoluzione punti{GetDeviceCaps(schermo, LOGPIXELSX), GetDeviceCaps(schermo, LOGPIXELSY)};
    ReleaseDC(nullptr, schermo);
    return punti;
}

class FinestraWin32 final : public Finestra {
public:
    FinestraWin32() {
        istanza_ = GetModuleHandleW(nullptr);
        WNDCLASSEXW classe{};
        classe.cbSize = sizeof classe;
        classe.lpfnWndProc = DefWindowProcW;
        classe.hInstance = istanza_;
        classe.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
        classe.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
        classe.lpszClassName = classe_finestra;
        RegisterClassExW(&classe);

        const Risoluzione punti = risoluzione_schermo();
        auto px = [](int twip, int per_pollice) { return MulDiv(twip, per_pollice, twip_per_pollice); };

        // The outer size that gives the designed client area.
        constexpr DWORD stile = WS_OVERLAPPEDWINDOW;
        RECT esterno{0, 0, px(larghezza_area, punti.x), px(altezza_area, punti.y)};
        AdjustWindowRectEx(&esterno, stile, FALSE, 0);
        finestra_ = CreateWindowExW(0, classe_finestra, titolo, stile, CW_USEDEFAULT, CW_USEDEFAULT,
                                    esterno.right - esterno.left, esterno.bottom - esterno.top, nullptr,
                                    nullptr, istanza_, nullptr);

        carattere_ = CreateFontW(-MulDiv(punti_etichetta, punti.y, punti_per_pollice_tipografici), 0, 0, 0,
                                 FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                                 CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                                 carattere_etichetta);
        etichetta_ = CreateWindowExW(0, L"STATIC", L"Attendere", WS_CHILD | WS_VISIBLE | SS_LEFT,
                                     px(sinistra_etichetta, punti.x), px(alto_etichetta, punti.y),
                                     px(larghezza_etichetta, punti.x), px(altezza_etichetta, punti.y),
                                     finestra_, nullptr, istanza_, nullptr);
        SendMessageW(etichetta_, WM_SETFONT, reinterpret_cast<WPARAM>(carattere_), FALSE);
    }

    ~FinestraWin32() override {
        if (finestra_ != nullptr) {
            DestroyWindow(finestra_);
        }
        if (carattere_ != nullptr) {
            DeleteObject(carattere_);
        }
        UnregisterClassW(classe_finestra, istanza_);
    }

    FinestraWin32(const FinestraWin32&) = delete;
    FinestraWin32& operator=(const FinestraWin32&) = delete;

    // Nothing is painted after this: the work that follows does not let the
    // window system in, so the label must be on the screen now.
    void mostra() override {
        ShowWindow(finestra_, SW_SHOWNORMAL);
        RedrawWindow(finestra_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    }

    void errore(const std::string& testo) override { messaggio(testo, MB_OK); }

    void guasto(const std::string& testo) override { messaggio(testo, MB_OK | MB_ICONERROR); }

private:
    void messaggio(const std::string& testo, UINT tipo) {
        MessageBoxW(finestra_, platform::in_wide(testo).c_str(), titolo, tipo);
    }

    HINSTANCE istanza_ = nullptr;
    HWND finestra_ = nullptr;
    HWND etichetta_ = nullptr;
    HFONT carattere_ = nullptr;
};

}  // namespace

std::unique_ptr<Finestra> apri_finestra() {
    return std::make_unique<FinestraWin32>();
}

}  // namespace scenario
