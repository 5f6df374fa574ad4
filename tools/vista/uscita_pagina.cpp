#include "tools/vista/uscita_pagina.h"

#include <utility>

namespace {

constexpr std::size_t byte_per_blocco = std::size_t{64} << 10;

}  // namespace

uscita_pagina::uscita_pagina(std::function<void(std::string_view)> d) : destinazione(std::move(d)) {
    blocco.reserve(byte_per_blocco);
}

uscita_pagina& uscita_pagina::operator<<(std::string_view pezzo) {
    if (blocco.size() + pezzo.size() > byte_per_blocco) {
        svuota();
        // A piece longer than a block goes on by itself.
        if (pezzo.size() >= byte_per_blocco) {
            destinazione(pezzo);
            return *this;
        }
    }
    blocco.append(pezzo);
    return *this;
}

void uscita_pagina::svuota() {
    if (blocco.empty()) return;
    destinazione(blocco);
    blocco.clear();
}
