#include "tools/diagnostiche/spiegazioni.h"

#include <array>

#include "compiler/avvisi.h"
#include "compiler/stati.h"
#include "tools/analisi/esami.h"

namespace {

constexpr sorgente L = sorgente::linea;
constexpr sorgente T = sorgente::treno;

// The examples are lines of the embedded scenario, changed. Every wrong one is
// checked to raise its status or warning, every right one not to (tests).
const spiegazione stati[] = {
    {1, nullptr, nullptr, "\"lunghezza percorso\", in the general section of the line file",
     R"(The line's length, in metres, may be at most 1,000,000 m. The build stops
reading the line file at this record, before the track is made, so compile
writes no scenario file.)",
     esempio_sorgente{L, "lunghezza percorso,    22000", "lunghezza percorso,    2200000",
                      "lunghezza percorso,    22000"}},
    {2, nullptr, nullptr, "\"progressiva chilometrica uno\", \"due\" or \"tre\", checked after the train file",
     R"(The start and the value of each of the three kilometric progressives must be
multiples of 50. The progressives are read in the line file, but checked
only at the end of the train file, so this status comes last: it replaces
whatever status the train file left.)",
     esempio_sorgente{L, "progressiva chilometrica uno,    0,    0,    0",
                      "progressiva chilometrica uno,    1025,    0,    0",
                      "progressiva chilometrica uno,    1000,    0,    0"}},
    {3, nullptr, nullptr, "\"ripetizione segnali\", in the general section of the line file",
     R"(The repetition record gives the stretch of line equipped with signal
repetition: its start and its end, in metres. The start must be a multiple
of 50. The build stops reading the line file here.)",
     esempio_sorgente{L, "ripetizione segnali 4 codici,    0,    26000", "ripetizione segnali 4 codici,    25,    26000",
                      "ripetizione segnali 4 codici,    0,    26000"}},
    {4, nullptr, nullptr, "\"ripetizione segnali\", in the general section of the line file",
     R"(The end of the signal-code repetition must be a multiple of 50 (an end of 0
means that the line has no repetition). The build stops reading the line
file here.)",
     esempio_sorgente{L, "ripetizione segnali 4 codici,    0,    26000", "ripetizione segnali 4 codici,    0,    26010",
                      "ripetizione segnali 4 codici,    0,    26000"}},
    {5, nullptr, nullptr, "\"ripetizione segnali\", in the general section of the line file",
     R"(The repetition keyword itself says how many codes the repetition has: it
must hold the digit 4 (four codes) or, failing that, the digit 9 (nine
codes), as in "ripetizione segnali 4 codici". The build stops reading the
line file here.)",
     esempio_sorgente{L, "ripetizione segnali 4 codici,    0,    26000", "ripetizione segnali codici,    0,    26000",
                      "ripetizione segnali 4 codici,    0,    26000"}},
    {6, nullptr, nullptr, "\"cartello_indicatore\", in the body of the line file",
     R"(An indication sign stands in the cell after its position's own cell (cells
are 50 m long). That cell must be free: nothing but plain track or a
mountain mark may stand in it. Two signs less than 50 m apart, or a sign on
the cell of speed indicators, meet here. The build stops reading the line
file at this record; check names the record that took the cell.)",
     esempio_sorgente{L, "cartello_indicatore,  500,   ( PASSAGGIO A)(  LIVELLO   )",
                      "cartello_indicatore,  500,   ( PASSAGGIO A)(  LIVELLO   )\n"
                      "cartello_indicatore,  520,   (  STAZIONE  )(            )",
                      "cartello_indicatore,  500,   ( PASSAGGIO A)(  LIVELLO   )\n"
                      "cartello_indicatore,  1000,   (  STAZIONE  )(            )"}},
    {7, nullptr, nullptr, "\"abbattimento\", in the train file",
     R"(An abbattimento board stands in its position's own cell, which must be free:
a signal, a station marker, a slowdown or an indication sign in it refuses
the board. The build stops reading the train file here; check names the
record that took the cell.)",
     esempio_sorgente{T, "[codici]", "abbattimento,   1700,   100\n[codici]", "abbattimento,   1800,   100\n[codici]"}},
    {8, nullptr, nullptr, "\"stazione\", in the train file",
     R"(A station's position, its first value, must be a multiple of 50. The build
stops reading the train file here.)",
     esempio_sorgente{T, "stazione,    9000, 12,  500,  0, 0, 0,  1,1,0,  3,3,1,    0,   0, 0, 0, SAN MERIDANO TERME",
                      "stazione,    9010, 12,  500,  0, 0, 0,  1,1,0,  3,3,1,    0,   0, 0, 0, SAN MERIDANO TERME",
                      "stazione,    9000, 12,  500,  0, 0, 0,  1,1,0,  3,3,1,    0,   0, 0, 0, SAN MERIDANO TERME"}},
    {9, nullptr, nullptr, "\"stazione\", in the train file",
     R"(A station's length, its third value, must be a multiple of 100. The build
stops reading the train file here.)",
     esempio_sorgente{T, "stazione,    9000, 12,  500,  0, 0, 0,  1,1,0,  3,3,1,    0,   0, 0, 0, SAN MERIDANO TERME",
                      "stazione,    9000, 12,  550,  0, 0, 0,  1,1,0,  3,3,1,    0,   0, 0, 0, SAN MERIDANO TERME",
                      "stazione,    9000, 12,  500,  0, 0, 0,  1,1,0,  3,3,1,    0,   0, 0, 0, SAN MERIDANO TERME"}},
    {10, nullptr, nullptr, "\"stazione\", in the train file",
     R"(Stations and the indication signs of the line file share 78 entries of the
scenario table: stations fill it from the first entry up, sign texts from
the eightieth down. With the one sign of the embedded line file, the 78th
station record raises this status (it is stored, but no room is left after
it). Use fewer stations or fewer signs. The build stops reading the train
file here.)",
     std::nullopt},
    {11, nullptr, nullptr, "the finishing pass, for the warning board of a \"rallentamento\"",
     R"(After the two files are read, the finishing pass places boards by itself. Every
signal within 20 cells (1000 m) before a slowdown's warning board gets a
board in one of the two cells just before it. When both cells are taken by
anything but such a board, the board cannot be placed. The position is the
signal's cell. The pass goes on, and compile still writes the files; check
names the slowdown and the signal.)",
     esempio_sorgente{T, "[rallentamenti]",
                      "[rallentamenti]\nabbattimento,   1600,   0\nabbattimento,   1650,   0\n"
                      "rallentamento,   3150,   60,   300,   0,   0,   0",
                      "[rallentamenti]\nabbattimento,   1600,   0\n"
                      "rallentamento,   3150,   60,   300,   0,   0,   0"}},
    {12, nullptr, nullptr, "the finishing pass, for a \"rallentamento\"",
     R"(The finishing pass puts up to three approach boards before the start of
every slowdown: one in the first free cell of each window of cells 5 to 7,
11 to 13 and 18 to 20 before the slowdown's start cell. A window whose three
cells are all taken raises this status, with the position of the start cell.
The pass goes on, and compile still writes the files.)",
     esempio_sorgente{T, "[rallentamenti]",
                      "[rallentamenti]\nabbattimento,   2850,   0\nabbattimento,   2900,   0\n"
                      "abbattimento,   2950,   0\nrallentamento,   3150,   60,   300,   0,   0,   0",
                      "[rallentamenti]\nabbattimento,   2850,   0\nabbattimento,   2900,   0\n"
                      "rallentamento,   3150,   60,   300,   0,   0,   0"}},
    {13, nullptr, nullptr, "the finishing pass, for a \"rallentamento\" slower than 110 km/h",
     R"(Inside a slowdown slower than 110 km/h the finishing pass places a repeat
board every 8 cells (400 m) after the start, in that cell or in the one
before or after it; after the slowdown's end it places a board before the
first signal within 12 cells. When none of the cells tried is free, this
status is raised with the position of the cell tried. The pass goes on, and
compile still writes the files.)",
     esempio_sorgente{T, "[rallentamenti]",
                      "[rallentamenti]\nabbattimento,   3550,   0\nabbattimento,   3600,   0\n"
                      "abbattimento,   3650,   0\nrallentamento,   3150,   60,   1000,   0,   0,   0",
                      "[rallentamenti]\nabbattimento,   3550,   0\nabbattimento,   3600,   0\n"
                      "rallentamento,   3150,   60,   1000,   0,   0,   0"}},
    {15, nullptr, nullptr, "any record with a position: the line body, the train file",
     R"(The track reaches 7000 m beyond the line's declared length. A record's
position may be at most the declared length plus 6900 m (a station's, plus
6200 m); with the embedded line of 22000 m, 28900 m and 28200 m. The build
stops reading the file at this record; what was read before it stays.

When the line file raises this status, the train file is still read, but the
first signal or slowdown placed meets the status and ends the train file:
check shows that record as a second error, after the first, and compile
reports its position.)",
     esempio_sorgente{T, "velocita,    1000,   100", "velocita,    30000,   100", "velocita,    1000,   100"}},
    {16, nullptr, nullptr, "\"segnale\", in the train file",
     R"(A signal stands in the cell after its position's own cell, which must be
free: another signal, a station marker, a slowdown, an indication sign or a
board in it refuses the signal. The build stops reading the train file here;
check names the record that took the cell.)",
     esempio_sorgente{T, "[segnali]", "[segnali]\nsegnale,    500,   2, 4, 1,  0, 0,    2,  2,1,0, 0",
                      "[segnali]\nsegnale,    600,   2, 4, 1,  0, 0,    2,  2,1,0, 0"}},
    {17, nullptr, nullptr, "\"rallentamento\", in the train file",
     R"(A slowdown that begins after 1500 m gets a warning board 1200 m before its
start, in the cell after that position's own cell. That cell must be free.
The build stops reading the train file here; check names the record that
took the cell.)",
     esempio_sorgente{T, "[rallentamenti]", "[rallentamenti]\nrallentamento,   1700,   60,   300,   0,   0,   0",
                      "[rallentamenti]\nrallentamento,   1800,   60,   300,   0,   0,   0"}},
    {18, nullptr, nullptr, "\"rallentamento\", in the train file",
     R"(A slowdown's start stands in the cell after its position's own cell, which
must be free. The build stops reading the train file here; check names the
record that took the cell.)",
     esempio_sorgente{T, "[codici]", "rallentamento,   1650,   60,   300,   0,   0,   0\n[codici]",
                      "rallentamento,   1800,   60,   300,   0,   0,   0\n[codici]"}},
    {19, nullptr, nullptr, "\"rallentamento\", in the train file",
     R"(A slowdown's end stands in the cell after the own cell of its position plus
its length, which must be free. The build stops reading the train file here;
check names the record that took the cell.)",
     esempio_sorgente{T, "[codici]", "rallentamento,   1800,   60,   1200,   0,   0,   0\n[codici]",
                      "rallentamento,   1800,   60,   1000,   0,   0,   0\n[codici]"}},
    {20, nullptr, nullptr, "\"rallentamento\", in the train file",
     R"(A slowdown whose fifth value is not 0 asks for four lead-in cells just before
its warning board (only when it begins after 1500 m). All four must be free.
Its start, end and warning board are already on the track when this status
is raised; the build stops reading the train file here.)",
     esempio_sorgente{T, "[rallentamenti]", "[rallentamenti]\nrallentamento,   1800,   60,   300,   0,   1,   0",
                      "[rallentamenti]\nrallentamento,   2000,   60,   300,   0,   1,   0"}},
    {21, nullptr, nullptr, "\"indicatori_v\", in the body of the line file",
     R"(A pair of speed indicator boards stands in the cell after its position's own
cell, which must be free: another pair or an indication sign in it refuses
it. The build stops reading the line file here; check names the record that
took the cell.)",
     esempio_sorgente{L, "[fine]", "indicatori_v,  500,  1, 1, 1, 1,  1, 1, 1, 1\n[fine]",
                      "indicatori_v,  1000,  1, 1, 1, 1,  1, 1, 1, 1\n[fine]"}},
    {22, nullptr, nullptr, "\"stazione\", in the train file",
     R"(A station's extent (its position, with half its length each side for most
kinds) must begin at least 350 m after the previous station's extent ends.
Stations stand in the order of the line: a station placed before the
previous one breaks this rule too, and check says it lies before it. The
build stops reading the train file here; check names the previous station.)",
     esempio_sorgente{T, "stazione,    5000, 12,  400,  1, 0, 0,  4,1,0,  2,1,1,   60,  20,13, 0, TAVA SAN CORDANE",
                      "stazione,    4700, 12,  400,  1, 0, 0,  4,1,0,  2,1,1,   60,  20,13, 0, TAVA SAN CORDANE",
                      "stazione,    5000, 12,  400,  1, 0, 0,  4,1,0,  2,1,1,   60,  20,13, 0, TAVA SAN CORDANE"}},
    {24, nullptr, nullptr, "\"stazione\", in the train file",
     R"(A station of a kind below 25 gets a marker in the cell before the own cell of
the metre where its extent ends. That cell must lie beyond cell 1: the
extent must end after metre 100. The build stops reading the train file
here.)",
     esempio_sorgente{T, "stazione,       0, 22,  600,  0, 0, 0,  0,0,0,  4,1,1,    1,  20, 9, 0, TAVA AEROPORTO",
                      "stazione,       0, 22,  200,  0, 0, 0,  0,0,0,  4,1,1,    1,  20, 9, 0, TAVA AEROPORTO",
                      "stazione,       0, 22,  600,  0, 0, 0,  0,0,0,  4,1,1,    1,  20, 9, 0, TAVA AEROPORTO"}},
    {25, nullptr, nullptr, "any record, while the two files are read",
     R"(Something the build cannot go on from: a missing train file, a file that
ends inside a record, a value that is not a whole number or does not fit its
field (a coach count must fit 32 bits, the sand and the clock 16 bits, some
station values one byte), a speed of more than 1277 km/h, a line file
without a length record. Both files are closed where they stand. check names
the field and says what went wrong; the final status line names the failure
and its place in the source, and no position, since the build records none.
A third comment line in a row is a common cause: only two comment fields in
a row are passed over (ten in the line file's general section), the next
one is read as a keyword field, and a keyword in it starts that record,
which takes its values from the following line.)",
     esempio_sorgente{T, "sabbia,    300", "sabbia,    trecento", "sabbia,    300"}},
    {101, nullptr, nullptr, "the line file",
     R"(No file stands at the line file's path. The build stops at once and makes
no track, so compile writes no scenario file. Check the path and the name:
compile and check take the line name from a file named NAME_linea.txt.)",
     std::nullopt},
    {102, nullptr, nullptr, "the line file's \"[generale]\"",
     R"(The line file is read from its first field that holds "[generale]" (in any
letter case) on; a file without one, or whose only such field is its very
last one, has no general section. The build stops and makes no track, so
compile writes no scenario file.)",
     esempio_sorgente{L, "[generale]", "[general]", "[generale]"}},
    {103, nullptr, nullptr, "\"curva\", in the body of the line file",
     R"(A curve keyword holds its grade as a digit from 1 (the widest curve, radius
10,000 m) to 6 (the tightest, about 333 m), and an "s" for a left-hand
curve: "curvad1", "curvas3". A curve keyword without a digit from 1 to 6, or
a curve that takes the line's plan past 1,000,000 points, stops the build
here. Curves are read only when the line plan is built (not with
--no-plan).)",
     esempio_sorgente{L, "curvad1,  2000,  1500", "curvad,  2000,  1500", "curvad1,  2000,  1500"}},
    {1250, nullptr, "the builder's numbered message \" Errore n. 1250\": a format stamp's slot already holds a value",
     "the track build, after both files",
     R"(Two slots take the format stamps after the build: valore1 of cell 1 of the
track (metres 50 to 99) and par1 of entry 85 of the table. When a record
has written into cell 1 (a sign at 0 m, an abbattimento board at 50 m), the
builder shows " Errore n. 1250" and ends: no scenario file is written, and
compile and check end with exit status 3. check names the record.)",
     esempio_sorgente{L, "cartello_indicatore,  500,   ( PASSAGGIO A)(  LIVELLO   )",
                      "cartello_indicatore,  0,   ( PASSAGGIO A)(  LIVELLO   )",
                      "cartello_indicatore,  500,   ( PASSAGGIO A)(  LIVELLO   )"}},
    {1251, nullptr, "the builder's numbered message \" Errore n. 1251\": a check code's slot already holds a value",
     "the track build, after both files",
     R"(Two slots take the scenario's check codes after the build: valore2 of cell 1
of the track (metres 50 to 99) and valore4 of entry 85 of the table. A
record that writes valore2 of cell 1 (a slowdown starting at 0 m with a
sixth value) makes the builder show " Errore n. 1251" and end: no scenario
file is written, and compile and check end with exit status 3. check names
the record.)",
     esempio_sorgente{T, "[rallentamenti]", "[rallentamenti]\nrallentamento,   0,   0,   300,   0,   0,   5",
                      "[rallentamenti]\nrallentamento,   2000,   60,   300,   0,   0,   5"}},
};

