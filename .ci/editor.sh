#!/usr/bin/env bash
# scenario-tool lsp in real editors: Neovim headless with its built-in LSP
# client, set up by the snippet of docs/editor.md as the page prints it, runs
# tests/editor/neovim.lua on the embedded scenario (diagnostics at their lines
# and columns, hover, completion, outline, a quick fix, the diagnostics
# cleared after the fixes, one server per folder whose buffers see each
# other's edits, an È typed in saved as Windows-1252); Kate on a virtual
# display runs tests/editor/kate.sh (the diagnostics of both files reach it).
#
#   bash .ci/editor.sh
set -euo pipefail
cd "$(dirname "$0")/.."

export DEBIAN_FRONTEND=noninteractive
. .ci/pacchetti.sh
installa_pacchetti neovim kate xvfb cmake g++ make libcli11-dev nlohmann-json3-dev libboost-dev

echo "== building scenario-tool"
cmake --preset default >/dev/null
cmake --build --preset default -j "$(nproc)" --target scenario-tool

echo "== Neovim $(nvim --version | head -1)"
SCENARIO_TOOL="$(pwd)/build/default/bin/scenario-tool" \
    timeout 300 nvim --headless --clean -c "luafile tests/editor/neovim.lua"

echo "== $(QT_QPA_PLATFORM=offscreen kate --version 2>/dev/null | tail -1)"
timeout 300 bash tests/editor/kate.sh build/default/bin/scenario-tool
