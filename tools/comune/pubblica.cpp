#include "tools/comune/pubblica.h"

#include "tools/comune/errore_uso.h"

void verifica_nomi_distinti(const std::vector<std::string>& nomi) {
    for (std::size_t i = 0; i < nomi.size(); ++i) {
        for (std::size_t j = 0; j < i; ++j) {
            if (nomi[i] == nomi[j]) throw errore_uso{"two output files would be the same file \"" + nomi[i] + "\""};
            if (stesso_nome(nomi[i], nomi[j], nomi_senza_maiuscole)) {
                throw errore_uso{"two output files would be the same file: \"" + nomi[j] + "\" and \"" + nomi[i] +
                                 "\" differ only in case"};
            }
        }
    }
}
