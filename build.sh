#!/usr/bin/env bash
# Builds and runs the scenario builder or the tests.
#   ./build.sh run          build scenario-builder and scenario-tool, then run the
#                           builder (its files in build/default/bin/)
#   ./build.sh test [asan]  build, then run all tests (asan: under ASan + UBSan)
#   ./build.sh windows      cross-build the 32-bit Windows executables (build/windows/bin/)
#   ./build.sh package      the Windows executables, the README and the author's
#                           guide in one zip (build/windows/scenario-builder-*-win32.zip)
#   ./build.sh bench [...]  optimised build, then the benchmark (options go to banco-prestazioni)
#   ./build.sh roundtrip [...]  optimised build, then the round trip of decompile (options go to giro-decompilazione)
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
    [ ${#mancanti[@]} -eq 0 ] && return 0
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update
    $sudo apt-get install -y --no-install-recommends "${mancanti[@]}"
}

# The MinGW-w64 cross compiler for 32-bit Windows (posix threads variant), and
# the header-only libraries, which the cross build takes from the host.
installa_mingw() {
    command -v i686-w64-mingw32-g++-posix >/dev/null 2>&1 && command -v cmake >/dev/null 2>&1 &&
        [ -f /usr/include/CLI/CLI.hpp ] && [ -f /usr/include/nlohmann/json.hpp ] && return 0
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update
    $sudo apt-get install -y --no-install-recommends cmake make g++-mingw-w64-i686-posix libcli11-dev nlohmann-json3-dev
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
    cmake --build --preset "$preset" -j "$(nproc)"
    ctest --preset "$preset" -j "$(nproc)"
    ;;
windows)
    installa_mingw
    cmake --preset windows >/dev/null
    cmake --build --preset windows -j "$(nproc)"
    echo "Windows executables: $(pwd)/build/windows/bin/"
    ;;
package)
    installa_mingw
    cmake --preset windows >/dev/null
    cmake --build --preset windows -j "$(nproc)" --target scenario-builder scenario-tool
    (cd build/windows && cpack -G ZIP >/dev/null)
    echo "Package: $(ls "$(pwd)"/build/windows/scenario-builder-*-win32.zip)"
    ;;
bench)
    # The default preset is optimised (RelWithDebInfo).
    installa_mancanti
    cmake --preset default >/dev/null
    cmake --build --preset default -j "$(nproc)" --target banco-prestazioni
    ./build/default/bin/banco-prestazioni "${@:2}"
    ;;
roundtrip)
    installa_mancanti
    cmake --preset default >/dev/null
    cmake --build --preset default -j "$(nproc)" --target giro-decompilazione
    ./build/default/bin/giro-decompilazione "${@:2}"
    ;;
*)
    echo "usage: ./build.sh run | ./build.sh test [asan] | ./build.sh windows | ./build.sh package" \
        "| ./build.sh bench [options] | ./build.sh roundtrip [options]" >&2
    exit 2
    ;;
esac
