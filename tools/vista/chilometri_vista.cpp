#include "tools/vista/chilometri_vista.h"

#include <algorithm>

#include "tools/vista/testo_html.h"

using namespace std::string_literals;

namespace {

// The smallest multiple of `passo` at or above r.
std::int64_t multiplo_da(std::int64_t r, std::int64_t passo) {
    const std::int64_t resto = ((r % passo) + passo) % passo;
    return resto == 0 ? r : r + passo - resto;
}

// The metres where the count may change within da..a: da and every start after it.
std::vector<std::int64_t> cambi_tra(const chilometri_vista& k, std::int64_t da, std::int64_t a) {
    std::vector<std::int64_t> c{da};
    for (const progressiva_vista& p : k.progressive) {
        if (p.inizio > da && p.inizio <= a) c.push_back(p.inizio);
    }
    std::sort(c.begin(), c.end());
    c.erase(std::unique(c.begin(), c.end()), c.end());
    return c;
}

}  // namespace

chilometri_vista chilometri_del_modello(const modello_scenario& m) {
    chilometri_vista k;
    for (std::size_t i = 0; i < k.progressive.size(); ++i) {
        const int n = voce::progressiva_maggiore + static_cast<int>(i);
        const voce_scenario& v = m.scenario[static_cast<std::size_t>(n)];
        k.progressive[i] = {n, v.valore1, v.valore2, v.valore3};
        k.propri = k.propri || v.valore1 != v.valore2;
    }
    return k;
}

const progressiva_vista* progressiva_a(const chilometri_vista& k, std::int64_t metro) {
    for (const progressiva_vista& p : k.progressive) {
        if (p.inizio <= metro) return &p;
    }
    return nullptr;
}

std::int64_t lettura(const chilometri_vista& k, std::int64_t metro) {
    const progressiva_vista* p = progressiva_a(k, metro);
    return p == nullptr ? metro : std::int64_t{p->valore} + (metro - p->inizio);
}

std::vector<cippo_vista> cippi_tra(const chilometri_vista& k, std::int64_t da, std::int64_t a, std::int64_t passo) {
    std::vector<cippo_vista> r;
    if (a < da || passo <= 0) return r;
    const std::vector<std::int64_t> cambi = cambi_tra(k, da, a);
    for (std::size_t i = 0; i < cambi.size(); ++i) {
        const std::int64_t inizio = cambi[i];
        const std::int64_t fine = i + 1 < cambi.size() ? cambi[i + 1] : a + 1;  // excluded
        const std::int64_t l = lettura(k, inizio);
        const bool salto = i == 0 || l != lettura(k, inizio - 1) + 1;
        std::int64_t prossima = multiplo_da(l, passo);
        if (salto) {
            r.push_back({inizio, l, i > 0 || prossima != l});
            if (prossima == l) prossima += passo;
        }
        for (std::int64_t m = inizio + (prossima - l); m < fine; m += passo, prossima += passo) {
            r.push_back({m, prossima, false});
        }
    }
    return r;
}

std::string km_breve(std::int64_t lettura) {
    std::string s = km(lettura);
    while (s.back() == '0') s.pop_back();
    if (s.back() == '.') s.pop_back();
    return s;
}

std::string km_e_metro(const chilometri_vista& k, std::int64_t metro) {
    const std::string t = "km "s + km_breve(lettura(k, metro));
    return k.propri ? t + " (metre " + intero(metro) + ")" : t;
}

std::string da_metro_a_metro(const chilometri_vista& k, std::int64_t da, std::int64_t a) {
    return "from metre "s + intero(da) + " to " + intero(a) + " (km " + km_breve(lettura(k, da)) + "\u2013" +
           km_breve(lettura(k, a)) + ")";
}

std::string titolo_cippo(const cippo_vista& c, const chilometri_vista& k, const modello_scenario& m,
                         const std::string& file_linea) {
    std::string t = (c.cambio ? "Kilometre count from here: km "s : "Kilometre post: km "s) + km_breve(c.lettura) +
                    ", at metre " + intero(c.metro);
    const progressiva_vista* p = progressiva_a(k, c.metro);
    if (!k.propri || p == nullptr) return t + "\nno kilometric progressive counts here: the line counts its metres from 0";
    const luogo& dove = m.origine_voci[static_cast<std::size_t>(p->voce)];
    const std::int64_t scritto = p->flag == 1 ? std::int64_t{p->valore} - 100 : p->valore;
    if (noto(dove)) {
        t += "\nKilometric progressive at "s + intero(p->inizio) + " m (line " + intero(dove.riga) + " of " +
             (file_linea.empty() ? "the line file"s : file_linea) + ")\nstart " + intero(p->inizio) + " m, value " +
             intero(scritto) + ", flag " + intero(p->flag);
    } else {
        t += "\nKilometric progressive: the record that made it is not known (the page was made from the binary files)";
    }
    return t + "\nBuilt: entry " + intero(p->voce) + " of the table (start " + intero(p->inizio) + ", value " +
           intero(p->valore) + (p->flag == 1 ? ", 100 added by the flag" : "") + "): from metre " + intero(p->inizio) +
           " the line counts on from km " + km_breve(p->valore);
}
