#include "tools/vista/script_vista.h"

#include "tools/vista/testo_zoom.h"

std::string_view testo_script_zoom() { return testo_zoom; }

void script_zoom(uscita_pagina& u) { u << "<script>" << testo_zoom << "</script>\n"; }
