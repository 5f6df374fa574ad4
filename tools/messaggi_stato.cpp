#include "messaggi_stato.h"

namespace {

struct voce_stato {
    std::int32_t codice;
    const char* testo;
};

constexpr voce_stato stati[] = {
    {0, "no error"},
    {1, "the declared track length is over 1,000,000 m"},
    {2, "a kilometric progressive's start or value is not a multiple of 50"},
    {3, "the start of the signal-code repetition is not a multiple of 50"},
    {4, "the end of the signal-code repetition is not a multiple of 50"},
    {5, "the signal-code repetition line names neither 4 nor 9 codes"},
    {6, "the cell of an indication sign (\"cartello\", \"indicat\") is not free"},
    {7, "the cell of an \"abbattimento\" board is not free"},
    {8, "a station position is not a multiple of 50"},
    {9, "a station's length is not a multiple of 100"},
    {10, "no room for another station: the station entries reach the entries of the indication-sign texts"},
    {11, "finishing: no free cell for the board in front of a signal before a slowdown warning board"},
    {12, "finishing: no free cell for an approach board of a slowdown"},
    {13, "finishing: no free cell for a repeat board inside a slowdown or for the board before the first "
         "signal after it"},
    {15, "a position lies beyond the end of the track"},
    {16, "the cell of a signal is not free"},
    {17, "the cell of a slowdown warning board is not free"},
    {18, "the start cell of a slowdown is not free"},
    {19, "the end cell of a slowdown is not free"},
    {20, "one of the four cells before a slowdown warning board is not free"},
    {21, "the cell of a speed-indicator pair is not free"},
    {22, "a station's extent begins less than 350 m after the previous station's extent ends"},
    {24, "a station marker would fall at or before cell 1"},
    {25, "runtime failure while compiling the text files (a missing train file, a file ending inside a "
         "record, a value that does not fit its field)"},
    {101, "the line text file does not exist"},
    {102, "the line text file has no \"[generale]\" section"},
    {103, "a curve line gives no curvature grade, or the plan runs past 1,000,000 points"},
};

}  // namespace

std::string descrizione_stato(std::int32_t codice) {
    for (const voce_stato& s : stati) {
        if (s.codice == codice) return s.testo;
    }
    return "unknown status";
}

bool stato_della_finitura(std::int32_t codice) { return codice >= 11 && codice <= 13; }
