#!/usr/bin/env bash
# The page of `scenario-tool view` in a real browser. The page tests
# (tests/pagina/vista.mjs, puppeteer-core driving Debian's Chromium): the
# embedded scenario's page, made from its text sources, from its binary files
# (tests/dati/) and without a plan, renders with script and without, its
# hover texts are found by the mouse, its zoom and pan work. Then Chromium's
# own screenshots of the pages, which must not be blank (many colours, a good
# share of pixels that are not the page's background, nothing at the edges).
# Then view --serve with the page open (tests/pagina/servizio.mjs): saved
# edits appear in it by themselves. The pictures are left in build/pagina/.
#
#   bash .ci/pagina.sh          the checks
#   bash .ci/pagina.sh docs     the checks, then docs/vista.png from the page
#   bash .ci/pagina.sh misura   figures of a 1,000,000 m line's page instead:
#                               size, load time, frame times while zooming
#                               (build/pagina/misura.json)
set -euo pipefail
cd "$(dirname "$0")/.."
radice_progetto=$(pwd)
modo=${1:-}

fallito() {
    echo "FAILED: $*" >&2
    exit 1
}

# --- packages -----------------------------------------------------------------
export DEBIAN_FRONTEND=noninteractive
. .ci/pacchetti.sh
installa_pacchetti chromium imagemagick fonts-dejavu-core cmake g++ make libgtest-dev libcli11-dev nlohmann-json3-dev \
    libboost-dev
# Node.js and npm from Debian where the machine has none of its own.
command -v node >/dev/null 2>&1 || installa_pacchetti nodejs
command -v npm >/dev/null 2>&1 || installa_pacchetti npm
echo "== puppeteer-core (tests/pagina, pinned by its package-lock.json)"
(cd tests/pagina && npm ci --no-audit --no-fund --loglevel=error)

# --- the pages ----------------------------------------------------------------
echo "== building scenario-tool"
cmake --preset default >/dev/null
cmake --build --preset default -j "$(nproc)" --target scenario-tool genera-scenario
strumento="$radice_progetto/build/default/bin/scenario-tool"

prove="$radice_progetto/build/pagina"
lavoro=$(mktemp -d /tmp/scenario-pagina.XXXXXX)
trap 'rm -rf "$lavoro"' EXIT

if [ "$modo" = misura ]; then
    mkdir -p "$prove"
    echo "== a 1,000,000 m scenario and its page"
    "$radice_progetto/build/default/bin/genera-scenario" --seed 1 --length 1000000 --density 1.2 --no-edge-cases \
        --out "$lavoro" >/dev/null
    (cd "$lavoro" && "$strumento" view ./*_linea.txt ./*-.txt -o "$prove/misura.html") ||
        fallito "view of the 1,000,000 m scenario ended with status $?"
    node tests/pagina/misura_zoom.mjs "$prove/misura.html" "$prove/misura.json"
    exit 0
fi

rm -rf "$prove"
mkdir -p "$prove"

echo "== the page tests in Chromium"
SCENARIO_TOOL="$strumento" node tests/pagina/vista.mjs
echo "== view --serve with the page open"
SCENARIO_TOOL="$strumento" node tests/pagina/servizio.mjs

nome="Tava Aeroporto-Rovea"
cp tests/dati/"${nome}_linea.txt" tests/dati/"${nome}_30742-.txt" "$lavoro/"
cp tests/dati/"${nome}_linea.dat" tests/dati/"${nome}_30742.sim" tests/dati/"${nome}_30742.dat" "$lavoro/"

echo "== the page from the text sources"
(cd "$lavoro" && "$strumento" view "${nome}_linea.txt" "${nome}_30742-.txt" -o sorgenti.html) ||
    fallito "view from the text sources ended with status $?"
echo "== the page from the binary files"
(cd "$lavoro" && "$strumento" view "${nome}_linea.dat" "${nome}_30742.sim" "${nome}_30742.dat" -o binari.html) ||
    fallito "view from the binary files ended with status $?"
cp "$lavoro/sorgenti.html" "$lavoro/binari.html" "$prove/"

# --- the browser --------------------------------------------------------------
# Headless Chromium as root in a closed network: no sandbox, no GPU, no
# network services, a new empty profile for every picture.
fotografa() {
    local pagina=$1 foto=$2
    local profilo
    profilo=$(mktemp -d "$lavoro/profilo.XXXXXX")
    timeout 180 chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run \
        --disable-background-networking --disable-component-update --disable-sync \
        --hide-scrollbars --user-data-dir="$profilo" --screenshot="$foto" --window-size=1366,2000 "file://$pagina" \
        >"$lavoro/chromium.log" 2>&1 || {
        cat "$lavoro/chromium.log" >&2
        fallito "chromium could not render $pagina"
    }
    [ -s "$foto" ] || fallito "chromium wrote no picture of $pagina"
}

# Share of the picture's pixels (after the operations that follow its name)
# that are not the page's background (#f4f4f1): the background is painted a
# colour the page does not use, then everything else black and it white.
quota_non_sfondo() {
    local foto=$1
    shift
    /usr/bin/convert "$foto" "$@" -alpha off -fill "rgb(1,254,3)" -opaque "rgb(244,244,241)" \
        -fill black +opaque "rgb(1,254,3)" -fill white -opaque "rgb(1,254,3)" -format "%[fx:1-mean]" info:
}

# The picture is 1366x2000, has many colours, and a good share of its pixels
# differ from the page's background (#f4f4f1); its outermost columns are
# background only.
verifica_foto() {
    local foto=$1
    local misure colori quota
    misure=$(/usr/bin/convert "$foto" -format "%wx%h" info:)
    colori=$(/usr/bin/convert "$foto" -format "%k" info:)
    quota=$(quota_non_sfondo "$foto")
    echo "  $(basename "$foto"): $misure, $colori colours, $quota of the pixels differ from the background"
    [ "$misure" = "1366x2000" ] || fallito "$foto is $misure, expected 1366x2000"
    [ "$colori" -ge 100 ] || fallito "$foto has only $colori colours"
    awk -v q="$quota" 'BEGIN { exit !(q > 0.25 && q < 0.95) }' || fallito "$foto looks blank ($quota)"
    # The page fits the width: nothing is drawn in the outermost columns.
    local bordo
    for x in 0 1362; do
        bordo=$(quota_non_sfondo "$foto" -crop "4x2000+$x+0" +repage)
        [ "$bordo" = 0 ] || fallito "$foto: something is drawn at the page's edge (x = $x), the page is too wide"
    done
}

for pagina in sorgenti binari; do
    echo "== chromium: $pagina.html"
    fotografa "$lavoro/$pagina.html" "$prove/$pagina.png"
    verifica_foto "$prove/$pagina.png"
done

if [ "$modo" = docs ]; then
    # The header, the plan and the profile, at a size for the README.
    node tests/pagina/foto_docs.mjs "$prove/sorgenti.html" "$prove/docs.png"
    /usr/bin/convert "$prove/docs.png" -resize 1100x -strip docs/vista.png
    echo "== docs/vista.png: $(/usr/bin/convert docs/vista.png -format "%wx%h" info:)"
fi
echo "== the pages rendered (pictures in build/pagina/)"
