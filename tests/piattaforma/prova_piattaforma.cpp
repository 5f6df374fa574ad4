// prova-piattaforma: drives the Windows platform layer for the checks that run
// under Wine, and inspects what it puts on the screen.
//
//   attesa                   shows the wait window, checks it, prints the label's
//                            screen rectangle, then stays up without processing
//                            messages until the file "fine" appears (60 s at most)
//   errore CODICE            shows the wait window, then ends like the builder on
//                            a numbered error: message box, exit status 1
//   rapporto                 the unhandled-failure report of a failed file
//                            creation (C runtime error 13), exit status 2
//   rapporto-windows         a second wait window: the window class is already
//                            registered, and the report shows the Windows error
//                            number with the system's text; exit status 2
//   cartella                 prints the executable's directory (UTF-8)
//   blocco                   takes the builder's lock on the executable's
//                            directory, prints "bloccata", and holds it until
//                            the file "fine" appears (60 s at most)
//   box TITOLO TESTO ICONE   waits (20 s at most) for a message box with that
//                            title in any process, checks that its text (UTF-8,
//                            line ends as "\n") contains TESTO, that it has one
//                            button "OK" and ICONE icons
//   chiudi TITOLO            presses OK in that message box
//
// Every check prints what it saw; the exit status is 0 when all checks hold.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "sources/errore_esecuzione.h"
#include "track/errore.h"
#include "platform/blocco_cartella.h"
#include "platform/piattaforma.h"
#include "platform/riga_comando.h"
#include "platform/testo_windows.h"

