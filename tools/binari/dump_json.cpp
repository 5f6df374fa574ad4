#include "tools/binari/dump_json.h"

#include "tools/comune/testo_1252.h"
#include "track/disposizione_binaria.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <string>

namespace {

// A record's fields in the order of its layout: numbers signed or unsigned as
// the field is, texts decoded from Windows-1252.
template <typename R, std::size_t N>
nlohmann::ordered_json json_record(const R& r, const std::array<campo_binario<R>, N>& campi) {
    nlohmann::ordered_json j = nlohmann::ordered_json::object();
    for (const campo_binario<R>& f : campi) {
        auto& valore = j[std::string(f.nome)];
        if (f.testo != nullptr) {
            valore = utf8_da_1252(f.testo(r));
        } else if (f.con_segno) {
            valore = f.valore(r);
        } else {
            valore = static_cast<std::uint64_t>(f.valore(r));
        }
    }
    return j;
}

}  // namespace

nlohmann::ordered_json json_cella(const cella& c) { return json_record(c, campi_cella); }

nlohmann::ordered_json json_voce(const voce_scenario& v) { return json_record(v, campi_voce); }

namespace {

// {"kind":KIND,"LIST":[...]}: the objects of the list written one by one, so
// that the list is never held whole; it stops early once `o` has failed.
template <typename Sequenza, typename Oggetto>
void scrivi_json_elenco(std::ostream& o, const char* tipo, const char* elenco, const Sequenza& s, Oggetto oggetto) {
    o << "{\"kind\":\"" << tipo << "\",\"" << elenco << "\":[";
    bool primo = true;
    for (const auto& x : s) {
        if (!o) return;
        if (!primo) o << ',';
        o << testo_json(oggetto(x));
        primo = false;
    }
    o << "]}";
}

}  // namespace

void scrivi_json_tracciato(std::ostream& o, const std::vector<cella>& tracciato) {
    scrivi_json_elenco(o, "track", "cells", tracciato, json_cella);
}

void scrivi_json_scenario(std::ostream& o, const std::array<voce_scenario, voci_scenario>& scenario) {
    scrivi_json_elenco(o, "table", "entries", scenario, json_voce);
}

nlohmann::json json_doppio(double d) {
    if (std::isfinite(d)) return d;
    if (std::isinf(d)) return d > 0 ? "Infinity" : "-Infinity";
    const auto bit = std::bit_cast<std::uint64_t>(d);
    if (bit == nan_canonico) return "NaN";
    char testo[32];
    std::snprintf(testo, sizeof testo, "NaN:0x%016llx", static_cast<unsigned long long>(bit));
    return testo;
}

std::optional<double> doppio_da_json(const nlohmann::json& j) {
    if (j.is_number()) return j.get<double>();
    if (!j.is_string()) return std::nullopt;
    const std::string& t = j.get_ref<const std::string&>();
    if (t == "Infinity") return std::numeric_limits<double>::infinity();
    if (t == "-Infinity") return -std::numeric_limits<double>::infinity();
    if (t == "NaN") return std::bit_cast<double>(nan_canonico);
    const std::string testa = "NaN:0x";
    if (t.size() != testa.size() + 16 || t.compare(0, testa.size(), testa) != 0) return std::nullopt;
    std::uint64_t bit = 0;
    for (std::size_t i = testa.size(); i < t.size(); ++i) {
        const char c = t[i];
        const int cifra = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
        if (cifra < 0) return std::nullopt;
        bit = (bit << 4) | static_cast<std::uint64_t>(cifra);
    }
    const double d = std::bit_cast<double>(bit);
    if (!std::isnan(d)) return std::nullopt;
    return d;
}

nlohmann::json json_elemento(const elemento_letto& e) {
    switch (e.tipo) {
        case tipo_valore::intero: return static_cast<std::int64_t>(e.valore);
        case tipo_valore::doppio: return json_doppio(e.valore);
        case tipo_valore::vuoto: break;
    }
    return nullptr;
}

nlohmann::json json_elemento(const planimetria_linea& p, std::size_t e) { return json_elemento({p.tipi[e], p.valori[e]}); }

void scrivi_json_planimetria(std::ostream& o, const lettore_planimetria& f) {
    const std::size_t punti = f.elementi / 2;
    const char* const parti[] = {"{\"kind\":\"plan\",\"x\":[", "],\"y\":["};
    std::size_t posizione = 0;  // the x elements, then the y elements, as the file holds them
    for (std::size_t coordinata = 0; coordinata < 2; ++coordinata) {
        o << parti[coordinata];
        for (std::size_t m = 0; m < punti; ++m) {
            if (!o) return;
            if (m > 0) o << ',';
            o << json_elemento(elemento_da(f, posizione));
        }
    }
    o << "]}";
}

std::string testo_json(const nlohmann::ordered_json& j) { return j.dump(-1, ' ', true); }
