// Windows implementation: the wait window, the message boxes and the end of the
// process. Text is UTF-8 inside the program: the executable's path and the
// message boxes go through the wide-character calls, so that a folder name in
// any script survives; the wait window's fixed ASCII texts use the ANSI calls.
#include <windows.h>

#include <cstdio>
#include <string>

#include "platform/piattaforma.h"
#include "sources/testo_visibile.h"
#include "platform/testo_windows.h"

namespace piattaforma {

namespace {

// The title of every message box: the application's name.
constexpr const wchar_t* titolo_applicazione = L"scenario-builder";
constexpr const char* classe_attesa = "scenario_builder_attesa";
constexpr int id_etichetta = 1;

// The wait window's geometry in twips (1/1440 inch), as a form states it; the
// screen's dpi turns it into pixels (280 x 179 client, label 64, 64, 177 x 53
// at 96 dpi).
constexpr int twips_per_pollice = 1440;
constexpr int larghezza_area = 4200;
constexpr int altezza_area = 2688;
constexpr int etichetta_sinistra = 960;
constexpr int etichetta_alto = 960;
constexpr int etichetta_larghezza = 2652;
constexpr int etichetta_altezza = 792;
constexpr int punti_carattere = 24;

// The wait window once shown: the owner of later message boxes, so that they
// stand in front of it and it takes no input while one is open.
HWND finestra_attesa = nullptr;

int in_pixel(int twips, int dpi) { return MulDiv(twips, dpi, twips_per_pollice); }

// A Windows call of this layer failed: the unhandled-failure report with the
// system's error number and text.
[[noreturn]] void fallisci_windows(const char* operazione) {
    const DWORD numero = GetLastError();
    segnala_errore_non_gestito(operazione, "", static_cast<int>(numero), testo_errore_windows(numero));
}

// The directory part of a module path. A root ("C:\") keeps its separator.
std::string cartella_di(const std::string& percorso) {
    const std::size_t ultimo = percorso.find_last_of("\\/");
    if (ultimo == std::string::npos) return percorso;
    const bool radice = ultimo == 0 || percorso[ultimo - 1] == ':';
    return percorso.substr(0, radice ? ultimo + 1 : ultimo);
}

// The form's colours: system colours for the background and the label's text.
// A close request is ignored: the window goes away with the process only.
LRESULT CALLBACK procedura_attesa(HWND finestra, UINT messaggio, WPARAM w, LPARAM l) {
    switch (messaggio) {
        case WM_CTLCOLORSTATIC: {
            HDC dc = reinterpret_cast<HDC>(w);
            SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
            SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
        }
        case WM_CLOSE:
            return 0;
        default:
            return DefWindowProcA(finestra, messaggio, w, l);
    }
}

void registra_classe(HINSTANCE istanza) {
    WNDCLASSA classe{};
    classe.lpfnWndProc = procedura_attesa;
    classe.hInstance = istanza;
    classe.hIcon = LoadIconA(nullptr, reinterpret_cast<const char*>(IDI_APPLICATION));
    classe.hCursor = LoadCursorA(nullptr, reinterpret_cast<const char*>(IDC_ARROW));
    classe.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    classe.lpszClassName = classe_attesa;
    if (RegisterClassA(&classe) == 0) fallisci_windows("register the window class");
}

struct dpi_schermo {
    int x;
    int y;
};

// The screen's dpi; 96 when the screen gives none.
dpi_schermo leggi_dpi() {
    HDC schermo = GetDC(nullptr);
    dpi_schermo dpi{GetDeviceCaps(schermo, LOGPIXELSX), GetDeviceCaps(schermo, LOGPIXELSY)};
    if (schermo != nullptr) ReleaseDC(nullptr, schermo);
    if (dpi.x <= 0) dpi.x = 96;
    if (dpi.y <= 0) dpi.y = 96;
    return dpi;
}

HWND crea_finestra(HINSTANCE istanza, dpi_schermo dpi) {
    const DWORD stile = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    RECT cornice{0, 0, in_pixel(larghezza_area, dpi.x), in_pixel(altezza_area, dpi.y)};
    AdjustWindowRect(&cornice, stile, FALSE);
    HWND finestra = CreateWindowExA(0, classe_attesa, "", stile, CW_USEDEFAULT, CW_USEDEFAULT,
                                    cornice.right - cornice.left, cornice.bottom - cornice.top, nullptr, nullptr,
                                    istanza, nullptr);
    if (finestra == nullptr) fallisci_windows("create the window");
    return finestra;
}

void crea_etichetta(HWND finestra, HINSTANCE istanza, dpi_schermo dpi) {
    HWND etichetta = CreateWindowExA(
        0, "STATIC", "Attendere", WS_CHILD | WS_VISIBLE | SS_LEFT, in_pixel(etichetta_sinistra, dpi.x),
        in_pixel(etichetta_alto, dpi.y), in_pixel(etichetta_larghezza, dpi.x), in_pixel(etichetta_altezza, dpi.y),
        finestra, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id_etichetta)), istanza, nullptr);
    if (etichetta == nullptr) fallisci_windows("create the label");
    HFONT carattere = CreateFontA(-MulDiv(punti_carattere, dpi.y, 72), 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE,
                                  ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                  DEFAULT_PITCH | FF_DONTCARE, "MS Sans Serif");
    if (carattere != nullptr) SendMessageA(etichetta, WM_SETFONT, reinterpret_cast<WPARAM>(carattere), FALSE);
}

// A message box owned by the wait window when there is one. When no box can
// be shown the text goes to standard error, which is all that is left.
void mostra_box(const std::string& testo, UINT tipo) {
    if (MessageBoxW(finestra_attesa, in_utf16(testo).c_str(), titolo_applicazione, tipo) == 0) {
        std::fprintf(stderr, "%s\n", testo.c_str());
        std::fflush(stderr);
    }
}

}  // namespace

std::string cartella_eseguibile() {
    std::wstring percorso(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, percorso.data(), static_cast<DWORD>(percorso.size()));
        if (n == 0) fallisci_windows("locate the executable");
        if (n < percorso.size()) {
            percorso.resize(n);
            return cartella_di(in_utf8(percorso));
        }
        // Cut short: the path is longer than the buffer.
        if (percorso.size() >= 65536) fallisci_windows("locate the executable");
        percorso.resize(percorso.size() * 2);
    }
}

void mostra_attesa() {
    HINSTANCE istanza = GetModuleHandleA(nullptr);
    const dpi_schermo dpi = leggi_dpi();
    registra_classe(istanza);
    HWND finestra = crea_finestra(istanza, dpi);
    crea_etichetta(finestra, istanza, dpi);
    ShowWindow(finestra, SW_SHOWNORMAL);
    UpdateWindow(finestra);
    finestra_attesa = finestra;
}

void mostra_messaggio(const std::string& testo) { mostra_box(testo, MB_OK); }

void segnala_errore_non_gestito(const std::string& operazione, const std::string& percorso, int numero,
                                const std::string& descrizione) {
    std::string testo = "Unhandled failure: " + operazione;
    if (!percorso.empty()) testo += " \"" + visibile_percorso(percorso) + "\"";
    testo += "\r\n\r\n";
    if (numero != 0) testo += "Error " + std::to_string(numero) + ": ";
    testo += visibile_percorso(descrizione);
    mostra_box(testo, MB_OK | MB_ICONERROR);
    termina(2);
}

void termina(int stato) {
    std::fflush(nullptr);
    ExitProcess(static_cast<UINT>(stato));
}

}  // namespace piattaforma
