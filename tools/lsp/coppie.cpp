#include "tools/lsp/coppie.h"

#include <algorithm>
#include <cctype>
#include <string_view>
#include <filesystem>
#include <system_error>

#include "tools/comune/nomi.h"

namespace {

int cifra_esadecimale(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::string decodifica(const std::string& t) {
    std::string r;
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (t[i] == '%' && i + 2 < t.size() && cifra_esadecimale(t[i + 1]) >= 0 && cifra_esadecimale(t[i + 2]) >= 0) {
            r += static_cast<char>(cifra_esadecimale(t[i + 1]) * 16 + cifra_esadecimale(t[i + 2]));
            i += 2;
        } else {
            r += t[i];
        }
    }
    return r;
}

bool drive(const std::string& p) {
    return p.size() >= 3 && p[0] == '/' && std::isalpha(static_cast<unsigned char>(p[1])) != 0 && p[2] == ':';
}

std::string nome_base(const std::string& percorso) {
    const std::size_t barra = percorso.find_last_of("/\\");
    return barra == std::string::npos ? percorso : percorso.substr(barra + 1);
}

}  // namespace

namespace {

const std::string schema_file = "file://";

// The host and the decoded path of a "file:" URI; nothing for another scheme.
std::optional<std::pair<std::string, std::string>> parti_uri(const std::string& uri) {
    if (uri.size() < schema_file.size() || uri.compare(0, schema_file.size(), schema_file) != 0) return std::nullopt;
    const std::string resto = uri.substr(schema_file.size());
    const std::size_t barra = resto.find('/');
    if (barra == std::string::npos) return std::nullopt;
    return std::pair(resto.substr(0, barra), decodifica(resto.substr(barra)));
}

}  // namespace

bool uri_con_nul(const std::string& uri) {
    const auto parti = parti_uri(uri);
    return parti && parti->second.find('\0') != std::string::npos;
}

std::string testo_uri_con_nul() {
    return "the file address holds a NUL byte (%00), which no file name may hold: no file is read for it, and it is "
           "not checked";
}

std::optional<std::string> percorso_da_uri(const std::string& uri) {
    const auto parti = parti_uri(uri);
    if (!parti || parti->second.find('\0') != std::string::npos) return std::nullopt;
    const auto& [host, p] = *parti;
    if (drive(p)) return p.substr(1);
    if (!host.empty() && host != "localhost") return "//" + host + p;
    return p;
}

std::string uri_da_percorso(const std::string& percorso) {
    std::string p = percorso;
    std::replace(p.begin(), p.end(), '\\', '/');
    if (p.size() >= 2 && p[1] == ':') p = "/" + p;
    static const char* const cifre = "0123456789ABCDEF";
    std::string r = "file://";
    for (const char c : p) {
        const auto b = static_cast<unsigned char>(c);
        if (std::isalnum(b) != 0 || std::string_view("/-._~:").find(c) != std::string_view::npos) {
            r += c;
        } else {
            r += '%';
            r += cifre[b >> 4];
            r += cifre[b & 15];
        }
    }
    return r;
}

nome_in_coppia classifica(const std::string& percorso) {
    nome_in_coppia f;
    if (const std::optional<std::string> linea = linea_da_file(percorso)) {
        f.ruolo = ruolo_file::linea;
        f.linea = *linea;
        return f;
    }
    const std::string base = nome_base(percorso);
    const std::string coda = "-.txt";
    if (base.size() <= coda.size() || base.compare(base.size() - coda.size(), coda.size(), coda) != 0) return f;
    const std::string radice = base.substr(0, base.size() - coda.size());
    const std::size_t ultimo = radice.find_last_of('_');
    if (ultimo == std::string::npos || ultimo == 0) return f;
    const std::string linea = radice.substr(0, ultimo);
    const std::optional<std::string> treno = treno_da_file(percorso, linea);
    if (!treno || !linea_da_file(linea + "_linea.txt")) return f;
    f.ruolo = ruolo_file::treno;
    f.linea = linea;
    f.treno = *treno;
    return f;
}

std::string cartella_di(const std::string& percorso) {
    const std::size_t barra = percorso.find_last_of("/\\");
    return barra == std::string::npos ? "" : percorso.substr(0, barra);
}

std::string nel_cartella(const std::string& cartella, const std::string& nome) {
    return cartella.empty() ? nome : cartella + "/" + nome;
}

std::string file_linea_di(const std::string& cartella, const std::string& linea) {
    return nel_cartella(cartella, linea + "_linea.txt");
}

std::vector<std::string> treni_su_disco(const std::string& cartella, const std::string& linea) {
    std::vector<std::string> treni;
    std::error_code e;
    // Paths are UTF-8 (on Windows too, where a narrow path would be taken in the ANSI code page).
    const std::string radice = cartella.empty() ? "." : cartella;
    std::filesystem::directory_iterator it(std::filesystem::path(std::u8string(radice.begin(), radice.end())), e);
    for (; !e && it != std::filesystem::directory_iterator(); it.increment(e)) {
        const std::u8string u8 = it->path().filename().u8string();
        const std::string nome(u8.begin(), u8.end());
        const nome_in_coppia f = classifica(nome);
        if (f.ruolo == ruolo_file::treno && f.linea == linea) treni.push_back(nel_cartella(cartella, nome));
    }
    std::sort(treni.begin(), treni.end());
    return treni;
}

std::string testo_senza_coppia(const std::string& percorso) {
    std::string t = "this file is named neither as a line file (\"NAME_linea.txt\") nor as a train file "
                    "(\"NAME_NUM-.txt\" beside \"NAME_linea.txt\"), so it is not checked";
    if (const std::optional<std::string> s = nome_linea_suggerito(percorso)) t += "; a line file would be named " + *s;
    return t;
}
