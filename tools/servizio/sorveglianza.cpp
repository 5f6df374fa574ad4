#include "tools/servizio/sorveglianza.h"

#include <system_error>

impronta_file impronta_di(const std::string& percorso) {
    namespace fs = std::filesystem;
    // From UTF-8 on every system: a narrow string would be read in the ANSI
    // code page on Windows.
    const fs::path p(std::u8string(percorso.begin(), percorso.end()));
    std::error_code e;
    impronta_file f;
    f.tipo = fs::status(p, e).type();
    if (f.tipo == fs::file_type::not_found) return {};
    if (f.tipo == fs::file_type::regular) {
        f.dimensione = fs::file_size(p, e);
        if (e) return {fs::file_type::none, 0, 0};
    }
    const auto quando = fs::last_write_time(p, e);
    if (!e) f.modifica = static_cast<std::int64_t>(quando.time_since_epoch().count());
    return f;
}

sorveglianza sorveglia(const std::vector<impronta_file>& adesso) { return {adesso, adesso}; }

std::vector<std::size_t> da_ricostruire(sorveglianza& s, const std::vector<impronta_file>& adesso) {
    std::vector<std::size_t> cambiati;
    bool fermi = true;
    for (std::size_t i = 0; i < adesso.size(); ++i) {
        if (adesso[i] != s.costruite[i]) cambiati.push_back(i);
        if (adesso[i] != s.viste[i]) fermi = false;
    }
    s.viste = adesso;
    if (!fermi) return {};
    if (!cambiati.empty()) s.costruite = adesso;
    return cambiati;
}
