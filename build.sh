#!/usr/bin/env bash
# Builds and runs the scenario builder or the tests.
#   ./build.sh run          build scenario-builder and scenario-tool, then run the
#                           builder (its files in build/default/bin/)
#   ./build.sh test [asan]  build, then run all tests (asan: under ASan + UBSan)
#   ./build.sh windows [64] cross-build the 32-bit Windows executables (build/windows/bin/);
#                           with 64, the 64-bit ones (build/windows64/bin/)
#   ./build.sh package [64] the Windows executables, the README and the author's
#                           guide in one zip (build/windows/scenario-builder-*-win32.zip;
#                           with 64, build/windows64/scenario-builder-*-win64.zip)
#   ./build.sh bench [...]  optimised build, then the benchmark (options go to banco-prestazioni)
#   ./build.sh roundtrip [...]  optimised build, then the round trip of decompile (options go to
#                           giro-decompilazione; --overlaps for records that write over each other's cells)
# Missing packages are installed with apt-get (as root, or through sudo).
set -euo pipefail
cd "$(dirname "$0")"

installa_mancanti() {
    local mancanti=()
    command -v cmake >/dev/null 2>&1 || mancanti+=(cmake)
    command -v g++ >/dev/null 2>&1 || mancanti+=(g++)
    command -v make >/dev/null 2>&1 || mancanti+=(make)
    [ -f /usr/include/gtest/gtest.h ] || mancanti+=(libgtest-dev)
    [ -f /usr/include/CLI/CLI.hpp ] || mancanti+=(libcli11-dev)
    [ -f /usr/include/nlohmann/json.hpp ] || mancanti+=(nlohmann-json3-dev)
    [ -f /usr/include/boost/beast.hpp ] || mancanti+=(libboost-dev)
    [ ${#mancanti[@]} -eq 0 ] && return 0
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update
    $sudo apt-get install -y --no-install-recommends "${mancanti[@]}"
}

# The Windows target of `windows` and `package`: 32 (the default) or 64 bits.
# Sets the CMake preset, the MinGW-w64 target triplet and its Debian package.
scegli_windows() {
    case "${1:-32}" in
    32) preset_windows=windows tripletta=i686-w64-mingw32 pacchetto_mingw=g++-mingw-w64-i686-posix ;;
    64) preset_windows=windows64 tripletta=x86_64-w64-mingw32 pacchetto_mingw=g++-mingw-w64-x86-64-posix ;;
    *)
        echo "usage: ./build.sh $comando [64]" >&2
        exit 2
        ;;
    esac
}

# The MinGW-w64 cross compiler of the chosen target (posix threads variant), and
# the header-only libraries, which the cross build takes from the host.
installa_mingw() {
    command -v "$tripletta-g++-posix" >/dev/null 2>&1 && command -v cmake >/dev/null 2>&1 &&
        [ -f /usr/include/CLI/CLI.hpp ] && [ -f /usr/include/nlohmann/json.hpp ] &&
        [ -f /usr/include/boost/beast.hpp ] && return 0
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update
    $sudo apt-get install -y --no-install-recommends cmake make "$pacchetto_mingw" libcli11-dev nlohmann-json3-dev \
        libboost-dev
}

comando="${1:-}"
case "$comando" in
run)
    installa_mancanti
    cmake --preset default >/dev/null
    cmake --build --preset default -j "$(nproc)" --target scenario-builder scenario-tool
    ./build/default/bin/scenario-builder
    echo "Output files: $(pwd)/build/default/bin/"
    echo "scenario-tool: $(pwd)/build/default/bin/scenario-tool (try: scenario-tool example --out DIR, then check)"
    ;;
test)
    preset="${2:-default}"
    installa_mancanti
    cmake --preset "$preset" >/dev/null
    if [ "$preset" = asan ]; then
        # Under the sanitizers only what the tests run: the unit tests and the
        # programs they start (the benchmark and the round trip's program are
        # built, without sanitizers, by the default preset).
        cmake --build --preset "$preset" -j "$(nproc)" --target test_unitari
    else
        cmake --build --preset "$preset" -j "$(nproc)"
    fi
    ctest --preset "$preset" -j "$(nproc)"
    ;;
windows)
    scegli_windows "${2:-}"
    installa_mingw
    cmake --preset "$preset_windows" >/dev/null
    cmake --build --preset "$preset_windows" -j "$(nproc)"
    echo "Windows executables: $(pwd)/build/$preset_windows/bin/"
    ;;
package)
    scegli_windows "${2:-}"
    installa_mingw
    cmake --preset "$preset_windows" >/dev/null
    cmake --build --preset "$preset_windows" -j "$(nproc)" --target scenario-builder scenario-tool
    (cd "build/$preset_windows" && cpack -G ZIP >/dev/null)
    echo "Package: $(ls "$(pwd)/build/$preset_windows"/scenario-builder-*-win*.zip)"
    ;;
bench)
    # The default preset is optimised (RelWithDebInfo).
    installa_mancanti
    cmake --preset default >/dev/null
    cmake --build --preset default -j "$(nproc)" --target banco-prestazioni scenario-tool genera-scenario
    ./build/default/bin/banco-prestazioni "${@:2}"
    # The language server's time from a change to its diagnostics (needs python3).
    if command -v python3 >/dev/null 2>&1; then
        python3 tests/prestazioni/latenza_lsp.py ./build/default/bin/scenario-tool ./build/default/bin/genera-scenario
        # view --serve: a saved edit to the page built again.
        python3 tests/prestazioni/latenza_servizio.py ./build/default/bin/scenario-tool ./build/default/bin/genera-scenario
    else
        echo "python3 not found: the language server's and view --serve's latencies are not measured"
    fi
    ;;
roundtrip)
    installa_mancanti
    cmake --preset default >/dev/null
    cmake --build --preset default -j "$(nproc)" --target giro-decompilazione
    ./build/default/bin/giro-decompilazione "${@:2}"
    ;;
*)
    echo "usage: ./build.sh run | ./build.sh test [asan] | ./build.sh windows [64] | ./build.sh package [64]" \
        "| ./build.sh bench [options] | ./build.sh roundtrip [options]" >&2
    exit 2
    ;;
esac
