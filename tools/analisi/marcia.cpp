#include "tools/analisi/marcia.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "tools/analisi/limite_orario.h"
#include "tools/analisi/orari.h"

namespace {

using indice = std::size_t;

fermata_marcia fermata_a(const stazione_marcia* s, std::int64_t posizione) {
    fermata_marcia f;
    f.stazione = s;
    f.posizione = posizione;
    return f;
}

// The stops before the limits are known: the first station (or metre 0), each
// later timed station, and the line's end when no timed station follows.
std::vector<fermata_marcia> fermate_previste(const ingresso_marcia& in) {
    std::vector<fermata_marcia> f;
    if (in.stazioni.empty()) {
        f.push_back(fermata_a(nullptr, 0));
    } else {
        f.push_back(fermata_a(&in.stazioni.front(), in.stazioni.front().posizione));
    }
    for (const stazione_marcia* s : stazioni_con_orario(in)) {
        if (s->posizione > f.back().posizione) f.push_back(fermata_a(s, s->posizione));
    }
    if (f.size() == 1 && in.lunghezza > f.front().posizione) f.push_back(fermata_a(nullptr, in.lunghezza));
    return f;
}

// The permitted speed of each metre [x, x + 1) for the whole train, m/s: every
// step of the head's permitted speed holds from its start until the tail
// (lunghezza metres behind the head) has left its end.
std::vector<double> ammessa_treno(const ingresso_marcia& in, std::int64_t inizio, std::int64_t fine,
                                  std::int64_t lunghezza) {
    std::vector<double> r(static_cast<indice>(fine - inizio), 1e9);
    // The tail is not followed back beyond the line's start; a head before it
    // finds no limit (0 km/h).
    const std::int64_t coda = std::min(inizio, std::max<std::int64_t>(0, inizio - lunghezza));
    for (const tratto_limite& s : velocita_ammessa(in, coda, fine)) {
        const std::int64_t da = std::max(s.da, inizio);
        const std::int64_t a = std::min(s.a + lunghezza, fine);
        for (std::int64_t x = da; x < a; ++x) {
            double& v = r[static_cast<indice>(x - inizio)];
            v = std::min(v, metri_al_secondo(s.velocita));
        }
    }
    return r;
}

// The gradient over metres [inizio, fine), in steps that cover it all (0
// where the line gives none), each clipped to the range.
std::vector<tratto_pendenza> pendenze_tra(const ingresso_marcia& in, std::int64_t inizio, std::int64_t fine) {
    std::vector<tratto_pendenza> r;
    std::int64_t x = inizio;
    for (const tratto_pendenza& p : in.pendenze) {
        if (p.a <= x || p.da >= fine) continue;
        if (p.da > x) r.push_back({x, p.da, 0});
        r.push_back({std::max(p.da, x), std::min(p.a, fine), p.permille});
        x = std::min(p.a, fine);
    }
    if (x < fine) r.push_back({x, fine, 0});
    return r;
}

// The speed at each metre: the least of the limits on either side, the
// acceleration curve forward and the braking curve back; 0 at every stop.
// Squares are compared first: a root only where a curve binds.
std::vector<double> velocita_corsa(const ingresso_marcia& in, const opzioni_marcia& o, std::int64_t inizio,
                                   const std::vector<double>& ammessa, const std::vector<bool>& ferma) {
    const indice n = ammessa.size();
    const std::vector<tratto_pendenza> pendenze = pendenze_tra(in, inizio, inizio + static_cast<std::int64_t>(n));
    std::vector<double> v(n + 1, 0.0);
    for (const tratto_pendenza& p : pendenze) {  // forward
        const double due_a = 2 * accelerazione_su(p.permille, o);
        for (indice k = static_cast<indice>(p.da - inizio); k < static_cast<indice>(p.a - inizio); ++k) {
            const double limite = k + 1 < n ? std::min(ammessa[k], ammessa[k + 1]) : ammessa[k];
            const double v2 = v[k] * v[k] + due_a;
            v[k + 1] = ferma[k + 1] ? 0.0 : v2 >= limite * limite ? limite : std::sqrt(v2);
        }
    }
    for (auto p = pendenze.rbegin(); p != pendenze.rend(); ++p) {  // back
        const double due_b = 2 * decelerazione_marcia(in.treno.massa_frenata, p->permille, o.frenatura);
        for (indice k = static_cast<indice>(p->a - inizio); k-- > static_cast<indice>(p->da - inizio);) {
            const double v2 = v[k + 1] * v[k + 1] + due_b;
            if (v[k] * v[k] > v2) v[k] = std::sqrt(v2);
        }
    }
    return v;
}

// The scheduled times on the run's own count, the start clock first.
void leggi_orari(std::vector<fermata_marcia>& f, std::int32_t orologio) {
    std::int64_t ultimo = orologio;
    for (fermata_marcia& s : f) {
        if (s.stazione == nullptr || !s.stazione->orario) continue;
        s.orario = orario_dopo(ultimo, *s.stazione->orario);
        ultimo = *s.orario;
    }
}

// Times along the run: each metre 2 / (v0 + v1) after the one before; at a
// stop the train stands its dwell and waits for its time.
void tempi(risultato_marcia& r, const opzioni_marcia& o, std::int32_t orologio) {
    std::vector<fermata_marcia>& f = r.fermate;
    f.front().arrivo = orologio;
    f.front().partenza = f.front().orario ? std::max<double>(orologio, static_cast<double>(*f.front().orario)) : orologio;
    f.front().riferimento = f.front().partenza;
    r.tempo.assign(r.velocita.size(), 0.0);
    double t = f.front().partenza;
    r.tempo.front() = orologio;
    indice prossima = 1;
    for (indice k = 1; k < r.velocita.size(); ++k) {
        t += 2.0 / (r.velocita[k - 1] + r.velocita[k]);
        r.tempo[k] = t;
        if (prossima < f.size() && f[prossima].posizione == r.inizio + static_cast<std::int64_t>(k)) {
            fermata_marcia& s = f[prossima];
            const fermata_marcia& prima = f[prossima - 1];
            s.arrivo = t;
            s.corsa = t - prima.partenza;
            const bool ultima = prossima + 1 == f.size();
            s.partenza = ultima ? t : std::max(t + o.sosta, s.orario ? static_cast<double>(*s.orario) : 0.0);
            s.riferimento = s.orario ? static_cast<double>(*s.orario) : s.partenza;
            if (s.limite) s.minimo = prima.riferimento + *s.limite;
            t = s.partenza;
            ++prossima;
        }
    }
}

}  // namespace

