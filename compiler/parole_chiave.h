// Keyword tests on a field of a text source: a record kind is recognised when
// the field holds its test words anywhere, some with their letter case as
// written and some in any letter case.
#pragma once

#include <algorithm>
#include <cctype>
#include <string>
#include <string_view>

// The length record of the line's general section, as the embedded sources write it.
inline constexpr std::string_view parola_lunghezza = "lunghezza percorso";

// The field holds `parola` exactly as written.
inline bool contiene(std::string_view campo, std::string_view parola) {
    return campo.find(parola) != std::string_view::npos;
}

// The field holds `parola` in any letter case.
inline bool contiene_in_ogni_caso(std::string_view campo, std::string_view parola) {
    const auto uguali = [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
    };
    return std::search(campo.begin(), campo.end(), parola.begin(), parola.end(), uguali) != campo.end();
}

// The field in small letters (ASCII letters only), once per field: the tests
// that ignore letter case then look for their small-letter words in it.
inline std::string in_minuscole(std::string_view campo) {
    std::string r(campo);
    for (char& c : r) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return r;
}

// A keyword field that holds a hyphen anywhere is a comment.
inline bool e_commento(std::string_view campo) { return contiene(campo, "-"); }

// A section header: the field holds "[" and "]" and, after its leading
// blanks, does not begin with "-".
inline bool e_intestazione(std::string_view campo) {
    if (!contiene(campo, "[") || !contiene(campo, "]")) return false;
    return campo[campo.find_first_not_of(' ')] != '-';
}
