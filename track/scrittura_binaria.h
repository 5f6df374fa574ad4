// The three binary scenario files: the line plan, the scenario table and the
// track. Each member is packed little-endian, field by field: the scenario
// table and the track into one byte buffer each, the line plan in pieces of
// bounded size as the directory asks for them (it may be tens of megabytes).
// The directory's `sostituisci` replaces the file (opened and closed,
// deleted, created anew and written from its first byte); the author's tool
// writes them, through its own `sostituisci`, into the temporary files of its
// all-or-nothing publication.
//
// Every failure throws errore_esecuzione naming the file.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "compiler/modello.h"
#include "track/disposizione_binaria.h"
#include "sources/cartella.h"

// Line plan: every element in storage order (all x, then all y) as a 16-bit
// type tag followed by its value: 2 = Integer (16-bit), 5 = Double (binary64),
// 0 = no value (nothing follows). A plan whose Integer element does not hold a
// 16-bit whole number, or with fewer values than tags, throws errore_esecuzione
// naming `percorso`.
std::string bytes_planimetria(const planimetria_linea& p, const std::string& percorso);

// The same as a content handed on a piece at a time (a long plan is never
// held whole). The content refers to `p`, which must outlive it; the plan is
// checked when the content is made.
contenuto_file contenuto_planimetria(const planimetria_linea& p, const std::string& percorso);

// One scenario entry, as campi_voce lays it out: 34 bytes plus the length of
// `nome`. A `nome` longer than 65535 bytes does not fit its 16-bit length and
// throws errore_esecuzione
// naming `percorso`.
void aggiungi_voce(std::string& b, const voce_scenario& v, const std::string& percorso);
std::string bytes_scenario(const std::array<voce_scenario, voci_scenario>& scenario, const std::string& percorso);

// One track cell, as campi_cella lays it out: 15 bytes.
void aggiungi_cella(std::string& b, const cella& c);
std::string bytes_tracciato(const std::vector<cella>& tracciato);

// The three writers: pack the member, then replace the file `nome` of the directory.
void scrivi_planimetria(const cartella& dir, const std::string& nome, const planimetria_linea& p);
void scrivi_scenario(const cartella& dir, const std::string& nome, const std::array<voce_scenario, voci_scenario>& scenario);
void scrivi_tracciato(const cartella& dir, const std::string& nome, const std::vector<cella>& tracciato);
