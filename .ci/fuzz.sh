#!/usr/bin/env bash
# The fuzz targets, each for a while (default 60 s; FUZZ_SECONDI overrides),
# from a copy of its committed seed corpus with the keyword dictionary. Any
# finding fails the run; its input is left in build/fuzz/trovati/ (as
# TARGET-crash-* and the like) and should become a file of
# tests/fuzz/regressioni/TARGET/ once fixed.
set -euo pipefail
cd "$(dirname "$0")/.."

secondi=${FUZZ_SECONDI:-60}
# Each target runs on one core: as many at once as the machine has cores
# (FUZZ_PARALLELI overrides), each still for its whole time.
paralleli=${FUZZ_PARALLELI:-$(nproc)}
export DEBIAN_FRONTEND=noninteractive
if ! command -v clang++ >/dev/null 2>&1 || ! ls /usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a >/dev/null 2>&1; then
    . .ci/pacchetti.sh
    installa_pacchetti clang libclang-rt-dev
fi

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$(nproc)" --target fuzz-lettore fuzz-costruzione fuzz-binari fuzz-strumento

trovati="build/fuzz/trovati"
rm -rf "$trovati"
mkdir -p "$trovati"
# ASan keeps freed memory aside to catch use after free; a smaller quarantine
# keeps the rate of runs up without losing that check.
export ASAN_OPTIONS="quarantine_size_mb=32:detect_leaks=1"

# One target from a copy of its seed corpus; what it finds is left as
# $trovati/TARGET-crash-* (or leak-, timeout-, oom-), its output in
# $trovati/TARGET.log.
fuzz() {
    local bersaglio=$1 lavoro
    lavoro=$(mktemp -d)
    cp tests/fuzz/corpus/"$bersaglio"/* "$lavoro"/
    "build/fuzz/bin/fuzz-$bersaglio" "$lavoro" -dict=tests/fuzz/parole.dict -artifact_prefix="$trovati/$bersaglio-" \
        -max_total_time="$secondi" -max_len=16384 -rss_limit_mb=2048 -timeout=10 -print_final_stats=1 \
        >"$trovati/$bersaglio.log" 2>&1 || true
    rm -rf "$lavoro"
}

bersagli=(lettore costruzione binari strumento)
in_corso=()
for bersaglio in "${bersagli[@]}"; do
    if [ ${#in_corso[@]} -ge "$paralleli" ]; then
        wait "${in_corso[0]}"
        in_corso=("${in_corso[@]:1}")
    fi
    echo "== fuzz-$bersaglio for $secondi s"
    fuzz "$bersaglio" &
    in_corso+=($!)
done
wait

esito=0
for bersaglio in "${bersagli[@]}"; do
    echo "== fuzz-$bersaglio"
    grep -E "^#[0-9]+ +(INITED|DONE)|stat::number_of_executed_units|stat::average_exec_per_sec|SUMMARY|property broken" \
        "$trovati/$bersaglio.log" || true
    if compgen -G "$trovati/$bersaglio-crash-*" >/dev/null || compgen -G "$trovati/$bersaglio-leak-*" >/dev/null ||
        compgen -G "$trovati/$bersaglio-timeout-*" >/dev/null || compgen -G "$trovati/$bersaglio-oom-*" >/dev/null; then
        echo "FAILED: fuzz-$bersaglio found an input that breaks it:" >&2
        ls -la "$trovati" >&2
        esito=1
    fi
done
exit "$esito"
