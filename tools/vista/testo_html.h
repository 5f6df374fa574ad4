// Text for the page of `view`: the names of the scenario (Windows-1252 bytes)
// as UTF-8, escaped for HTML and SVG, and numbers written the same way on
// every platform (no locale, no printf).
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

// The parts one after the other, by appending. (A chain of "+" that starts
// with a literal makes MinGW's GCC 12 warn falsely, -Wrestrict.)
inline std::string concatena(std::initializer_list<std::string_view> parti) {
    std::size_t n = 0;
    for (const std::string_view p : parti) n += p.size();
    std::string s;
    s.reserve(n);
    for (const std::string_view p : parti) s.append(p);
    return s;
}

// Windows-1252 bytes as UTF-8. Control characters (C0, DEL and the C1 codes
// the code page leaves undefined) become U+FFFD, which a page can show.
std::string utf8_per_pagina(std::string_view testo);

// Escapes & < > " and ' for text and attribute values of HTML and inline SVG.
std::string escape_html(std::string_view testo);

// Both: a Windows-1252 name ready for the page.
inline std::string nome_html(std::string_view testo) { return escape_html(utf8_per_pagina(testo)); }

// A whole number.
std::string intero(std::int64_t n);

// A number with `cifre` decimals (0 to 6), rounded; never "-0".
std::string decimale(double x, int cifre);

// A drawing coordinate: one decimal, trailing ".0" dropped.
std::string coord(double x);

// Metres as kilometres with three decimals: 4250 -> "4.250".
std::string km(std::int64_t metri);

// Seconds after midnight as h:mm:ss (hours may pass 23).
std::string orario(std::int64_t secondi);
