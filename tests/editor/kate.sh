#!/usr/bin/env bash
# scenario-tool lsp in Kate: Kate's own LSP client, on a virtual display,
# set up as docs/editor.md says (a "Scenario" highlighting for the file names,
# the server tied to it, Windows-1252 for the files) in settings of its own,
# never the user's. The embedded scenario is written into a fresh folder with
# a misspelled keyword in each file; only the train file is opened, and Kate
# must receive the diagnostics of both files from the server.
#
#   bash tests/editor/kate.sh SCENARIO_TOOL [SCREENSHOT.png]
#
# Needs kate and Xvfb (import, from imagemagick, for the screenshot). Kate
# started with LSPCLIENT_DEBUG=1 prints every message it exchanges with the
# server; the checks read them. Status 0 when every check holds, 1 otherwise.
set -uo pipefail

strumento="$(realpath "${1:?usage: kate.sh SCENARIO_TOOL [SCREENSHOT.png]}")"
immagine="${2:-}"
base="$(mktemp -d)"
pid_x="" pid_kate=""
# Kate and the display are stopped and waited for (Kate writes its session
# into the settings directory as it ends), then the directory goes.
fine() {
    if [ -n "$pid_kate" ]; then
        kill "$pid_kate" 2>/dev/null
        wait "$pid_kate" 2>/dev/null
    fi
    if [ -n "$pid_x" ]; then
        kill "$pid_x" 2>/dev/null
        wait "$pid_x" 2>/dev/null
    fi
    rm -rf "$base"
}
trap fine EXIT

falliti=0
verifica() {  # verifica DESCRIPTION COMMAND...
    local che_cosa="$1"
    shift
    if "$@"; then
        echo "ok: $che_cosa"
    else
        echo "FAILED: $che_cosa" >&2
        falliti=$((falliti + 1))
    fi
}

# Settings, data and runtime of this run only.
export XDG_CONFIG_HOME="$base/config" XDG_DATA_HOME="$base/data" XDG_CACHE_HOME="$base/cache"
export XDG_RUNTIME_DIR="$base/runtime"
mkdir -p "$XDG_CONFIG_HOME/kate/lspclient" "$XDG_DATA_HOME/org.kde.syntax-highlighting/syntax" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"

cat >"$XDG_DATA_HOME/org.kde.syntax-highlighting/syntax/scenario.xml" <<'FINE'
<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE language>
<language name="Scenario" section="Other" extensions="*_linea.txt;*-.txt"
          version="1" kateversion="5.0" priority="10">
  <highlighting>
    <contexts>
      <context name="Record" attribute="Normal Text" lineEndContext="#stay">
        <RegExpr attribute="Section" String="^\s*\[[^\]]*\]"/>
      </context>
    </contexts>
    <itemDatas>
      <itemData name="Normal Text" defStyleNum="dsNormal"/>
      <itemData name="Section" defStyleNum="dsKeyword"/>
    </itemDatas>
  </highlighting>
</language>
FINE
cat >"$XDG_CONFIG_HOME/kate/lspclient/settings.json" <<FINE
{"servers": {"scenario": {"command": ["$strumento", "lsp"], "highlightingModeRegex": "^Scenario\$"}}}
FINE
# The plugin on, and the server's command line already allowed: Kate would
# otherwise ask before it starts it.
cat >"$XDG_CONFIG_HOME/katerc" <<FINE
[Kate Plugins]
lspclientplugin=true

[lspclient]
AllowedServerCommandLines=$strumento lsp
FINE
cat >"$XDG_CONFIG_HOME/katemoderc" <<'FINE'
[Scenario]
Variables=kate: encoding windows-1252;
FINE

cartella="$base/scenario"
"$strumento" example --out "$cartella" --line-name Tava --train-number 2101 >/dev/null
sed -i 's/^pendenza,  3500/pendeza,  3500/' "$cartella/Tava_linea.txt"
sed -i 's/^sabbia/sabia/' "$cartella/Tava_2101-.txt"

# A display of its own: Xvfb picks a free number and writes it on the pipe.
exec 3< <(Xvfb -displayfd 1 -screen 0 1300x850x24 -nolisten tcp 2>"$base/xvfb.log")
pid_x=$!
read -r -t 20 schermo <&3 || { echo "FAILED: Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$schermo"

LSPCLIENT_DEBUG=1 kate -n "$cartella/Tava_2101-.txt" >"$base/kate.log" 2>&1 &
pid_kate=$!

# Kate prints each message it receives on a line of its own; waits for the
# diagnostics of both files.
diagnostiche="$base/diagnostiche.txt"
for _ in $(seq 1 120); do
    grep publishDiagnostics "$base/kate.log" >"$diagnostiche"
    [ "$(grep -c misspelled-keyword "$diagnostiche")" -ge 2 ] && break
    kill -0 "$pid_kate" 2>/dev/null || break
    sleep 0.5
done

# pubblicate FILE TEXT...: the last diagnostics Kate received for the file
# FILE of the scenario's folder hold every TEXT.
pubblicate() {
    local ultime t
    ultime="$(grep -F "\\\"uri\\\":\\\"file://$cartella/$1\\\"" "$diagnostiche" | tail -1)"
    shift
    for t in "$@"; do grep -qF -- "$t" <<<"$ultime" || return 1; done
}
verifica "Kate starts the server for a file with the Scenario highlighting" \
    grep -qF "starting (\"$strumento\", \"lsp\")" "$base/kate.log"
verifica "the open train file's misspelled keyword, at line 4 column 1" \
    pubblicate 'Tava_2101-.txt' "'sabia' matches no record" 'misspelled-keyword' \
    '\"start\":{\"character\":0,\"line\":3}'
verifica "the line file's, read from disk, at line 18 column 1" \
    pubblicate 'Tava_linea.txt' "'pendeza' matches no record" 'misspelled-keyword' \
    '\"start\":{\"character\":0,\"line\":17}'

if [ -n "$immagine" ] && command -v import >/dev/null 2>&1; then
    sleep 1
    import -display "$DISPLAY" -window root "$immagine" && echo "screenshot: $immagine"
fi
[ "$falliti" -eq 0 ] || { echo "--- Kate's output" >&2; grep -v 'sonnet\|udisks\|D-Bus' "$base/kate.log" | tail -40 >&2; }
echo "$([ "$falliti" -eq 0 ] && echo "all checks hold" || echo "$falliti checks failed")"
[ "$falliti" -eq 0 ]