const spiegazione avvisi[] = {
    {0, avviso::parola_sbagliata, nullptr, "a keyword field of either file",
     R"(A keyword field that is no record's keyword is passed over, and the values
after it too: a misspelled "stazione" loses the station, a misspelled
"pendenza" the gradient, without a status. The warning names the keyword
the field lies close to (up to two letters away).)",
     esempio_sorgente{T, "stazione,    9000, 12,  500,  0, 0, 0,  1,1,0,  3,3,1,    0,   0, 0, 0, SAN MERIDANO TERME",
                      "stazone,    9000, 12,  500,  0, 0, 0,  1,1,0,  3,3,1,    0,   0, 0, 0, SAN MERIDANO TERME",
                      "stazione,    9000, 12,  500,  0, 0, 0,  1,1,0,  3,3,1,    0,   0, 0, 0, SAN MERIDANO TERME"}},
    {0, avviso::maiuscole, nullptr, "the general section of the line file",
     R"(Most keywords are found in any letter case, but those of the progressives,
the backgrounds and the repetition ("progressiva chilometrica uno", "sfondo
due", "ripetizione segnali 4 codici") must be written in lower case. With a
capital, the record is not read and its values stay 0.)",
     esempio_sorgente{L, "sfondo uno,    1", "Sfondo uno,    1", "sfondo uno,    1"}},
    {0, avviso::record_fuori_posto, nullptr, "the line file",
     R"(The general section of the line file reads only its own records (length,
progressives, backgrounds, repetition), and the body after the first section
header only curves, gradients, mountains, speed indicators and signs. A
record in the other part is passed over field by field. Move it: general
records before "[curve]", body records after it.)",
     esempio_sorgente{L, "sfondo tre,    0", "sfondo tre,    0\npendenza,  100,   1", "sfondo tre,    0"}},
    {0, avviso::sezione_ignota, nullptr, "a field with \"[\" and \"]\"",
     R"(Section headers are for the reader of the file, except "[generale]": each
file is read from its first field holding "[generale]" on, and the line
file's general section ends at the next header. A header that is none of
the file's own is ignored; a misspelled "[generale]" loses everything
before the next one.)",
     esempio_sorgente{T, "[generale]", "[general]", "[generale]"}},
    {0, avviso::nessun_record, nullptr, "the train file",
     R"(No record of the train file was read: it has no field "[generale]" (only
what follows that field is read), or nothing after it is a record. The
scenario then has no stations, signals or speed limits. A train file saved
as UTF-16 text gives this warning too.)",
     esempio_sorgente{T, "[generale]", "[general]", "[generale]"}},
    {0, avviso::valori_in_piu, nullptr, "a record of either file",
     R"(Each record takes a fixed number of values. Values beyond them are read as
keyword fields of their own, which are numbers and so match nothing: they
are ignored.)",
     esempio_sorgente{T, "sabbia,    300", "sabbia,    300, 200", "sabbia,    300"}},
    {0, avviso::virgola_decimale, nullptr, "a value of either file",
     R"(Values are whole numbers, and a comma ends a field: "2,5" is read as the
value 2 followed by a field 5. Write whole numbers (a gradient of 2.5 is
not possible).)",
     esempio_sorgente{L, "pendenza,  16000,   2", "pendenza,  16000,   2,5", "pendenza,  16000,   2"}},
    {0, avviso::valore_troncato, nullptr, "a value of either file",
     R"(Some values are stored in one byte or in 16 bits and keep only their low
bits, without a status: a gradient is stored plus 100 in one byte (so it
runs from -100 to 155), adhesion in one byte (0 to 255), signal values in 16
bits. The warning says what the value reads back as.)",
     esempio_sorgente{L, "pendenza,  16000,   2", "pendenza,  16000,   200", "pendenza,  16000,   2"}},
    {0, avviso::nome_troncato, nullptr, "\"stazione\", \"cartello_indicatore\"",
     R"(A station name or a sign text runs to the next comma or the end of the
line: a comma in it cuts it there, and the rest of the line is read as
fields of its own.)",
     esempio_sorgente{T, "stazione,    5000, 12,  400,  1, 0, 0,  4,1,0,  2,1,1,   60,  20,13, 0, TAVA SAN CORDANE",
                      "stazione,    5000, 12,  400,  1, 0, 0,  4,1,0,  2,1,1,   60,  20,13, 0, TAVA SAN, CORDANE",
                      "stazione,    5000, 12,  400,  1, 0, 0,  4,1,0,  2,1,1,   60,  20,13, 0, TAVA SAN CORDANE"}},
    {0, avviso::fuori_ordine, nullptr, "gradients, curves, speed limits, adhesion, stations",
     R"(Gradients, speed limits and adhesion values hold from their position to the
next record's: their records must stand in increasing order of position,
or the cells between are filled wrongly. Curves must not begin before the
previous one ends, and stations stand in the order of the line.)",
     esempio_sorgente{T, "velocita,    1000,   100", "velocita,    1000,   100\nvelocita,    500,   60",
                      "velocita,    500,   60\nvelocita,    1000,   100"}},
    {0, avviso::oltre_lunghezza, nullptr, "any record with a position",
     R"(The track reaches 7000 m beyond the line's declared length, so a position up
to 6900 m beyond it is accepted. The simulator's line ends at the declared
length: the warning tells of an object the train may never reach. The
embedded line file has two such gradients, at 23100 m and 24000 m, on
purpose: expect this warning for them.)",
     esempio_sorgente{T, "segnale,   20500,   2, 3, 1,  0, 0,    2,  2,1,0, 0",
                      "segnale,   25000,   2, 3, 1,  0, 0,    2,  2,1,0, 0",
                      "segnale,   20500,   2, 3, 1,  0, 0,    2,  2,1,0, 0"}},
    {0, avviso::tabulazione, nullptr, "any line of either file",
     R"(Only the space is a blank: blanks before a field are skipped, and a blank
ends a value. A tab is an ordinary character that belongs to the field it
stands in, so a tab before a value makes it no number (status 25) and a tab
in a name stays in the name. check shows a tab as \t.)",
     esempio_sorgente{T, "stazione,   22000, 12,  500,  0, 0, 0,  1,1,0,  2,1,1,    0,  20,50, 0, ROVEA",
                      "stazione,   22000, 12,  500,  0, 0, 0,  1,1,0,  2,1,1,    0,  20,50, 0,\tROVEA",
                      "stazione,   22000, 12,  500,  0, 0, 0,  1,1,0,  2,1,1,    0,  20,50, 0, ROVEA"}},
    {0, avviso::codifica, nullptr, "the bytes of either file",
     R"(The files are Windows-1252 text, one byte per character. An editor that saves
UTF-8 writes each accented letter as two bytes, which the simulator shows as
two characters ("ROVÈA" becomes "ROVÃˆA"); one that saves UTF-16 puts a NUL
byte after every character, and nothing of the file is read. NUL bytes
inside a file are told too. A UTF-8 byte-order mark at the start of a file is
read as three characters in front of the first field; when that field is
"[generale]", the section is still found, but save the file without the mark.
Save the file as "Windows-1252" (called "Western" or "ANSI" by some
editors).)",
     std::nullopt},
    {0, avviso::record_perso, nullptr, "either file",
     R"(A file is read from its first field holding "[generale]" on: a record
before it is never read, and a train file without "[generale]" gives no
record at all (no station, signal, speed limit or adhesion). The last field
of a file is never read either: a keyword standing there alone is lost (end
the files with "[fine]", as the embedded ones do). A record a file holds
once (the length, a progressive, a background, the repetition, the coaches,
the braked mass, the clock, the sand) given twice keeps the second one's
values: the first is lost. An error unless -Wno-error=lost-record.)",
     esempio_sorgente{T, "[generale]", "sabbia,    300\n[generale]", "[generale]"}},
    {0, avviso::conteggio_valori, nullptr, "a record of either file",
     R"(The reader counts fields, not lines: a record whose line holds too few
values takes the rest from the next line, and a station name or sign text
runs to the next comma. A station without its name takes the next line's
keyword as its name, and that line's record is lost; one extra value makes
a number the name and shifts the time; one value too few reads the name
where a number stands (status 25). The error says what the record takes
and what its line holds. An error unless -Wno-error=value-count.)",
     esempio_sorgente{T, "stazione,   22000, 12,  500,  0, 0, 0,  1,1,0,  2,1,1,    0,  20,50, 0, ROVEA",
                      "stazione,   22000, 12,  500,  0, 0, 0,  1,1,0,  2,1,1,    0,  20,50, 0",
                      "stazione,   22000, 12,  500,  0, 0, 0,  1,1,0,  2,1,1,    0,  20,50, 0, ROVEA"}},
    {0, avviso::parola_ambigua, nullptr, "a keyword field of either file",
     R"(Keywords are found by the words they hold, anywhere in the field. A field
that holds the words of two records reads both, one after the other ("velocita
del rallentamento" is a speed limit, then a slowdown). A curve bends left when
its keyword holds an "s" anywhere, so "curva destra" is a left curve; a curve
keyword with no side letter bends right; its grade is the first of the digits
1 to 6 it holds, so "curvas 31" has grade 1. A repetition keyword with both
"4" and "9" is read as four codes. Write the embedded files' forms: "curvad3",
"curvas3". An error unless -Wno-error=ambiguous-keyword.)",
     esempio_sorgente{L, "curvad5,  11000,  1000", "curva destra 5,  11000,  1000", "curvad5,  11000,  1000"}},
    {0, avviso::estremi_invertiti, nullptr, "\"montagna\", \"rallentamento\", curves, stations, the repetition",
     R"(A mountain span whose end lies before its start covers no cell (the tunnel
vanishes, though it still counts among the spans); a slowdown, curve or
station with a negative length, or a repetition that ends before it starts,
is laid backwards or not at all. An error unless -Wno-error=swapped-range.)",
     esempio_sorgente{L, "montagna,   13000,  13050,  2", "montagna,   13050,  13000,  2",
                      "montagna,   13000,  13050,  2"}},
    {0, avviso::cifre_segnale, nullptr, "\"segnale\"",
     R"(A signal's cell keeps its values packed in pairs, tens and units: s1 x 10 +
d1, s2 x 10 + d2, s3 x 10 + d3, and rapp x 10 + sx x 3 + dx. A value that is
not one digit (0 to 9), or an sx x 3 + dx above 9, spills into the other
digit of its pair, and the simulator reads other values than those written.
An error unless -Wno-error=signal-digits.)",
     esempio_sorgente{T, "segnale,    3000,   2, 3, 1,  0, 0,    2,  2,1,0, 0",
                      "segnale,    3000,   2, 3, 1,  0, 0,    2,  14,1,0, 0",
                      "segnale,    3000,   2, 3, 1,  0, 0,    2,  2,1,0, 0"}},
    {0, avviso::tempo_segnale, nullptr, "\"segnale\"",
     R"(A signal keeps its time only when its sx is 2, and a time from 1 to 100
counts as 101: any other time is stored as 0, and 30 is stored as 101.
Write 0 for no time, or a time of 101 or more. An error unless
-Wno-error=signal-time.)",
     esempio_sorgente{T, "segnale,   10500,   2, 4, 1,  0, 0,    2,  2,1,0, 160",
                      "segnale,   10500,   2, 4, 1,  0, 0,    2,  2,1,0, 30",
                      "segnale,   10500,   2, 4, 1,  0, 0,    2,  2,1,0, 160"}},
    {0, avviso::celle_scoperte, nullptr, "\"velocita\", \"aderenza\"",
     R"(Every cell holds a speed limit and an adhesion, from the record at or before
it. The cells before the first "velocita" or "aderenza" record hold 0, and
a train file with neither record gives a speed limit of 0 and an adhesion of
0 over the whole line. Start both lists at 0 m. An error unless
-Wno-error=uncovered-cells.)",
     esempio_sorgente{T, "velocita,   0,    30", "velocita,   500,    30", "velocita,   0,    30"}},
};

