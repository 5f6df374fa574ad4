#include "tools/analisi/colonne_documento.h"

std::string cella_documento(const colonna_documento& c, const std::string& testo, const luogo& origine,
                            std::vector<taglio_documento>& tagli) {
    const std::size_t posto = c.larghezza - c.rientro;
    std::string t = testo;
    if (t.size() > posto) {
        tagli.push_back({origine, c.nome, testo, posto});
        t.resize(posto);
    }
    const std::size_t resto = posto - t.size();
    std::size_t prima = c.rientro;
    if (c.verso == allineamento::destra) prima += resto;
    if (c.verso == allineamento::centro) prima += resto / 2;
    std::string cella(prima, ' ');
    cella += t;
    cella.resize(c.larghezza, ' ');
    return cella;
}

std::string riga_cornice(const std::vector<std::string>& celle) {
    std::string riga = " |";
    for (const std::string& c : celle) {
        riga += c;
        riga += '|';
    }
    return riga;
}