namespace {

int fallimenti = 0;

void verifica(bool condizione, const std::string& cosa) {
    std::printf("%s %s\n", condizione ? "ok  " : "FAIL", cosa.c_str());
    if (!condizione) ++fallimenti;
}

// A window's text, UTF-8.
std::string testo_di(HWND finestra) {
    wchar_t testo[1024] = {};
    DWORD_PTR n = 0;
    SendMessageTimeoutW(finestra, WM_GETTEXT, sizeof testo / sizeof testo[0], reinterpret_cast<LPARAM>(testo),
                        SMTO_ABORTIFHUNG, 2000, &n);
    return piattaforma::in_utf8(std::wstring(testo, n));
}

std::string classe_di(HWND finestra) {
    char classe[256] = {};
    GetClassNameA(finestra, classe, sizeof classe);
    return classe;
}

std::string rettangolo(const RECT& r) {
    return std::to_string(r.left) + " " + std::to_string(r.top) + " " + std::to_string(r.right - r.left) + " " +
           std::to_string(r.bottom - r.top);
}

BOOL CALLBACK aggiungi_finestra(HWND finestra, LPARAM elenco) {
    reinterpret_cast<std::vector<HWND>*>(elenco)->push_back(finestra);
    return TRUE;
}

// The visible top-level windows of this thread (the system may keep hidden
// ones of its own, an input method window for one).
std::vector<HWND> finestre_del_thread() {
    std::vector<HWND> tutte;
    EnumThreadWindows(GetCurrentThreadId(), aggiungi_finestra, reinterpret_cast<LPARAM>(&tutte));
    std::vector<HWND> visibili;
    for (HWND finestra : tutte) {
        if (IsWindowVisible(finestra)) visibili.push_back(finestra);
    }
    return visibili;
}

std::vector<HWND> figli_di(HWND finestra) {
    std::vector<HWND> elenco;
    EnumChildWindows(finestra, aggiungi_finestra, reinterpret_cast<LPARAM>(&elenco));
    return elenco;
}

// --- the wait window -------------------------------------------------------

void verifica_carattere(HWND etichetta, int dpi_y) {
    HFONT carattere = reinterpret_cast<HFONT>(SendMessageA(etichetta, WM_GETFONT, 0, 0));
    LOGFONTA lf{};
    verifica(carattere != nullptr && GetObjectA(carattere, sizeof lf, &lf) == sizeof lf, "label font set");
    verifica(std::string(lf.lfFaceName) == "MS Sans Serif", std::string("font face \"") + lf.lfFaceName + "\"");
    verifica(lf.lfHeight == -MulDiv(24, dpi_y, 72), "font height " + std::to_string(lf.lfHeight) + " (24 point)");
    verifica(lf.lfWeight == 700, "font weight " + std::to_string(lf.lfWeight));
    verifica(lf.lfCharSet == 0, "font character set " + std::to_string(lf.lfCharSet));
    verifica(!lf.lfItalic && !lf.lfUnderline && !lf.lfStrikeOut, "not italic, underlined or struck out");

    // What the system made of the request, for the log.
    HDC dc = GetDC(etichetta);
    HGDIOBJ prima = SelectObject(dc, carattere);
    char faccia[LF_FACESIZE] = {};
    GetTextFaceA(dc, sizeof faccia, faccia);
    SIZE misura{};
    GetTextExtentPoint32A(dc, "Attendere", 9, &misura);
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    SelectObject(dc, prima);
    ReleaseDC(etichetta, dc);
    std::printf("font drawn: \"%s\", text %ld x %ld px, weight %ld%s\n", faccia, misura.cx, misura.cy, tm.tmWeight,
                (tm.tmPitchAndFamily & TMPF_TRUETYPE) ? ", TrueType" : "");
}

void verifica_attesa(HWND finestra) {
    HDC schermo = GetDC(nullptr);
    const int dpi_x = GetDeviceCaps(schermo, LOGPIXELSX);
    const int dpi_y = GetDeviceCaps(schermo, LOGPIXELSY);
    ReleaseDC(nullptr, schermo);
    verifica(dpi_x == 96 && dpi_y == 96, "screen at 96 dpi (" + std::to_string(dpi_x) + ")");

    verifica(IsWindowVisible(finestra) != FALSE, "window visible");
    verifica(GetWindow(finestra, GW_OWNER) == nullptr, "window has no owner");
    verifica(testo_di(finestra).empty(), "empty title");
    const LONG stile = GetWindowLongA(finestra, GWL_STYLE);
    verifica((stile & WS_OVERLAPPEDWINDOW) == WS_OVERLAPPEDWINDOW, "resizable frame with title-bar buttons");
    RECT area{};
    GetClientRect(finestra, &area);
    verifica(area.right == 280 && area.bottom == 179, "client area " + rettangolo(area));
    verifica(GetClassLongPtrA(finestra, GCLP_HBRBACKGROUND) == COLOR_BTNFACE + 1, "background: button face colour");

    const std::vector<HWND> figli = figli_di(finestra);
    verifica(figli.size() == 1, "one control");
    if (figli.size() != 1) return;
    HWND etichetta = figli[0];
    verifica(classe_di(etichetta) == "Static", "the control is a label");
    verifica(testo_di(etichetta) == "Attendere", "label text \"" + testo_di(etichetta) + "\"");
    RECT posto{};
    GetWindowRect(etichetta, &posto);
    MapWindowPoints(nullptr, finestra, reinterpret_cast<POINT*>(&posto), 2);
    verifica(posto.left == 64 && posto.top == 64 && posto.right - posto.left == 177 && posto.bottom - posto.top == 53,
             "label at " + rettangolo(posto));
    verifica_carattere(etichetta, dpi_y);

    // Handled at once by the window's own procedure, no message loop needed.
    SendMessageA(finestra, WM_CLOSE, 0, 0);
    verifica(IsWindow(finestra) && IsWindowVisible(finestra), "a close request leaves the window up");

    RECT schermo_area{};
    GetClientRect(finestra, &schermo_area);
    MapWindowPoints(finestra, nullptr, reinterpret_cast<POINT*>(&schermo_area), 2);
    RECT schermo_etichetta{};
    GetWindowRect(etichetta, &schermo_etichetta);
    const COLORREF sfondo = GetSysColor(COLOR_BTNFACE);
    std::printf("area_schermo %s\n", rettangolo(schermo_area).c_str());
    std::printf("etichetta_schermo %s\n", rettangolo(schermo_etichetta).c_str());
    std::printf("sfondo %d %d %d\n", GetRValue(sfondo), GetGValue(sfondo), GetBValue(sfondo));
}

// Stays up without processing any message, as the builder does while it works.
void attendi_file(const char* nome, int secondi) {
    for (int i = 0; i < secondi * 10 && GetFileAttributesA(nome) == INVALID_FILE_ATTRIBUTES; ++i) Sleep(100);
}

int attesa() {
    piattaforma::mostra_attesa();
    const std::vector<HWND> finestre = finestre_del_thread();
    verifica(finestre.size() == 1, "one top-level window");
    if (finestre.size() == 1) verifica_attesa(finestre[0]);
    std::printf("pronta\n");
    std::fflush(stdout);
    attendi_file("fine", 60);
    return fallimenti == 0 ? 0 : 3;
}

// --- message boxes ---------------------------------------------------------

int errore_numerato(const std::string& codice) {
    piattaforma::mostra_attesa();
    try {
        errore(codice);
    } catch (const errore_segnalato& e) {
        piattaforma::mostra_messaggio(e.messaggio);
        piattaforma::termina(1);
    }
    return 3;
}

int rapporto() {
    piattaforma::segnala_errore_non_gestito("create", "C:\\scenari\\Tava Aeroporto-Rovea_30742_note.txt", 13,
                                            "Permission denied");
}

int blocco() {
    try {
        const piattaforma::blocco_cartella b = piattaforma::blocca_cartella(piattaforma::cartella_eseguibile());
        std::printf("bloccata\n");
        std::fflush(stdout);
        attendi_file("fine", 60);
    } catch (const errore_esecuzione& e) {
        std::printf("FAIL lock: %s\n", e.what());
        return 3;
    }
    return 0;
}

int rapporto_windows() {
    piattaforma::mostra_attesa();
    piattaforma::mostra_attesa();
    return 3;
}

HWND trova_box(const std::string& titolo, int secondi) {
    for (int i = 0; i < secondi * 10; ++i) {
        HWND box = FindWindowA("#32770", titolo.c_str());
        if (box != nullptr && IsWindowVisible(box)) return box;
        Sleep(100);
    }
    return nullptr;
}

int box(const std::string& titolo, const std::string& atteso, int icone_attese) {
    HWND trovato = trova_box(titolo, 20);
    verifica(trovato != nullptr, "message box \"" + titolo + "\" on the screen");
    if (trovato == nullptr) return 3;
    std::vector<std::string> testi;
    std::vector<std::string> pulsanti;
    int icone = 0;
    for (HWND figlio : figli_di(trovato)) {
        if (!IsWindowVisible(figlio)) continue;
        const std::string classe = classe_di(figlio);
        if (classe == "Button") pulsanti.push_back(testo_di(figlio));
        if (classe != "Static") continue;
        if ((GetWindowLongA(figlio, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
            // The box keeps an icon control; it counts when it shows an image.
            if (SendMessageA(figlio, STM_GETICON, 0, 0) != 0) ++icone;
        } else {
            testi.push_back(testo_di(figlio));
        }
    }
    // The text with its line ends as "\n", so that a check can span lines.
    std::string testo;
    for (const std::string& t : testi) {
        for (const char c : t) {
            if (c != '\r') testo += c;
        }
    }
    std::printf("testo \"%s\"\n", testo.c_str());
    verifica(testo.find(atteso) != std::string::npos, "the text holds \"" + atteso + "\"");
    verifica(pulsanti.size() == 1 && pulsanti[0] == "OK", "one button, OK");
    verifica(icone == icone_attese, std::to_string(icone) + " icons");
    RECT r{};
    GetWindowRect(trovato, &r);
    std::printf("box_schermo %s\n", rettangolo(r).c_str());
    return fallimenti == 0 ? 0 : 3;
}

int chiudi(const std::string& titolo) {
    HWND trovato = trova_box(titolo, 5);
    verifica(trovato != nullptr, "message box \"" + titolo + "\" to close");
    if (trovato == nullptr) return 3;
    PostMessageA(trovato, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    for (int i = 0; i < 50 && IsWindow(trovato); ++i) Sleep(100);
    verifica(!IsWindow(trovato), "message box closed");
    return fallimenti == 0 ? 0 : 3;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> a = piattaforma::argomenti_utf8(argc, argv);
    int stato = 2;
    if (a.size() == 1 && a[0] == "attesa") {
        stato = attesa();
    } else if (a.size() == 2 && a[0] == "errore") {
        stato = errore_numerato(a[1]);
    } else if (a.size() == 1 && a[0] == "rapporto") {
        stato = rapporto();
    } else if (a.size() == 1 && a[0] == "rapporto-windows") {
        stato = rapporto_windows();
    } else if (a.size() == 1 && a[0] == "blocco") {
        stato = blocco();
    } else if (a.size() == 1 && a[0] == "cartella") {
        std::printf("%s\n", piattaforma::cartella_eseguibile().c_str());
        stato = 0;
    } else if (a.size() == 4 && a[0] == "box") {
        stato = box(a[1], a[2], std::atoi(a[3].c_str()));
    } else if (a.size() == 2 && a[0] == "chiudi") {
        stato = chiudi(a[1]);
    } else {
        std::fprintf(stderr, "usage: prova-piattaforma attesa | errore CODICE | rapporto | rapporto-windows | cartella | "
                             "blocco | box TITOLO TESTO ICONE | chiudi TITOLO\n");
    }
    std::fflush(stdout);
    return stato;
}