// The checks of the built scenario (tools/analisi/esami.h), in the order of
// their table.
const spiegazione esami[] = {
    {0, esame::marche_sovrascritte, nullptr, "\"segnale\", \"stazione\"",
     R"(A signal writes approach markers at 2, 4, 6 and 8 cells before its own, and
a station writes approach markers in the four cells before its station
marker, whatever those cells hold; a station marker replaces whatever object
its cell held (a signal, a sign, a board). The record read later wins, and
the earlier record's markers or object are lost from the track without a
status. The diagnostic stands at the record that writes over and names the
one that loses. Move one of them: a signal's approach needs the 400 m before
it, a station's the 250 m before the end of its extent. A mountain mark
under another object is the format's own and is not told. An error unless
-Wno-error=overwritten-mark.)",
     esempio_sorgente{T, "segnale,    3000,   2, 3, 1,  0, 0,    2,  2,1,0, 0",
                      "segnale,    4300,   2, 3, 1,  0, 0,    2,  2,1,0, 0",
                      "segnale,    3000,   2, 3, 1,  0, 0,    2,  2,1,0, 0"}},
    {0, esame::stessa_cella, nullptr, "\"velocita\", \"aderenza\"",
     R"(A speed limit or an adhesion takes effect from the cell of its position (a
cell is 50 m) to the next record's cell. Of two records whose positions fall
in one cell, only the last counts: the first never reaches the track.
Positions are metres: speed limits written at 1, 7, 9, 12 and 13 (meaning
kilometres) all fall in cell 0, and the line has the last limit everywhere;
the diagnostic says so when every position of the kind would fit the track
as kilometres. An error unless -Wno-error=same-cell.)",
     esempio_sorgente{T, "velocita,   0,    30", "velocita,   0,    30\nvelocita,   20,    40", "velocita,   0,    30"}},
    {0, esame::valore_impossibile, nullptr, "\"rallentamento\", \"velocita\", \"aderenza\", \"orologio\", \"stazione\"",
     R"(Values that the build stores but that no railway can mean:

- a slowdown of length 0: its start and end fall in one cell, the end is
  lost, and the finishing pass lays the slowdown's boards to the end of the
  track (a negative length is -Wswapped-range);
- a speed limit of 0 km/h or an adhesion of 0: no train moves there;
- a clock or station time whose hours are not 0 to 23, or whose minutes or
  seconds are not 0 to 59;
- a station whose name is empty or blank.

An error unless -Wno-error=impossible-value.)",
     esempio_sorgente{T, "velocita,    1000,   100", "velocita,    1000,   0", "velocita,    1000,   100"}},
    {0, esame::valore_insolito, nullptr, "\"percentuale massa frenata\", \"numero vetture\", \"velocita\"",
     R"(Values the build keeps as written but beyond what any railway has. The
ranges chosen:

- braked-mass percentage 1 to 250: a freight train brakes about 50 to 100 %
  of its mass, a passenger train 100 to 200 %, and high-speed units with
  magnetic track brakes reach about 250 %; 0 is a train without brakes;
- coaches: at least 1;
- speed limit at most 350 km/h, the highest any line in service allows (the
  cell could hold up to 1,275 km/h).

A warning: the scenario builds as written, but no train runs like that.)",
     esempio_sorgente{T, "percentuale massa frenata,    140", "percentuale massa frenata,    500",
                      "percentuale massa frenata,    140"}},
    {0, esame::stazioni_omonime, nullptr, "\"stazione\"",
     R"(Two stations whose names are the same (blanks at the ends and letter case
aside): the train's display and the timetable cannot tell them apart. The
diagnostic stands at the second and names the first.)",
     esempio_sorgente{T, "stazione,   16000, 12,  400,  0, 0, 0,  1,1,0,  4,1,1,    0,   0, 0, 0, POGGIOLANA",
                      "stazione,   16000, 12,  400,  0, 0, 0,  1,1,0,  4,1,1,    0,   0, 0, 0, TORVIA",
                      "stazione,   16000, 12,  400,  0, 0, 0,  1,1,0,  4,1,1,    0,   0, 0, 0, POGGIOLANA"}},
    {0, esame::rallentamento_inutile, nullptr, "\"rallentamento\"",
     R"(A slowdown whose speed is not below the speed limit in force in its start
cell: the train need not slow down for it, though its boards stand on the
line. Give it a speed below the limit, or leave it out.)",
     esempio_sorgente{T, "[rallentamenti]", "[rallentamenti]\nrallentamento,   8000,  120,  500,  0, 0, 0",
                      "[rallentamenti]\nrallentamento,   8000,  60,  500,  0, 0, 0"}},
    {0, esame::record_ignoto, nullptr, "a field that is no keyword, in either file",
     R"(A word that no record's keyword holds, followed on its line by exactly the
values of a record of its file (as many, numbers where the record takes
numbers), is most likely that record under another name: the build passes
over the word and its values, and the record is lost. The diagnostic names
the record whose values follow, the nearest in spelling when several take as
many. A word close to a keyword is -Wmisspelled-keyword's instead. An error
unless -Wno-error=unknown-record.)",
     esempio_sorgente{T, "segnale,    7000,   2, 4, 1,  0, 0,    2,  2,1,0, 0",
                      "semaforo,    7000,   2, 4, 1,  0, 0,    2,  2,1,0, 0",
                      "segnale,    7000,   2, 4, 1,  0, 0,    2,  2,1,0, 0"}},
};

