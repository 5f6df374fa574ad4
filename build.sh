#!/usr/bin/env bash
# Builds and runs the scenario builder or the tests.
#   ./build.sh run          build, then run scenario-builder (output in build/default/bin/)
#   ./build.sh test [asan]  build, then run all tests (asan: under ASan + UBSan)
set -euo pipefail
cd "$(dirname "$0")"

installa_mancanti() {
    local mancanti=()
    command -v cmake >/dev/null 2>&1 || mancanti+=(cmake)
    command -v g++ >/dev/null 2>&1 || mancanti+=(g++)
    command -v make >/dev/null 2>&1 || mancanti+=(make)
    [ -f /usr/include/gtest/gtest.h ] || mancanti+=(libgtest-dev)
    [ ${#mancanti[@]} -eq 0 ] && return 0
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update
    $sudo apt-get install -y --no-install-recommends "${mancanti[@]}"
}

comando="${1:-}"
case "$comando" in
run)
    installa_mancanti
    cmake --preset default >/dev/null
    cmake --build --preset default -j "$(nproc)" --target scenario-builder
    ./build/default/bin/scenario-builder
    echo "Output files: $(pwd)/build/default/bin/"
    ;;
test)
    preset="${2:-default}"
    installa_mancanti
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j "$(nproc)"
    ctest --preset "$preset" -j "$(nproc)"
    ;;
*)
    echo "usage: ./build.sh run | ./build.sh test [asan]" >&2
    exit 2
    ;;
esac
