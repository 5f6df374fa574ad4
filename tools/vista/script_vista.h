// Zoom and pan for the drawings of the page of `view`: a small inline script
// of the page's own (no library), with the style it needs. Without script the
// page shows what it showed before: the script makes its buttons and its
// style itself.
#pragma once

#include <string_view>

#include "tools/vista/uscita_pagina.h"

// The script's text, between <script> and </script>: the same bytes every time.
std::string_view testo_script_zoom();

// The <script> element, for the end of the page's body.
void script_zoom(uscita_pagina& u);
