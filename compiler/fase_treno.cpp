#include "compilazione.h"

void fase_treno(modello_scenario& m, stato_compilazione& s) {
    (void)m;
    (void)s;
}
