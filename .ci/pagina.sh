#!/usr/bin/env bash
# The page of `scenario-tool view` in a real browser: the embedded scenario's
# page, made from its text sources and from its binary files (tests/dati/),
# rendered by headless Chromium to PNG pictures that must not be blank (many
# colours, a good share of pixels that are not the page's background).
# Then view --serve with the page open (tests/pagina/servizio.mjs): saved
# edits appear in it by themselves. The pictures are left in build/pagina/.
#
#   bash .ci/pagina.sh          the checks
#   bash .ci/pagina.sh docs     the checks, then docs/vista.png from the page
set -euo pipefail
cd "$(dirname "$0")/.."
radice_progetto=$(pwd)

fallito() {
    echo "FAILED: $*" >&2
    exit 1
}

# --- packages -----------------------------------------------------------------
export DEBIAN_FRONTEND=noninteractive
. .ci/pacchetti.sh
installa_pacchetti chromium imagemagick fonts-dejavu-core cmake g++ make libboost-dev

# --- the pages ----------------------------------------------------------------
echo "== building scenario-tool"
cmake --preset default >/dev/null
cmake --build --preset default -j "$(nproc)" --target scenario-tool
strumento="$radice_progetto/build/default/bin/scenario-tool"

prove="$radice_progetto/build/pagina"
rm -rf "$prove"
mkdir -p "$prove"
lavoro=$(mktemp -d /tmp/scenario-pagina.XXXXXX)
trap 'rm -rf "$lavoro"' EXIT

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

# The served page in a live browser (view --serve): puppeteer-core from
# tests/pagina/package-lock.json.
[ -d tests/pagina/node_modules/puppeteer-core ] || (cd tests/pagina && npm ci --no-audit --no-fund)
echo "== view --serve in chromium"
node tests/pagina/servizio.mjs "$strumento" || fallito "view --serve in the browser"

if [ "${1:-}" = docs ]; then
    # The header, the plan and the profile, at a size for the README.
    /usr/bin/convert "$prove/sorgenti.png" -crop 1366x1470+0+0 +repage -resize 1100x -strip docs/vista.png
    echo "== docs/vista.png: $(/usr/bin/convert docs/vista.png -format "%wx%h" info:)"
fi
echo "== the pages rendered (pictures in build/pagina/)"
