// The one build of an author's two text sources, for compile, check and view:
// the request in, the result out (the model, every diagnostic, the fatal
// outcome). Where the outputs go is given: kept in memory, or handed to a
// publication that puts them in place once the build has ended well.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "compiler/modello.h"
#include "sources/cartella.h"
#include "sources/pubblica.h"
#include "track/memorizza_percorso.h"
#include "tools/comune/diagnostica.h"
#include "tools/diagnostiche/esito_fatale.h"
#include "tools/comune/nomi.h"
#include "tools/comune/sorgenti_autore.h"

struct richiesta_costruzione {
    std::string file_linea;  // the two text sources, as the author named them
    std::string file_treno;
    nomi_scenario nomi;      // the line name and train number the files take
    bool con_planimetria = true;
    bool oltre_il_primo_errore = false;  // look for every problem, not only the one the build stops at (ricupero.h)
    // With the plan: only validated, for a build whose outputs nothing reads
    // (a check): every status the same, no point kept, no line plan file.
    bool solo_verifica_planimetria = false;
};

// Where the outputs of a build go when they are published. Each step may
// throw errore_esecuzione (or errore_uso), which becomes the fatal outcome.
// The outputs come last in a build, once every status and warning is known:
// `accetta` then decides, from the model and the diagnostics, whether they
// are published at all; when it refuses, nothing is written anywhere.
struct pubblicazione_uscite {
    std::function<void()> prima_di_leggere;  // before the sources are read: the output directory's checks
    std::function<bool(const modello_scenario& m, const std::vector<diagnostica>& d)> accetta;
    std::function<void()> prima_di_scrivere;  // once accepted: the publication begins
    std::function<void(const std::string& nome, const contenuto_file& contenuto)> scrivi;  // one output, as it comes
    std::function<esito_pubblicazione()> conferma;  // after a build without a fatal outcome
};

struct risultato_costruzione {
    std::unique_ptr<modello_scenario> modello = std::make_unique<modello_scenario>();
    std::optional<std::string> testo_linea;  // the sources as read; nothing: no file at the path
    std::optional<std::string> testo_treno;
    std::map<std::string, std::string> file;  // the outputs by file name, when nothing publishes them
    std::vector<std::string> pubblicati;      // the outputs put in place, in order
    bool trattenuti = false;                  // the publication refused the outputs: nothing was written
    fatale_costruzione fatale;
    std::vector<diagnostica> diagnostiche;    // every status, the fatal outcome, every warning
};

// Reads the two sources, builds, and tells. Never throws for a build or file
// failure: they become the fatal outcome. Without `pubblica` the outputs stay
// in memory (risultato_costruzione::file).
risultato_costruzione costruisci_autore(const richiesta_costruzione& r, const pubblicazione_uscite* pubblica = nullptr);

// The same build on texts an editor holds rather than files on disk (an
// absent text stands for a missing file); the outputs stay in memory. The
// request's paths name the files in every diagnostic.
risultato_costruzione costruisci_autore_testi(const richiesta_costruzione& r, std::optional<std::string> testo_linea,
                                              std::optional<std::string> testo_treno);

// How a build reads one of the two sources (its path, which source it is): its
// bytes, nothing when no file stands there, or errore_esecuzione thrown as
// leggi_sorgente_autore throws it for a file that stands but cannot be read.
using lettura_sorgente = std::function<std::optional<std::string>(const std::string&, sorgente)>;

// The same build with the sources read by `leggi`, the line file first, as
// costruisci_autore reads them from disk: a source that cannot be read is told
// as check tells it. The outputs stay in memory.
risultato_costruzione costruisci_autore_letti(const richiesta_costruzione& r, const lettura_sorgente& leggi);

// The sources as the diagnostics name them: the paths of the request, the
// texts as read.
sorgenti_autore sorgenti_di(const richiesta_costruzione& r, const risultato_costruzione& c);

// The build alone, on two texts in memory (an absent text stands for a
// missing file), the outputs handed to `consegna` under the names their files
// get. The model holds the names as nome_nel_modello gives them. A check
// that reads no output asks for the plan modo_planimetria::verificata: the
// same statuses and diagnostics, without the plan's points (tens of megabytes
// on a long line) and without the line plan file.
fatale_costruzione costruisci_testi(modello_scenario& m, const nomi_scenario& nomi, const std::string* testo_linea,
                                    const std::string* testo_treno, modo_planimetria piano,
                                    const std::function<void(const std::string&, const contenuto_file&)>& consegna);
// What a request asks of the plan: none, validated or built whole.
modo_planimetria planimetria_di(const richiesta_costruzione& r);