std::string intestazione(const spiegazione& s) {
    if (s.nome != nullptr) {
        return std::string("Warning -W") + s.nome + (errore_per_nome(s.nome) ? ", an error by default" : "");
    }
    if (s.codice >= 1250) return "Numbered message " + std::to_string(s.codice);
    return "Status " + std::to_string(s.codice);
}

std::string titolo_di(const spiegazione& s) {
    if (s.titolo != nullptr) return s.titolo;
    if (s.nome != nullptr) {
        for (const descrizione_avviso& a : tabella_avvisi()) {
            if (std::string_view(a.nome) == s.nome) return a.testo;
        }
        for (const voce_esame& e : tabella_esami()) {
            if (std::string_view(e.descrizione.nome) == s.nome) return e.descrizione.testo;
        }
    }
    return testo_stato(s.codice);
}

// The example's lines as a Markdown code block.
std::string blocco(const char* righe) {
    std::string t = "    ";
    for (const char* c = righe; *c != '\0'; ++c) {
        t += *c;
        if (*c == '\n') t += "    ";
    }
    return t + "\n";
}

}  // namespace

std::span<const spiegazione> spiegazioni_stati() { return stati; }
std::span<const spiegazione> spiegazioni_avvisi() { return avvisi; }
std::span<const spiegazione> spiegazioni_esami() { return esami; }

