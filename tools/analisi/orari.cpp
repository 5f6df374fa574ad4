#include "tools/analisi/orari.h"

#include <cstdio>
#include <cstdlib>

namespace {

constexpr std::int64_t mezza_giornata = secondi_giorno / 2;

std::string due_cifre(std::int64_t n) { return std::string(n < 10 ? "0" : "").append(std::to_string(n)); }

}  // namespace

std::int64_t orario_dopo(std::int64_t riferimento, std::int32_t orario) {
    const std::int64_t giorno = riferimento >= 0 ? riferimento / secondi_giorno : -1 - (-riferimento - 1) / secondi_giorno;
    std::int64_t t = giorno * secondi_giorno + orario;
    if (t < riferimento - mezza_giornata) t += secondi_giorno;
    return t;
}

std::string testo_orario(std::int64_t secondi) {
    const std::int64_t s = ((secondi % secondi_giorno) + secondi_giorno) % secondi_giorno;
    return due_cifre(s / 3600) + ":" + due_cifre(s / 60 % 60) + ":" + due_cifre(s % 60);
}

std::string testo_durata(std::int64_t secondi) {
    const std::string segno = secondi < 0 ? "-" : "";
    const std::int64_t s = std::llabs(secondi);
    if (s >= 3600) {
        return segno + std::to_string(s / 3600) + " h " + std::to_string(s / 60 % 60) + " min " + std::to_string(s % 60) + " s";
    }
    if (s >= 60) return segno + std::to_string(s / 60) + " min " + std::to_string(s % 60) + " s";
    return segno + std::to_string(s) + " s";
}

std::string testo_metri(std::int64_t metri) {
    const std::string cifre = std::to_string(std::llabs(metri));
    std::string t(metri < 0 ? "-" : "");
    for (std::size_t i = 0; i < cifre.size(); ++i) {
        if (i > 0 && (cifre.size() - i) % 3 == 0) t.push_back(',');
        t.push_back(cifre[i]);
    }
    return t.append(" m");
}
