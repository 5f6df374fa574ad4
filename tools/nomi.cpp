#include "tools/nomi.h"

#include "tools/tipo_file.h"
#include "tools/windows1252.h"

namespace {

bool finisce_con(const std::string& s, const std::string& coda) {
    return s.size() >= coda.size() && s.compare(s.size() - coda.size(), coda.size(), coda) == 0;
}

bool nome_valido(const std::string& nome) {
    try {
        verifica_nome(nome, "name");
        return true;
    } catch (const errore_uso&) {
        return false;
    }
}

std::optional<std::string> se_valido(std::string nome) {
    if (!nome_valido(nome)) return std::nullopt;
    return nome;
}

}  // namespace

void verifica_nome(const std::string& nome, const std::string& che_cosa) {
    if (nome.empty()) throw errore_uso{"the " + che_cosa + " is empty"};
    if (nome.find_first_of("/\\") != std::string::npos) {
        throw errore_uso{"the " + che_cosa + " \"" + nome + "\" holds a path separator"};
    }
}

std::optional<std::string> linea_da_file(const std::string& percorso) {
    const std::string base = nome_base(percorso);
    const std::string coda = "_linea.txt";
    if (!finisce_con(base, coda)) return std::nullopt;
    return se_valido(base.substr(0, base.size() - coda.size()));
}

std::optional<std::string> treno_da_file(const std::string& percorso, const std::string& linea) {
    const std::string base = nome_base(percorso);
    const std::string coda = "-.txt";
    if (!finisce_con(base, coda)) return std::nullopt;
    const std::string radice = base.substr(0, base.size() - coda.size());
    const std::string testa = linea + "_";
    if (radice.size() > testa.size() && radice.compare(0, testa.size(), testa) == 0) {
        return se_valido(radice.substr(testa.size()));
    }
    const std::size_t ultimo = radice.find_last_of('_');
    if (ultimo == std::string::npos) return std::nullopt;
    return se_valido(radice.substr(ultimo + 1));
}

nomi_scenario nomi_compilazione(const richiesta_compilazione& r) {
    nomi_scenario n;
    if (r.nome_linea) {
        n.linea = *r.nome_linea;
    } else if (const auto linea = linea_da_file(r.file_linea)) {
        n.linea = *linea;
    } else {
        throw errore_uso{"the line name cannot be taken from \"" + r.file_linea +
                         "\" (not named NAME_linea.txt): give --line-name"};
    }
    if (r.numero_treno) {
        n.treno = *r.numero_treno;
    } else if (const auto treno = treno_da_file(r.file_treno, n.linea)) {
        n.treno = *treno;
    } else {
        throw errore_uso{"the train number cannot be taken from \"" + r.file_treno +
                         "\" (not named NAME_NUM-.txt): give --train-number"};
    }
    nomi_nel_modello(n);
    return n;
}

std::string nome_nel_modello(const std::string& nome, const std::string& che_cosa) {
#ifdef _WIN32
    return utf8_in_windows1252(nome, che_cosa);
#else
    (void)che_cosa;
    return nome;
#endif
}

nomi_scenario nomi_nel_modello(const nomi_scenario& nomi) {
    return {nome_nel_modello(nomi.linea, "line name"), nome_nel_modello(nomi.treno, "train number")};
}
