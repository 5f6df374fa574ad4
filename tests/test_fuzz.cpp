// The fuzz targets' seed corpus and every finding, replayed through the same
// probes: a finding fixed once stays fixed.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "supporto.h"
#include "tests/fuzz/sonda.h"
#include "tests/fuzz/sonda_strumento.h"

namespace {

namespace fs = std::filesystem;

// Every file of corpus/NAME and regressioni/NAME; the count of them.
template <typename F>
int per_ogni_ingresso(const std::string& bersaglio, F sonda) {
    int n = 0;
    for (const char* cartella : {"corpus", "regressioni"}) {
        const fs::path dove = fs::path(CARTELLA_FUZZ) / cartella / bersaglio;
        if (!fs::is_directory(dove)) continue;
        for (const auto& voce : fs::directory_iterator(dove)) {
            if (!voce.is_regular_file()) continue;
            SCOPED_TRACE(voce.path().string());
            sonda(leggi_tutto(voce.path().string()));
            ++n;
        }
    }
    return n;
}

TEST(Fuzz, TheReaderTargetsInputsRunClean) { EXPECT_GT(per_ogni_ingresso("lettore", sonda_lettore), 0); }

TEST(Fuzz, TheWholeBuildTargetsInputsRunClean) { EXPECT_GT(per_ogni_ingresso("costruzione", sonda_costruzione), 0); }

TEST(Fuzz, TheDecoderTargetsInputsRunClean) { EXPECT_GT(per_ogni_ingresso("binari", sonda_binari), 0); }

TEST(Fuzz, TheCommandsTargetsInputsRunClean) { EXPECT_GT(per_ogni_ingresso("strumento", sonda_strumento), 0); }

}  // namespace
