#include "tools/vista/oggetti_vista.h"

#include <algorithm>

#include "track/finitura.h"

namespace {

bool voce_vuota(const voce_scenario& v) {
    return v.tipo == 0 && v.valore1 == 0 && v.valore2 == 0 && v.valore3 == 0 && v.marca == 0 && v.nome.empty() &&
           v.par1 == 0 && v.par2 == 0 && v.par3 == 0 && v.par4 == 0 && v.par5 == 0 && v.opz1 == 0 && v.opz2 == 0 &&
           v.opz3 == 0 && v.opz4 == 0 && v.valore4 == 0;
}

// The entries that sign cells name as their text.
std::array<bool, voci_scenario> voci_dei_cartelli(const modello_scenario& m) {
    std::array<bool, voci_scenario> testo{};
    for (const cella& c : m.tracciato) {
        if (c.tipo == tipo_cella::cartello && c.valore1 >= 0 && c.valore1 < voci_scenario) {
            testo[static_cast<std::size_t>(c.valore1)] = true;
        }
    }
    return testo;
}

// Kinds of cells and the marks drawn for them.
struct voce_marca {
    std::uint8_t tipo;
    tipo_marca marca;
};

constexpr voce_marca marche_per_tipo[] = {
    {tipo_cella::segnale, tipo_marca::segnale},
    {tipo_cella::fine_rallentamento, tipo_marca::fine_rallentamento},
    {tipo_cella::inizio_rallentamento, tipo_marca::inizio_rallentamento},
    {tipo_cella::avviso_rallentamento, tipo_marca::avviso},
    {tipo_cella::preavviso_rallentamento, tipo_marca::preavviso},
    {tipo_cella::indicatori_v_max, tipo_marca::indicatori},
    {tipo_cella::marca_stazione, tipo_marca::marca_stazione},
    {tipo_cella::tabella_senza_valore, tipo_marca::abbattimento},
    {tipo_cella::cartello, tipo_marca::cartello},
};

// Runs of equal values over the cells, for one value of the cell.
template <typename F>
std::vector<tratto> tratti(const std::vector<cella>& t, F valore) {
    std::vector<tratto> r;
    for (std::size_t i = 0; i < t.size(); ++i) {
        const int v = valore(t[i]);
        const auto c = static_cast<std::int32_t>(i);
        if (!r.empty() && r.back().valore == v && r.back().ultima == c - 1) {
            r.back().ultima = c;
        } else {
            r.push_back({c, c, v});
        }
    }
    return r;
}

std::vector<rallentamento_vista> rallentamenti(const std::vector<cella>& t) {
    std::vector<rallentamento_vista> r;
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (t[i].tipo != tipo_cella::inizio_rallentamento) continue;
        rallentamento_vista x;
        x.inizio = x.fine = static_cast<std::int32_t>(i);
        for (std::size_t j = i + 1; j < t.size(); ++j) {
            if (t[j].tipo == tipo_cella::fine_rallentamento) {
                x.fine = static_cast<std::int32_t>(j);
                x.con_fine = true;
                break;
            }
            if (t[j].tipo == tipo_cella::inizio_rallentamento) break;
        }
        r.push_back(x);
    }
    return r;
}

}  // namespace

bool marca_di_cella(const cella& c, tipo_marca& tipo) {
    if (c.tipo == tipo_cella::libero || c.tipo == tipo_cella::marca_montagna) return false;
    if (c.tipo == tipo_cella::tabella_con_valore) {
        tipo = c.valore1 == valore_tabella_finitura ? tipo_marca::tabella_180 : tipo_marca::abbattimento;
        return true;
    }
    tipo = tipo_marca::sconosciuto;
    for (const voce_marca& v : marche_per_tipo) {
        if (v.tipo == c.tipo) tipo = v.marca;
    }
    return true;
}

std::vector<stazione_vista> stazioni_del_modello(const modello_scenario& m) {
    const auto testi = voci_dei_cartelli(m);
    std::vector<stazione_vista> s;
    for (int v = voce::prima_stazione; v < voce::primo_cartello; ++v) {
        const auto i = static_cast<std::size_t>(v);
        if (testi[i] || voce_vuota(m.scenario[i])) break;
        s.push_back({v, -1});
    }
    for (std::size_t i = 0; i < m.tracciato.size(); ++i) {
        const cella& c = m.tracciato[i];
        if (c.tipo != tipo_cella::marca_stazione) continue;
        for (stazione_vista& x : s) {
            if (x.voce == c.valore1) x.cella = static_cast<std::int32_t>(i);
        }
    }
    return s;
}

oggetti_vista oggetti_del_modello(const modello_scenario& m) {
    oggetti_vista o;
    o.lunghezza = m.scenario[voce::dati_generali].valore2;
    o.ultima_cella = static_cast<std::int32_t>(m.tracciato.size()) - 1;
    o.stazioni = stazioni_del_modello(m);
    for (std::size_t i = 0; i < m.tracciato.size(); ++i) {
        tipo_marca t;
        if (marca_di_cella(m.tracciato[i], t)) o.marche.push_back({t, static_cast<std::int32_t>(i)});
    }
    o.rallentamenti = rallentamenti(m.tracciato);
    for (const tratto& t : tratti(m.tracciato, [](const cella& c) { return int{c.montagna}; })) {
        if (t.valore != 0) o.montagne.push_back(t);
    }
    o.pendenze = tratti(m.tracciato, [](const cella& c) { return int{c.pendenza} - 100; });
    o.velocita = tratti(m.tracciato, [](const cella& c) { return int{c.vel_limite} * 5; });
    o.aderenze = tratti(m.tracciato, [](const cella& c) { return int{c.aderenza}; });
    o.quote = quote_delle_pendenze(o.pendenze, o.ultima_cella - celle_senza_pendenza);
    o.curve = curve_del_modello(m);
    o.chilometri = chilometri_del_modello(m);
    return o;
}

std::vector<quota_vista> quote_delle_pendenze(const std::vector<tratto>& pendenze, std::int32_t ultima_cella) {
    std::vector<quota_vista> q;
    double altezza = 0;
    for (const tratto& t : pendenze) {
        if (t.prima > ultima_cella) break;
        const std::int32_t ultima = std::min(t.ultima, ultima_cella);
        const double salita = static_cast<double>(metro_cella(ultima + 1) - metro_cella(t.prima)) * t.valore / 1000;
        q.push_back({t.prima, ultima, t.valore, altezza, altezza + salita});
        altezza += salita;
    }
    return q;
}

conteggi_vista conta_oggetti(const oggetti_vista& o) {
    conteggi_vista n;
    n.stazioni = static_cast<int>(o.stazioni.size());
    n.rallentamenti = static_cast<int>(o.rallentamenti.size());
    n.montagne = static_cast<int>(o.montagne.size());
    for (const marca_vista& x : o.marche) {
        switch (x.tipo) {
            case tipo_marca::segnale:
                ++n.segnali;
                break;
            case tipo_marca::cartello:
                ++n.cartelli;
                break;
            case tipo_marca::indicatori:
                ++n.indicatori;
                break;
            case tipo_marca::abbattimento:
                ++n.abbattimenti;
                break;
            case tipo_marca::tabella_180:
                ++n.tabelle_finitura;
                break;
            default:
                break;
        }
    }
    return n;
}
