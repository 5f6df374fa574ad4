// Placement of labels that must not overlap: each label is tried at growing
// distances from its point, in the directions nearest to the one it prefers,
// and takes the first place that is inside the drawing and clear of the
// labels already placed, of the drawn lines and of the other obstacles. A
// label with no clear place takes the place with the fewest collisions.
#pragma once

#include <string_view>
#include <vector>

struct rettangolo {
    double x = 0, y = 0;  // top left
    double l = 0, a = 0;  // width, height
};

struct segmento {
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};

struct richiesta_etichetta {
    double px = 0, py = 0;   // the point the label names
    double l = 0, a = 0;     // size of the label
    double dx = 0, dy = -1;  // preferred direction from the point (unit vector)
};

struct etichetta_posta {
    rettangolo r;
    double gx = 0, gy = 0;  // where a leader line from the point meets the label
    bool guida = false;     // the label stands off its point: draw the leader line
};

// Labels in the order given: earlier ones choose first.
std::vector<etichetta_posta> disponi_etichette(const std::vector<richiesta_etichetta>& richieste,
                                               const std::vector<segmento>& linee,
                                               const std::vector<rettangolo>& ostacoli, const rettangolo& area);

bool si_sovrappongono(const rettangolo& a, const rettangolo& b);
bool segmento_tocca(const segmento& s, const rettangolo& r);

// Width of a text in a sans-serif face, estimated from its characters (UTF-8).
// Labels are drawn with exactly this width, so the estimate is the truth.
double larghezza_testo(std::string_view utf8, double corpo);
