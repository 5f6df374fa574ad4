// The kinds of track cell: one row per kind, read by the compiler, the
// finishing pass and every tool that shows, checks or decompiles a track.
//
// A row holds the kind's number, its name, the records of the sources that
// write it, what its value fields mean (valore1 to valore4 and tempo_segnale:
// the only fields whose meaning depends on the kind; avviso, montagna,
// vel_limite, pendenza and aderenza are the profile of every cell, whatever
// it holds), and the words each tool uses for it. A tool's words are kept
// as they are, so that what it prints does not change; a new kind is one row.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// Codes of cella::tipo.
namespace tipo_cella {
inline constexpr std::uint8_t libero = 0;
inline constexpr std::uint8_t segnale = 1;
inline constexpr std::uint8_t fine_rallentamento = 2;
inline constexpr std::uint8_t inizio_rallentamento = 3;
inline constexpr std::uint8_t avviso_rallentamento = 4;
inline constexpr std::uint8_t preavviso_rallentamento = 5;
inline constexpr std::uint8_t indicatori_v_max = 6;
inline constexpr std::uint8_t marca_stazione = 10;
inline constexpr std::uint8_t marca_montagna = 11;
inline constexpr std::uint8_t tabella_con_valore = 12;
inline constexpr std::uint8_t tabella_senza_valore = 13;
inline constexpr std::uint8_t cartello = 14;
}  // namespace tipo_cella

// The value fields of a cell whose meaning depends on its kind, in the order
// of the cell record.
enum class campo_valore : std::uint8_t { valore1, valore2, valore3, valore4, tempo_segnale };
inline constexpr std::size_t campi_valore = 5;
inline constexpr std::array<const char*, campi_valore> nomi_campi_valore = {"valore1", "valore2", "valore3", "valore4",
                                                                           "tempo_segnale"};

struct descrizione_tipo_cella {
    std::uint8_t tipo;
    const char* nome;     // the kind's name, as tipo_cella spells it
    const char* record;   // the keywords of the records that write it ("" when none: the finishing pass, or nothing)
    // What each value field holds in a cell of this kind; nullptr when no
    // record writes it (it stays 0).
    std::array<const char*, campi_valore> campi;
    const char* parola_dump;      // dump's column "kind"
    const char* parola_messaggi;  // the status messages: "already holds ..." (nullptr: "something else")
    const char* parola_legenda;   // the legend of the view page (nullptr: no entry of its own)
    const char* pezzo_rallentamento;  // decompile's words for a piece of a slowdown (nullptr: not one)
};

inline constexpr descrizione_tipo_cella tipi_celle[] = {
    {tipo_cella::libero, "libero", "", {}, "track", nullptr, nullptr, nullptr},
    {tipo_cella::segnale,
     "segnale",
     "segnale",
     {"s1 * 10 + d1", "s2 * 10 + d2", "s3 * 10 + d3", "rapp * 10 + sx * 3 + dx",
      "the signal time when sx is 2 (1 to 100 count as 101)"},
     "signal",
     "a signal",
     "signal (plan, profile)",
     nullptr},
    {tipo_cella::fine_rallentamento,
     "fine_rallentamento",
     "rallentamento",
     {"the speed v, km/h", "d_v", "f_tt", nullptr, nullptr},
     "slowdown end",
     "the end of a slowdown",
     nullptr,
     "a slowdown end"},
    {tipo_cella::inizio_rallentamento,
     "inizio_rallentamento",
     "rallentamento",
     {"the speed v, km/h", "d_v", "f_tt", nullptr, nullptr},
     "slowdown start",
     "the start of a slowdown",
     "slowdown, start to end cell",
     nullptr},
    {tipo_cella::avviso_rallentamento,
     "avviso_rallentamento",
     "rallentamento",
     {"the speed v, km/h", "d_v", nullptr, nullptr, nullptr},
     "slowdown warning",
     "the warning board of a slowdown",
     "slowdown warning board",
     "a slowdown warning board"},
    {tipo_cella::preavviso_rallentamento,
     "preavviso_rallentamento",
     "rallentamento",
     {"1 to 4, from the warning board back", "the same, when d_v is not 0", nullptr, nullptr, nullptr},
     "warning approach",
     "a lead-in cell of a slowdown",
     "lead-in cell of a warning board",
     "a lead-in cell of a slowdown warning board"},
    {tipo_cella::indicatori_v_max,
     "indicatori_v_max",
     "indicatori_v_max",
     {"vas * 20 + vad / 5", "vbs * 20 + vbd / 5", "vcs * 20 + vcd / 5", "strisces * 10 + strisced", nullptr},
     "speed indicators",
     "speed indicators",
     "maximum-speed indicator pair",
     nullptr},
    {tipo_cella::marca_stazione,
     "marca_stazione",
     "stazione",
     {"the station's table entry", nullptr, nullptr, nullptr, nullptr},
     "station mark",
     "a station marker",
     nullptr,
     nullptr},
    {tipo_cella::marca_montagna, "marca_montagna", "montagna", {}, "mountain mark", nullptr, nullptr, nullptr},
    {tipo_cella::tabella_con_valore,
     "tabella_con_valore",
     "abbattimento",
     {"the board's value (180: a board of the finishing pass)", nullptr, nullptr, nullptr, nullptr},
     "board with value",
     "a board with a value",
     nullptr,
     nullptr},
    {tipo_cella::tabella_senza_valore,
     "tabella_senza_valore",
     "abbattimento",
     {},
     "board, no value",
     "a board without a value",
     "abbattimento board",
     nullptr},
    {tipo_cella::cartello,
     "cartello",
     "cartello_indicatore",
     {"the table entry of its text", nullptr, nullptr, nullptr, nullptr},
     "indication sign",
     "an indication sign",
     "indication sign (plan, profile)",
     nullptr},
};

// The row of a kind; nullptr for a code the build never writes.
constexpr const descrizione_tipo_cella* descrizione_tipo(std::uint8_t tipo) {
    for (const descrizione_tipo_cella& d : tipi_celle) {
        if (d.tipo == tipo) return &d;
    }
    return nullptr;
}

// Whether a record writes this value field in a cell of this kind.
constexpr bool campo_usato(const descrizione_tipo_cella& d, campo_valore c) {
    return d.campi[static_cast<std::size_t>(c)] != nullptr;
}