const spiegazione* cerca_spiegazione(std::string_view chiave) {
    if (chiave.rfind("-W", 0) == 0) chiave.remove_prefix(2);
    // -Wno-error=NAME, as the option keeping it a warning is written.
    if (chiave.rfind("no-error=", 0) == 0) chiave.remove_prefix(9);
    for (const auto& tabella : {std::span<const spiegazione>(avvisi), std::span<const spiegazione>(esami)}) {
        for (const spiegazione& s : tabella) {
            if (chiave == s.nome) return &s;
        }
    }
    // -Wno-NAME, as the option turning it off is written.
    if (chiave.rfind("no-", 0) == 0) {
        for (const auto& tabella : {std::span<const spiegazione>(avvisi), std::span<const spiegazione>(esami)}) {
            for (const spiegazione& s : tabella) {
                if (chiave.substr(3) == s.nome) return &s;
            }
        }
    }
    for (const spiegazione& s : stati) {
        if (chiave == std::to_string(s.codice)) return &s;
    }
    return nullptr;
}

std::string testo_spiegazione(const spiegazione& s, int livello) {
    std::string t = std::string(static_cast<std::size_t>(livello), '#') + " " + intestazione(s) + ": " + titolo_di(s) +
                    "\n\nRaised by: " + s.record + ".\n\n" + s.testo + "\n";
    if (s.esempio) {
        const char* file = s.esempio->file == sorgente::linea ? "line file" : "train file";
        t += std::string("\nWrong, in the ") + file + ":\n\n" + blocco(s.esempio->sbagliato) + "\nRight:\n\n" +
             blocco(s.esempio->giusto);
    }
    return t;
}

