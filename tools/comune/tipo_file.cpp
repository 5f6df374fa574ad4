#include "tools/comune/tipo_file.h"

#include <array>

#include "tools/comune/errore_uso.h"


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

namespace {

// The files by the kind each name tells; nothing when a name tells none, two
// tell the same kind, or the table or the track is missing.
std::optional<file_scenario> per_nome(const std::vector<std::string>& file) {
    std::array<std::optional<std::string>, 3> per_tipo;
    for (const std::string& f : file) {
        const std::optional<tipo_file> t = tipo_da_nome_file(f);
        if (!t) return std::nullopt;
        std::optional<std::string>& posto = per_tipo[static_cast<std::size_t>(*t)];
        if (posto) return std::nullopt;
        posto = f;
    }
    const auto& scenario = per_tipo[static_cast<std::size_t>(tipo_file::scenario)];
    const auto& tracciato = per_tipo[static_cast<std::size_t>(tipo_file::tracciato)];
    if (!scenario || !tracciato) return std::nullopt;
    return file_scenario{per_tipo[static_cast<std::size_t>(tipo_file::planimetria)], *scenario, *tracciato};
}

}  // namespace

file_scenario file_per_tipo(const std::vector<std::string>& file, const std::string& comando) {
    if (file.size() < 2 || file.size() > 3) {
        throw errore_uso{comando + " takes PLAN TABLE TRACK, or TABLE TRACK (" + std::to_string(file.size()) +
                         " files given)"};
    }
    if (std::optional<file_scenario> f = per_nome(file)) return *f;
    const std::size_t primo = file.size() == 3 ? 1 : 0;
    file_scenario f;
    if (primo == 1) f.planimetria = file[0];
    f.scenario = file[primo];
    f.tracciato = file[primo + 1];
    return f;
}
