#include "tools/tipo_file.h"


namespace {

char minuscola(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c; }

struct voce_tipo {
    tipo_file tipo;
    const char* parola;
};

constexpr voce_tipo tipi[] = {
    {tipo_file::planimetria, "plan"},
    {tipo_file::scenario, "table"},
    {tipo_file::tracciato, "track"},
};

}  // namespace

const char* nome_tipo(tipo_file t) {
    for (const voce_tipo& v : tipi) {
        if (v.tipo == t) return v.parola;
    }
    return "";
}

std::optional<tipo_file> tipo_da_parola(const std::string& parola) {
    for (const voce_tipo& v : tipi) {
        if (parola == v.parola) return v.tipo;
    }
    return std::nullopt;
}

bool finisce_con_senza_maiuscole(const std::string& s, const std::string& coda) {
    if (s.size() < coda.size()) return false;
    for (std::size_t i = 0; i < coda.size(); ++i) {
        if (minuscola(s[s.size() - coda.size() + i]) != minuscola(coda[i])) return false;
    }
    return true;
}

std::optional<tipo_file> tipo_da_nome_file(const std::string& percorso) {
    const std::string base = nome_base(percorso);
    if (finisce_con_senza_maiuscole(base, "_linea.dat")) return tipo_file::planimetria;
    if (finisce_con_senza_maiuscole(base, ".sim")) return tipo_file::scenario;
    if (finisce_con_senza_maiuscole(base, ".dat")) return tipo_file::tracciato;
    return std::nullopt;
}
