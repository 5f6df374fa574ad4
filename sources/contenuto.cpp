// The scenario carried by this build, as the text lines that the writers put
// on disk. Every list ends with the end marker, which is never written.
// Characters beyond ASCII are Windows-1252 bytes.
#include "sources/contenuto.h"

namespace contenuto {

// Line description: line "Tava Aeroporto-Rovea".
const char* const righe_linea[29] = {
    "[generale]",
    "lunghezza percorso,    22000",
    "progressiva chilometrica uno,    0,    0,    0",
    "progressiva chilometrica due,    0,    0,    0",
    "progressiva chilometrica tre,    0,    0,    0",
    "sfondo uno,    1",
    "sfondo due,    0",
    "sfondo tre,    0",
    "ripetizione segnali 4 codici,    0,    26000",
    "[curve]",
    "curvad1,  2000,  1500",
    "curvas3,  5000,  3800",
    "curvad5,  11000,  1000",
    "curvas3,  14000,  4550",
    "curvad3,  20000,  2000",
    "[pendenze]",
    "pendenza,  0,   2",
    "pendenza,  3500,   0",
    "pendenza,  16000,   2",
    "pendenza,  19500,   0",
    "pendenza,  23100,   1",
    "pendenza,  24000,   2",
    "[montagne]",
    "montagna,   13000,  13050,  2",
    "[cartelli]",
    "[indicazioni]",
    "cartello_indicatore,  500,   ( PASSAGGIO A)(  LIVELLO   )",
    "[fine]",
    marcatore_fine,
};

// Train description: train 30742 on that line.
const char* const righe_treno[32] = {
    "[generale]",
    "numero vetture,    8",
    "percentuale massa frenata,    140",
    "sabbia,    300",
    "orologio,    20              8             30 ",
    "[aderenze]",
    "aderenza,   0,    100",
    "[vel_limite]",
    "velocita,   0,    30",
    "velocita,    1000,   100",
    "[stazioni]",
    "stazione,       0, 22,  600,  0, 0, 0,  0,0,0,  4,1,1,    1,  20, 9, 0, TAVA AEROPORTO",
    "stazione,    4000,  4,  700,  1, 0, 0,  4,1,2,  2,1,1,   60,  20,11, 0, TAVA CENTRALE",
    "stazione,    5000, 12,  400,  1, 0, 0,  4,1,0,  2,1,1,   60,  20,13, 0, TAVA SAN CORDANE",
    "stazione,    9000, 12,  500,  0, 0, 0,  1,1,0,  3,3,1,    0,   0, 0, 0, SAN MERIDANO TERME",
    "stazione,   12000, 12,  300,  0, 0, 0,  1,1,0,  4,1,1,    0,   0, 0, 0, TORVIA",
    "stazione,   16000, 12,  400,  0, 0, 0,  1,1,0,  4,1,1,    0,   0, 0, 0, POGGIOLANA",
    "stazione,   22000, 12,  500,  0, 0, 0,  1,1,0,  2,1,1,    0,  20,50, 0, ROVEA",
    "[rallentamenti]",
    "[segnali]",
    "segnale,    1650,   2, 4, 1,  0, 0,    2,  2,1,0, 0",
    "segnale,    3000,   2, 3, 1,  0, 0,    2,  2,1,0, 0",
    "segnale,    7000,   2, 4, 1,  0, 0,    2,  2,1,0, 0",
    "segnale,   10500,   2, 4, 1,  0, 0,    2,  2,1,0, 160",
    "segnale,   11500,   2, 4, 1,  0, 0,    2,  2,1,0, 0",
    "segnale,   13500,   2, 4, 1,  0, 0,    2,  2,1,0, 0",
    "segnale,   15000,   2, 4, 1,  0, 0,    2,  2,1,0, 0",
    "segnale,   18500,   2, 4, 1,  0, 0,    2,  2,1,0, 0",
    "segnale,   20500,   2, 3, 1,  0, 0,    2,  2,1,0, 0",
    "[codici]",
    "[fine]",
    marcatore_fine,
};

}  // namespace contenuto
