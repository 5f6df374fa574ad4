#include "tools/servizio/pagina_servita.h"

#include <nlohmann/json.hpp>

#include "tools/diagnostiche/stampa_diagnostiche.h"
#include "tools/servizio/script_aggiornamento.h"
#include "tools/vista/testo_html.h"

namespace {

// The script's own element; it finds the build of its page on it.
std::string elemento_script(std::uint64_t costruzione) {
    return concatena({"<script id=\"vista-servizio\" data-costruzione=\"", std::to_string(costruzione), "\">",
                      script_aggiornamento, "</script>\n"});
}

// The page before any build made a scenario: the errors, which the script
// replaces with the picture once a build makes one.
std::string pagina_senza_figura(const esito_ricostruzione& e, const std::string& file_linea,
                                const std::string& file_treno, std::uint64_t costruzione) {
    std::string t =
        "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n<title>No scenario yet</title>\n"
        "<style>body { font: 14px/1.4 \"DejaVu Sans\", Verdana, Arial, sans-serif; margin: 16px; }\n"
        "pre { background: #fff1d6; border: 1px solid #d99a1e; padding: 6px 10px; white-space: pre-wrap; }"
        "</style>\n</head>\n<body>\n<h1>No scenario yet</h1>\n<p>The build of ";
    t += concatena({escape_html(file_linea), " and ", escape_html(file_treno), " made no scenario: ",
                    escape_html(e.fatale),
                    "</p>\n<p>The page shows the picture once a saved change builds.</p>\n<pre>"});
    for (const diagnostica& d : e.diagnostiche) t += escape_html(testo_diagnostica(d));
    t += "</pre>\n</body>\n</html>\n";
    return pagina_con_script(std::move(t), costruzione);
}

std::string dati_di(const stato_servizio& s, const esito_ricostruzione& e) {
    nlohmann::json j;
    j["build"] = s.costruzione;
    j["picture"] = s.figura;
    j["current"] = e.pagina.has_value();
    j["failure"] = e.pagina ? nlohmann::json() : nlohmann::json(e.fatale);
    j["summary"] = conteggio_diagnostiche(e.diagnostiche);
    j["milliseconds"] = e.millisecondi;
    nlohmann::json lista = nlohmann::json::array();
    for (const diagnostica& d : e.diagnostiche) {
        lista.push_back({{"severity", d.livello == gravita::errore ? "error" : "warning"},
                         {"text", testo_diagnostica(d)}});
    }
    j["diagnostics"] = std::move(lista);
    // A byte that is not UTF-8 (a path of a system that allows it) becomes
    // U+FFFD instead of stopping the server.
    return j.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

}  // namespace

std::string pagina_con_script(std::string pagina, std::uint64_t costruzione) {
    const std::size_t fine = pagina.rfind("</body>");
    pagina.insert(fine == std::string::npos ? pagina.size() : fine, elemento_script(costruzione));
    return pagina;
}

void accogli(stato_servizio& s, const esito_ricostruzione& e, const std::string& file_linea,
             const std::string& file_treno) {
    ++s.costruzione;
    if (e.pagina) {
        s.figura = s.costruzione;
        s.pagina = pagina_con_script(*e.pagina, s.costruzione);
    } else if (s.figura == 0) {
        s.pagina = pagina_senza_figura(e, file_linea, file_treno, s.costruzione);
    }
    s.dati_evento = dati_di(s, e);
}
