#include "tools/analisi/ingresso_marcia.h"

#include <algorithm>
#include <cstddef>
#include <optional>

#include "compiler/geometria.h"

namespace {

// The cells the speed, adhesion and gradient fills reach: 0 to the last but three.
std::int64_t celle_riempite(const modello_scenario& m) {
    return std::max<std::int64_t>(0, std::min<std::int64_t>(std::int64_t{m.numero_celle} - 2,
                                                            static_cast<std::int64_t>(m.tracciato.size())));
}

// Runs of equal values of one field of the filled cells, as steps in metres.
template <typename tratto, typename valore_di>
std::vector<tratto> passi_celle(const modello_scenario& m, valore_di valore) {
    std::vector<tratto> r;
    const std::int64_t n = celle_riempite(m);
    for (std::int64_t i = 0; i < n; ++i) {
        const std::int32_t v = valore(m.tracciato[static_cast<std::size_t>(i)]);
        if (r.empty() || r.back().a != primo_metro(i) || r.back().valore() != v) {
            r.push_back(tratto::di(primo_metro(i), primo_metro(i + 1), v));
        } else {
            r.back().a = primo_metro(i + 1);
        }
    }
    return r;
}

struct passo_limite : tratto_limite {
    std::int32_t valore() const { return velocita; }
    static passo_limite di(std::int64_t da, std::int64_t a, std::int32_t v) { return {{da, a, v}}; }
};
struct passo_pendenza : tratto_pendenza {
    std::int32_t valore() const { return permille; }
    static passo_pendenza di(std::int64_t da, std::int64_t a, std::int32_t v) { return {{da, a, v}}; }
};

// The metre a slowdown's cell stands for: the cell is the one after its
// position's own.
std::int64_t metro_rallentamento(std::int64_t cella) { return primo_metro(cella - 1); }

// Each start of a slowdown with the first end after it; a start followed by
// another start before any end (a slowdown of length 0, whose end its start
// overwrote) has no stretch and is left out.
std::vector<rallentamento_marcia> rallentamenti_celle(const modello_scenario& m) {
    std::vector<rallentamento_marcia> r;
    std::optional<std::size_t> aperto;
    for (std::size_t i = 0; i < m.tracciato.size(); ++i) {
        const cella& c = m.tracciato[i];
        if (c.tipo == tipo_cella::inizio_rallentamento) {
            aperto = i;
        } else if (c.tipo == tipo_cella::fine_rallentamento && aperto) {
            const luogo dove = *aperto < m.origine_celle.size() ? m.origine_celle[*aperto] : luogo{};
            r.push_back({metro_rallentamento(static_cast<std::int64_t>(*aperto)),
                         metro_rallentamento(static_cast<std::int64_t>(i)), m.tracciato[*aperto].valore1, dove});
            aperto.reset();
        }
    }
    return r;
}

bool e_stazione(const modello_scenario& m, int n) {
    const voce_scenario& v = m.scenario[static_cast<std::size_t>(n)];
    const luogo& dove = m.origine_voci[static_cast<std::size_t>(n)];
    return (noto(dove) && dove.file == sorgente::treno) || v.tipo != 0 || v.valore1 != 0 || v.valore2 != 0 ||
           v.valore3 != 0 || v.valore4 != 0;
}

std::vector<stazione_marcia> stazioni_tabella(const modello_scenario& m) {
    std::vector<stazione_marcia> r;
    for (int n = voce::prima_stazione; n < voce::primo_cartello && e_stazione(m, n); ++n) {
        const voce_scenario& v = m.scenario[static_cast<std::size_t>(n)];
        std::optional<std::int32_t> orario;
        if (v.valore4 != 0) orario = v.valore4;
        r.push_back({n, v.nome, v.valore3, orario, m.origine_voci[static_cast<std::size_t>(n)]});
    }
    return r;
}

template <typename tratto>
const tratto* passo_a(const std::vector<tratto>& passi, std::int64_t metro) {
    auto it = std::upper_bound(passi.begin(), passi.end(), metro,
                               [](std::int64_t x, const tratto& t) { return x < t.a; });
    return it != passi.end() && it->da <= metro ? &*it : nullptr;
}

}  // namespace

ingresso_marcia ingresso_dal_modello(const modello_scenario& m) {
    ingresso_marcia in;
    const voce_scenario& generali = m.scenario[voce::dati_generali];
    const voce_scenario& treno = m.scenario[voce::dati_treno];
    in.lunghezza = generali.valore2;
    for (const passo_limite& p : passi_celle<passo_limite>(m, [](const cella& c) { return 5 * c.vel_limite; })) {
        in.limiti.push_back(p);
    }
    for (const passo_pendenza& p : passi_celle<passo_pendenza>(m, [](const cella& c) { return c.pendenza - 100; })) {
        in.pendenze.push_back(p);
    }
    in.rallentamenti = rallentamenti_celle(m);
    in.stazioni = stazioni_tabella(m);
    for (std::size_t i = 0; i < m.tracciato.size(); ++i) {
        if (m.tracciato[i].tipo == tipo_cella::indicatori_v_max) {
            in.indicatori.push_back(metro_rallentamento(static_cast<std::int64_t>(i)));
        }
    }
    in.orologio = (std::int32_t{treno.par3} * 60 + treno.par4) * 60 + treno.par5;
    in.treno = {generali.valore3, generali.valore1, treno.par1};
    return in;
}

std::int32_t limite_linea_a(const ingresso_marcia& in, std::int64_t metro) {
    const tratto_limite* t = passo_a(in.limiti, metro);
    return t == nullptr ? 0 : t->velocita;
}

std::int32_t pendenza_a(const ingresso_marcia& in, std::int64_t metro) {
    const tratto_pendenza* t = passo_a(in.pendenze, metro);
    return t == nullptr ? 0 : t->permille;
}

std::vector<tratto_limite> velocita_ammessa(const ingresso_marcia& in, std::int64_t da, std::int64_t a) {
    std::vector<std::int64_t> punti{da, a};
    auto aggiungi = [&](std::int64_t p) {
        if (p > da && p < a) punti.push_back(p);
    };
    for (const tratto_limite& t : in.limiti) aggiungi(t.da), aggiungi(t.a);
    for (const rallentamento_marcia& r : in.rallentamenti) aggiungi(r.inizio), aggiungi(r.fine);
    std::sort(punti.begin(), punti.end());
    punti.erase(std::unique(punti.begin(), punti.end()), punti.end());
    std::vector<tratto_limite> r;
    for (std::size_t i = 0; i + 1 < punti.size(); ++i) {
        std::int32_t v = limite_linea_a(in, punti[i]);
        for (const rallentamento_marcia& s : in.rallentamenti) {
            if (s.inizio <= punti[i] && punti[i] < s.fine) v = std::min(v, s.velocita);
        }
        if (!r.empty() && r.back().velocita == v) {
            r.back().a = punti[i + 1];
        } else {
            r.push_back({punti[i], punti[i + 1], v});
        }
    }
    return r;
}

std::vector<const stazione_marcia*> stazioni_con_orario(const ingresso_marcia& in) {
    std::vector<const stazione_marcia*> r;
    for (const stazione_marcia& s : in.stazioni) {
        if (s.orario) r.push_back(&s);
    }
    return r;
}
