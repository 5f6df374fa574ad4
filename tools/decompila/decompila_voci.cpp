#include "tools/decompila/decompila_voci.h"

#include <algorithm>
#include <string>

#include "tools/binari/dump_testo.h"

namespace {

struct descrizione_campo {
    campo_voce campo;
    std::string_view nome;
    std::int64_t (*valore)(const voce_scenario&);
};

constexpr descrizione_campo campi[] = {
    {campo_voce::tipo, "tipo", [](const voce_scenario& v) -> std::int64_t { return v.tipo; }},
    {campo_voce::valore1, "valore1", [](const voce_scenario& v) -> std::int64_t { return v.valore1; }},
    {campo_voce::valore2, "valore2", [](const voce_scenario& v) -> std::int64_t { return v.valore2; }},
    {campo_voce::valore3, "valore3", [](const voce_scenario& v) -> std::int64_t { return v.valore3; }},
    {campo_voce::marca, "marca", [](const voce_scenario& v) -> std::int64_t { return v.marca; }},
    {campo_voce::par1, "par1", [](const voce_scenario& v) -> std::int64_t { return v.par1; }},
    {campo_voce::par2, "par2", [](const voce_scenario& v) -> std::int64_t { return v.par2; }},
    {campo_voce::par3, "par3", [](const voce_scenario& v) -> std::int64_t { return v.par3; }},
    {campo_voce::par4, "par4", [](const voce_scenario& v) -> std::int64_t { return v.par4; }},
    {campo_voce::par5, "par5", [](const voce_scenario& v) -> std::int64_t { return v.par5; }},
    {campo_voce::opz1, "opz1", [](const voce_scenario& v) -> std::int64_t { return v.opz1; }},
    {campo_voce::opz2, "opz2", [](const voce_scenario& v) -> std::int64_t { return v.opz2; }},
    {campo_voce::opz3, "opz3", [](const voce_scenario& v) -> std::int64_t { return v.opz3; }},
    {campo_voce::opz4, "opz4", [](const voce_scenario& v) -> std::int64_t { return v.opz4; }},
    {campo_voce::valore4, "valore4", [](const voce_scenario& v) -> std::int64_t { return v.valore4; }},
};

const descrizione_campo& descrizione(campo_voce c) { return campi[static_cast<std::size_t>(c)]; }

}  // namespace

std::int64_t valore_campo(const voce_scenario& v, campo_voce c) { return descrizione(c).valore(v); }

std::string_view nome_campo(campo_voce c) { return descrizione(c).nome; }

void campi_non_scritti(const voce_scenario& v, int numero, std::initializer_list<campo_voce> scritti, bool con_nome,
                       const char* chi, note_decompilazione& n) {
    for (const descrizione_campo& d : campi) {
        if (std::find(scritti.begin(), scritti.end(), d.campo) != scritti.end()) continue;
        const std::int64_t x = d.valore(v);
        if (x == 0) continue;
        annota(n, parte_scenario::scenario, numero,
               std::string(d.nome) + " is " + std::to_string(x) + "; no record writes it in " + chi);
    }
    if (!con_nome && !v.nome.empty()) {
        annota(n, parte_scenario::scenario, numero,
               "the name is " + testo_tra_virgolette(v.nome) + "; no record writes it in " + chi);
    }
}
