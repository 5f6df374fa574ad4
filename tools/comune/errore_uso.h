// A usage error of scenario-tool: wrong arguments, or names that cannot be
// used. It ends the run with exit status 2 and the message on standard error.
#pragma once

#include <string>
#include <vector>

struct errore_uso {
    std::string messaggio;  // one line
    // Lines shown under it, indented: one for each problem found.
    std::vector<std::string> righe = {};
};
