// The update script of the page that `view --serve` hands out: the text of
// tools/servizio/aggiornamento.js, built into the program
// (cmake/incorpora_testo.cmake).
#pragma once

extern const char* const script_aggiornamento;
