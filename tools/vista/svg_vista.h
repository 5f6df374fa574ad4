// Small writers of SVG elements for the page of `view`. Coordinates go
// through coord(), texts through escape_html().
#pragma once

#include <string>

#include "tools/vista/testo_html.h"

inline std::string titolo_svg(const std::string& testo) {
    return concatena({"<title>", escape_html(testo), "</title>"});
}

// <rect> of `classe`, with `altro` (attributes, each with a leading blank)
// and a hover text when `testo` is not empty.
inline std::string rettangolo_svg(double x, double y, double l, double a, const std::string& classe,
                                  const std::string& testo = "", const std::string& altro = "") {
    std::string s = concatena({"<rect class=\"", classe, "\"", altro, " x=\"", coord(x), "\" y=\"", coord(y),
                               "\" width=\"", coord(l), "\" height=\"", coord(a), "\""});
    if (testo.empty()) return s + "/>\n";
    return concatena({s, ">", titolo_svg(testo), "</rect>\n"});
}

inline std::string linea_svg(double x1, double y1, double x2, double y2, const std::string& classe) {
    return concatena({"<line", classe.empty() ? "" : " class=\"", classe, classe.empty() ? "" : "\"", " x1=\"",
                      coord(x1), "\" y1=\"", coord(y1), "\" x2=\"", coord(x2), "\" y2=\"", coord(y2), "\"/>\n"});
}

// <text> at x, y; `ancora` is "start", "middle" or "end".
inline std::string testo_svg(double x, double y, const std::string& testo, const std::string& classe,
                             const std::string& ancora = "start") {
    return concatena({"<text class=\"", classe, "\" x=\"", coord(x), "\" y=\"", coord(y), "\"",
                      ancora == "start" ? "" : " text-anchor=\"", ancora == "start" ? "" : ancora,
                      ancora == "start" ? "" : "\"", ">", escape_html(testo), "</text>\n"});
}
