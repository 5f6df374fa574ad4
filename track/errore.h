// The build's own report to the user: a numbered message, then the end of the
// run. The core only raises it; the program shows the message through the
// platform layer's message box and ends the process.
#pragma once

#include <exception>
#include <string>

struct errore_segnalato : std::exception {
    std::string codice;     // the code as decimal text, for example "1250"
    std::string messaggio;  // " Errore n. " followed by the code

    errore_segnalato(std::string codice_, std::string messaggio_)
        : codice(std::move(codice_)), messaggio(std::move(messaggio_)) {}
    const char* what() const noexcept override { return messaggio.c_str(); }
};

// The message shown for a code.
std::string messaggio_errore(const std::string& a);

// Ends the run with the numbered message: throws errore_segnalato.
[[noreturn]] void errore(const std::string& a);