std::int64_t lunghezza_treno(const treno_marcia& t, const opzioni_marcia& o) {
    return static_cast<std::int64_t>(std::ceil(std::max(0, t.vetture) * o.lunghezza_vettura - 1e-9));
}

double accelerazione_su(double permille, const opzioni_marcia& o) {
    return std::max(o.accelerazione_minima, o.accelerazione - gravita_pendenza(permille));
}

risultato_marcia calcola_marcia(const ingresso_marcia& in, const opzioni_marcia& o) {
    risultato_marcia r;
    r.fermate = fermate_previste(in);
    r.inizio = r.fermate.front().posizione;
    r.fine = r.fermate.back().posizione;
    r.lunghezza_treno = lunghezza_treno(in.treno, o);
    r.ammessa = ammessa_treno(in, r.inizio, r.fine, r.lunghezza_treno);
    const auto zero = std::find(r.ammessa.begin(), r.ammessa.end(), 0.0);
    if (zero != r.ammessa.end()) {  // the run cannot pass this metre: it ends before it
        r.fine = r.inizio + (zero - r.ammessa.begin());
        r.bloccata = r.fine;
        r.ammessa.erase(zero, r.ammessa.end());
        std::erase_if(r.fermate, [&](const fermata_marcia& s) { return s.posizione > r.fine; });
        if (r.fermate.back().posizione < r.fine) r.fermate.push_back(fermata_a(nullptr, r.fine));
    }
    leggi_orari(r.fermate, in.orologio);
    for (indice i = 1; i < r.fermate.size(); ++i) {
        r.fermate[i].limite = tempo_minimo(in, r.fermate[i - 1].posizione, r.fermate[i].posizione);
    }
    std::vector<bool> ferma(r.ammessa.size() + 1, false);
    for (const fermata_marcia& s : r.fermate) ferma[static_cast<indice>(s.posizione - r.inizio)] = true;
    r.velocita = velocita_corsa(in, o, r.inizio, r.ammessa, ferma);
    if (r.ammessa.empty()) {
        r.tempo.assign(1, in.orologio);
        return r;
    }
    tempi(r, o, in.orologio);
    return r;
}
