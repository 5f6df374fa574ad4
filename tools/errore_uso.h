// A usage error of scenario-tool: wrong arguments, or names that cannot be
// used. It ends the run with exit status 2 and the message on standard error.
#pragma once

#include <string>

struct errore_uso {
    std::string messaggio;
};
