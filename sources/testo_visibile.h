// Paths and arguments made safe for a terminal: the one rule by which every
// path, file name and command-line argument is shown, by the builder and by
// every command of scenario-tool. A file name must not be able to move the
// cursor, change colours, set a window title or clear the screen.
//
// Printable ASCII and valid UTF-8 characters stay as they are; every other
// byte (the controls below 0x20, ESC and BEL among them, DEL, the C1
// controls, bytes that are not UTF-8) becomes \xNN.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// A path, a name or an argument for the terminal.
std::string visibile_percorso(std::string_view percorso);

// "\xNN" for the byte, in lower-case hexadecimal.
void aggiungi_esadecimale(std::string& s, unsigned char c);

// The length of a valid UTF-8 sequence of a printable character (not a C1
// control, not overlong, not a surrogate) at byte i; 0 when there is none.
std::size_t lunghezza_utf8_stampabile(std::string_view t, std::size_t i);
