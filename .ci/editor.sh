#!/usr/bin/env bash
# scenario-tool lsp in a real editor: Neovim headless with its built-in LSP
# client runs tests/editor/neovim.lua on the embedded scenario (diagnostics
# at their lines and columns, hover, completion, outline, a quick fix, the
# diagnostics cleared after the fixes).
#
#   bash .ci/editor.sh
set -euo pipefail
cd "$(dirname "$0")/.."

export DEBIAN_FRONTEND=noninteractive
. .ci/pacchetti.sh
installa_pacchetti neovim cmake g++ make libcli11-dev nlohmann-json3-dev libboost-dev

echo "== building scenario-tool"
cmake --preset default >/dev/null
cmake --build --preset default -j "$(nproc)" --target scenario-tool

echo "== Neovim $(nvim --version | head -1)"
SCENARIO_TOOL="$(pwd)/build/default/bin/scenario-tool" \
    timeout 300 nvim --headless --clean -c "luafile tests/editor/neovim.lua"
