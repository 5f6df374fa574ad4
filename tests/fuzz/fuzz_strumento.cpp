// libFuzzer target: see sonda_strumento in sonda_strumento.h.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "tests/fuzz/sonda_strumento.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dati, std::size_t n) {
    sonda_strumento(std::string_view(reinterpret_cast<const char*>(dati), n));
    return 0;
}
