#include "compilazione.h"

bool fase_linea(modello_scenario& m, stato_compilazione& s) {
    (void)m;
    (void)s;
    return true;
}
