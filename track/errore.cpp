#include "track/errore.h"

std::string messaggio_errore(const std::string& a) { return " Errore n. " + a; }

void errore(const std::string& a) { throw errore_segnalato{a, messaggio_errore(a)}; }