std::string riferimento_markdown() {
    std::string t =
        "# Statuses and warnings\n"
        "\n"
        "What every status and every warning of a build means, with a small example\n"
        "in the embedded scenario's files. `scenario-tool explain N` prints one of\n"
        "them, `scenario-tool explain NAME` a warning; this page is\n"
        "`scenario-tool explain --all`, word for word.\n"
        "\n"
        "A status is what the build records when a rule is broken: the build stops\n"
        "reading (the finishing pass, which raises 11, 12 and 13, goes on), and\n"
        "compile still writes the scenario files, except after 1250, 1251 or a\n"
        "build without a track. A warning tells of something the build drops,\n"
        "changes or cuts without a status; it never changes what is written.\n"
        "The warnings that lose or shift what the author wrote (a record dropped,\n"
        "a value read into another field or stored as another value, a range\n"
        "whose ends are swapped) are errors by default: check and compile end\n"
        "with exit status 1, unless -Wno-error=NAME keeps one a warning\n"
        "(-Wno-NAME turns it off).\n";
    t += "\n## Statuses\n";
    for (const spiegazione& s : stati) {
        t += '\n';
        t += testo_spiegazione(s, 3);
    }
    t += "\n## Warnings\n";
    for (const spiegazione& s : avvisi) {
        t += '\n';
        t += testo_spiegazione(s, 3);
    }
    t += "\n## Checks of the built scenario\n"
         "\n"
         "What check, compile and the editor tell of a scenario that built without a\n"
         "status: records that destroy each other's marks, values no railway means,\n"
         "records under a name no keyword holds. They read what the build made and\n"
         "never change it; they are named, turned off and made errors or warnings\n"
         "like the warnings above.\n";
    for (const spiegazione& s : esami) {
        t += '\n';
        t += testo_spiegazione(s, 3);
    }
    return t;
}

std::string elenco_spiegazioni() {
    std::string t = "statuses";
    for (const spiegazione& s : stati) t += (&s == stati ? " " : ", ") + std::to_string(s.codice);
    t += "; warnings";
    for (const spiegazione& s : avvisi) t += std::string(&s == avvisi ? " " : ", ") + s.nome;
    t += "; checks";
    for (const spiegazione& s : esami) t += std::string(&s == esami ? " " : ", ") + s.nome;
    return t;
}
