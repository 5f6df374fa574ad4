// Names given as UTF-8 (every name on Windows) in the model's Windows-1252.
#include <gtest/gtest.h>

#include "tools/comune/errore_uso.h"
#include "tools/comune/testo_1252.h"
#include "tools/comune/windows1252.h"

namespace {

std::string errore_di(const std::string& testo) {
    try {
        utf8_in_windows1252(testo, "line name");
    } catch (const errore_uso& e) {
        return e.messaggio;
    }
    return "";
}

TEST(Windows1252, EveryCharacterThatFitsBecomesItsByte) {
    const std::pair<std::string, std::string> casi[] = {
        {"Tava Aeroporto-Rovea", "Tava Aeroporto-Rovea"},
        {"Citt\xC3\xA0", "Citt\xE0"},                    // à
        {"Niccol\xC3\xB2", "Niccol\xF2"},                // ò
        {"\xE2\x82\xAC", "\x80"},                        // €, from the bytes 80 to 9F
        {"\xC5\xB8", "\x9F"},                            // Ÿ
        {"\xC2\xA0\xC3\xBF", "\xA0\xFF"},                // the ends of the Latin-1 half
        {"\xC2\x81", "\x81"},                            // a byte without a character of its own
        {"", ""},
    };
    for (const auto& [utf8, atteso] : casi) EXPECT_EQ(utf8_in_windows1252(utf8, "line name"), atteso) << utf8;
}

TEST(Windows1252, ACharacterThatDoesNotFitIsAUsageErrorNamingIt) {
    EXPECT_EQ(errore_di("\xE6\x97\xA5\xE6\x9C\xAC"),
              "the line name \"\xE6\x97\xA5\xE6\x9C\xAC\" holds the character \"\xE6\x97\xA5\" (U+65E5), which the "
              "scenario files cannot hold: they hold Windows-1252 text");
    EXPECT_NE(errore_di("a\xF0\x9F\x9A\x86").find("(U+1F686)"), std::string::npos);  // a train
    EXPECT_NE(errore_di("\xC2\x80").find("(U+0080)"), std::string::npos);  // 80 is the byte of €, not U+0080
    // Bytes that are not UTF-8: a lone continuation, a cut sequence, an
    // overlong form, a surrogate.
    for (const char* s : {"a\x80", "\xC3", "\xC0\xAF", "\xED\xA0\x80", "\xF8\x88\x80\x80\x80"}) {
        EXPECT_NE(errore_di(s).find("is not valid UTF-8"), std::string::npos) << errore_di(s);
    }
    EXPECT_NE(errore_di("ab\xC3").find("byte C3 at offset 2"), std::string::npos);
}

}  // namespace

// File names in JSON: UTF-8 as they stand when they are UTF-8 (every path on
// Windows), otherwise read as Windows-1252 (a POSIX name in that code page).
TEST(NomiInUtf8, ValidUtf8StaysWhatItIsOtherBytesAreWindows1252) {
    const std::pair<std::string, std::string> casi[] = {
        {"Tava Aeroporto-Rovea_linea.dat", "Tava Aeroporto-Rovea_linea.dat"},
        {"Citt\xC3\xA0_linea.dat", "Citt\xC3\xA0_linea.dat"},                  // UTF-8 "à"
        {"\xE6\x97\xA5\xE6\x9C\xAC_1.sim", "\xE6\x97\xA5\xE6\x9C\xAC_1.sim"},  // UTF-8 "日本"
        {"Citt\xE0_linea.dat", "Citt\xC3\xA0_linea.dat"},                      // Windows-1252 "à"
        {"\xC3", "\xC3\x83"},                                                  // a lead byte cut short
        {"\xED\xA0\x80", "\xC3\xAD\xC2\xA0\xE2\x82\xAC"},                      // a surrogate is no UTF-8
        {"\xC0\xAF", "\xC3\x80\xC2\xAF"},                                      // nor an overlong form
    };
    for (const auto& [nome, atteso] : casi) EXPECT_EQ(utf8_da_nome(nome), atteso) << nome;
}
