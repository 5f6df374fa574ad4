#include "tests/fuzz/sonda_strumento.h"

#include <cstdint>
#include <cstdlib>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "tools/decompila/decompila.h"
#include "tools/binari/verifica_scenario.h"
#include "tools/vista/vista.h"
#include "track/lettura_binaria.h"

namespace {

void esigi(bool condizione, const char* proprieta) {
    if (condizione) return;
    std::fprintf(stderr, "property broken: %s\n", proprieta);
    std::abort();
}

std::vector<std::string> parti(std::string_view b) {
    std::vector<std::string> p;
    for (;;) {
        const std::size_t fine = b.find("@@@@");
        p.emplace_back(b.substr(0, fine));
        if (fine == std::string_view::npos) return p;
        b.remove_prefix(fine + 4);
    }
}

const nomi_scenario nomi{"L", "1"};

void sonda_decompile(const std::vector<std::string>& p) {
    file_binari f;
    if (p.size() == 3) f.planimetria = p[0];
    f.scenario = p[p.size() - 2];
    f.tracciato = p.back();
    try {
        const esito_decompilazione e = decompila(f, nomi);
        esigi(!e.linea.empty() && !e.treno.empty(), "decompile gave an empty text");
    } catch (const errore_decodifica&) {
    }
}

void sonda_view(const std::vector<std::string>& p) {
    auto m = std::make_unique<modello_scenario>();
    try {
        m->scenario = leggi_scenario(p[p.size() - 2]);
        m->tracciato = leggi_tracciato(p.back());
        if (p.size() == 3) m->planimetria = leggi_planimetria(p[0]);
    } catch (const errore_lettura&) {
        return;
    }
    m->scrivi_linea = p.size() == 3;
    m->nome_linea = m->scenario[voce::dati_linea].nome;
    m->numero_treno = m->scenario[voce::dati_treno].nome;
    ingresso_vista i;
    i.modello = m.get();
    i.file = {"L_1.sim", "L_1.dat"};
    const std::string pagina = pagina_vista(i);
    esigi(pagina.rfind("<!DOCTYPE html>", 0) == 0, "view gave no page");
}

void sonda_verify(const std::vector<std::string>& p) {
    file_scenario f{std::nullopt, "L_1.sim", "L_1.dat"};
    contenuti_scenario c{std::nullopt, p[p.size() - 2], p.back()};
    if (p.size() == 3) {
        f.planimetria = "L_linea.dat";
        c.planimetria = p[0];
    }
    std::vector<std::string> problemi;
    const nomi_file n = nomi_da_file(f, problemi);
    verifica_contenuti(f, n, c, problemi);
    for (const std::string& q : problemi) esigi(!q.empty(), "verify gave an empty problem");
}

}  // namespace

void sonda_strumento(std::string_view dati) {
    if (dati.empty()) return;
    const std::vector<std::string> p = parti(dati.substr(1));
    if (p.size() < 2 || p.size() > 3) return;
    switch (static_cast<std::uint8_t>(dati[0]) % 3) {
        case 0: sonda_decompile(p); break;
        case 1: sonda_view(p); break;
        default: sonda_verify(p); break;
    }
}
