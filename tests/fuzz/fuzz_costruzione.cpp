// libFuzzer target: see sonda_costruzione in sonda.h.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "tests/fuzz/sonda.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dati, std::size_t n) {
    sonda_costruzione(std::string_view(reinterpret_cast<const char*>(dati), n));
    return 0;
}
