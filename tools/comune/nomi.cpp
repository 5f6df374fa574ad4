#include "tools/comune/nomi.h"

#include "tools/comune/tipo_file.h"
#include "tools/comune/windows1252.h"

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

// The name without a last ".txt" in any letter case.
std::string senza_txt(const std::string& base) {
    return finisce_con_senza_maiuscole(base, ".txt") ? base.substr(0, base.size() - 4) : base;
}

bool separatore_sbagliato(char c) { return c == '-' || c == ' ' || c == '_' || c == '.'; }

// `radice` without a last "linea" in any letter case and the one separator
// before it; nothing when no name stands before it.
std::optional<std::string> senza_linea(const std::string& radice) {
    const std::string parola = "linea";
    if (!finisce_con_senza_maiuscole(radice, parola)) return radice;
    const std::size_t resto = radice.size() - parola.size();
    if (resto < 2 || !separatore_sbagliato(radice[resto - 1])) return std::nullopt;
    return radice.substr(0, resto - 1);
}

// "NAME_NUM" from a root that lacks the "_": NAME followed by a hyphen or a
// blank, or the number alone.
std::optional<std::string> con_trattino_basso(const std::string& radice, const std::string& linea) {
    if (radice.find('_') != std::string::npos) return radice;
    const bool dopo_linea = radice.size() > linea.size() + 1 && radice.compare(0, linea.size(), linea) == 0 &&
                            (radice[linea.size()] == '-' || radice[linea.size()] == ' ');
    if (dopo_linea) return linea + "_" + radice.substr(linea.size() + 1);
    if (!radice.empty() && radice.find_first_not_of("0123456789") == std::string::npos) return linea + "_" + radice;
    return std::nullopt;
}

std::optional<std::string> se_diverso(const std::string& proposta, const std::string& base, bool adatto) {
    if (!adatto || proposta == base) return std::nullopt;
    return proposta;
}

bool come_file_treno(const std::string& base) { return finisce_con_senza_maiuscole(base, "-.txt"); }
bool come_file_linea(const std::string& base) { return finisce_con_senza_maiuscole(base, "_linea.txt"); }

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

std::optional<std::string> nome_linea_suggerito(const std::string& percorso) {
    const std::string base = nome_base(percorso);
    const std::string radice = senza_txt(base);
    if (come_file_treno(base) || radice.empty() || radice.back() == '-') return std::nullopt;
    // Without ".txt" only a name that ends in "linea" is taken for a line file's.
    const bool con_linea = finisce_con_senza_maiuscole(radice, "linea");
    if (!con_linea && radice.size() == base.size()) return std::nullopt;
    const std::optional<std::string> nome = senza_linea(radice);
    if (!nome) return std::nullopt;
    const std::string proposta = *nome + "_linea.txt";
    return se_diverso(proposta, base, linea_da_file(proposta).has_value());
}

std::optional<std::string> nome_treno_suggerito(const std::string& percorso, const std::string& linea) {
    const std::string base = nome_base(percorso);
    std::string radice = senza_txt(base);
    // Without ".txt" only a name that ends in the hyphen is taken for a train file's.
    if (come_file_linea(base) || (radice.size() == base.size() && (radice.empty() || radice.back() != '-'))) {
        return std::nullopt;
    }
    if (!radice.empty() && radice.back() == '-') radice.pop_back();
    const std::optional<std::string> con_numero = con_trattino_basso(radice, linea);
    if (!con_numero) return std::nullopt;
    const std::string proposta = *con_numero + "-.txt";
    return se_diverso(proposta, base, treno_da_file(proposta, linea).has_value());
}

bool file_scambiati(const std::string& file_linea, const std::string& file_treno) {
    return come_file_treno(nome_base(file_linea)) && come_file_linea(nome_base(file_treno));
}

namespace {

std::string consiglio(const std::optional<std::string>& nome, const std::string& opzione) {
    return nome ? "name it " + *nome + ", or give " + opzione : "give " + opzione;
}

}  // namespace

nomi_scenario nomi_compilazione(const richiesta_compilazione& r) {
    if (file_scambiati(r.file_linea, r.file_treno)) {
        throw errore_uso{"the files look swapped: \"" + r.file_linea + "\" is named like a train file and \"" +
                         r.file_treno + "\" like a line file; give the line file first, then the train file"};
    }
    nomi_scenario n;
    if (r.nome_linea) {
        n.linea = *r.nome_linea;
    } else if (const auto linea = linea_da_file(r.file_linea)) {
        n.linea = *linea;
    } else {
        throw errore_uso{"the line name cannot be taken from \"" + r.file_linea + "\" (not named NAME_linea.txt): " +
                         consiglio(nome_linea_suggerito(r.file_linea), "--line-name")};
    }
    if (r.numero_treno) {
        n.treno = *r.numero_treno;
    } else if (const auto treno = treno_da_file(r.file_treno, n.linea)) {
        n.treno = *treno;
    } else {
        throw errore_uso{"the train number cannot be taken from \"" + r.file_treno + "\" (not named NAME_NUM-.txt): " +
                         consiglio(nome_treno_suggerito(r.file_treno, n.linea), "--train-number")};
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
