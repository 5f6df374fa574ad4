// Where the page of `view` goes as it is made: its pieces are gathered into
// blocks of about 64 KiB and each full block is handed on, so that the page is
// never held whole, however long the names and the track make it.
#pragma once

#include <functional>
#include <string>
#include <string_view>

struct uscita_pagina {
    std::function<void(std::string_view)> destinazione;
    std::string blocco;

    explicit uscita_pagina(std::function<void(std::string_view)> d);

    uscita_pagina& operator<<(std::string_view pezzo);

    // Hands on what is gathered; the page's last step.
    void svuota();
};
