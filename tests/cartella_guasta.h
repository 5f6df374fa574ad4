// Test support: a directory that makes one of its operations fail. It wraps
// another directory and passes every operation on to it, except the k-th
// (counted from 1), which fails with the given system error number before
// it reaches the wrapped directory. It notes every operation it is asked for.
#pragma once

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "sources/cartella.h"
#include "sources/errore_esecuzione.h"

struct operazione_notata {
    std::string nome;  // the word a failure of it carries: "inspect", "read", ...
    std::string file;  // the file name it was asked for
};

struct cartella_guasta {
    const cartella& interna;
    int guasto_a;  // the operation that fails, from 1; 0 for none
    int numero;    // its system error number
    std::vector<operazione_notata> registro;
    // Called at the failure, before it is thrown: to note what the wrapped
    // directory held then.
    std::function<void()> al_guasto;
    cartella dir;

    cartella_guasta(const cartella& interna_, int guasto_a_, int numero_)
        : interna(interna_), guasto_a(guasto_a_), numero(numero_) {
        dir.descrizione = interna.descrizione;
        dir.genere = [this](const std::string& nome) {
            passo("inspect", nome);
            return interna.genere(nome);
        };
        dir.leggi = [this](const std::string& nome, std::size_t limite) {
            passo("read", nome);
            return interna.leggi(nome, limite);
        };
        dir.sostituisci = [this](const std::string& nome, const contenuto_file& contenuto) {
            passo("replace", nome);
            interna.sostituisci(nome, contenuto);
        };
        dir.elimina = [this](const std::string& nome) {
            passo("delete", nome);
            interna.elimina(nome);
        };
        dir.crea_nuovo = [this](const std::string& nome, const contenuto_file& contenuto) {
            passo("create", nome);
            interna.crea_nuovo(nome, contenuto);
        };
        dir.rinomina = [this](const std::string& da, const std::string& a) {
            passo("rename", da);
            interna.rinomina(da, a);
        };
        // Listing is not counted: it never fails here.
        dir.elenca = [this] { return interna.elenca(); };
    }
    cartella_guasta(const cartella_guasta&) = delete;
    cartella_guasta& operator=(const cartella_guasta&) = delete;

    // The operations asked for so far.
    int operazioni() const { return static_cast<int>(registro.size()); }

private:
    void passo(const char* operazione, const std::string& nome) {
        registro.push_back({operazione, nome});
        if (operazioni() != guasto_a) return;
        if (al_guasto) al_guasto();
        throw errore_esecuzione(operazione, percorso_in(interna, nome), numero, std::strerror(numero));
    }
};
