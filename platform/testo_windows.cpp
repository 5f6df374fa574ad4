#include "platform/testo_windows.h"

#include <windows.h>

namespace piattaforma {

std::wstring in_utf16(const std::string& utf8) {
    if (utf8.empty()) return {};
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring w(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), w.data(), n);
    return w;
}

std::string in_utf8(const std::wstring& utf16) {
    if (utf16.empty()) return {};
    const int n =
        WideCharToMultiByte(CP_UTF8, 0, utf16.data(), static_cast<int>(utf16.size()), nullptr, 0, nullptr, nullptr);
    std::string s(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, utf16.data(), static_cast<int>(utf16.size()), s.data(), n, nullptr, nullptr);
    return s;
}

std::string testo_errore_windows(unsigned long numero) {
    wchar_t* testo = nullptr;
    const DWORD n = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, numero,
        0, reinterpret_cast<wchar_t*>(&testo), 0, nullptr);
    std::string risultato = n > 0 ? in_utf8(std::wstring(testo, n)) : "unknown error";
    if (testo != nullptr) LocalFree(testo);
    while (!risultato.empty() && (risultato.back() == '\n' || risultato.back() == '\r' || risultato.back() == ' ')) {
        risultato.pop_back();
    }
    return risultato;
}

}  // namespace piattaforma
