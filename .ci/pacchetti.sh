# Sourced by the CI scripts: installa_pacchetti PKG... installs with apt-get
# those of the Debian packages that are not installed yet (as root, or
# through sudo), saying which; scarica_pacchetti PKG... only downloads them
# into apt's cache, for a later install. The package index is updated first,
# unless SCENARIO_APT_AGGIORNATO says .ci/run has just done it.
pacchetti_mancanti() {
    local p
    mancanti=()
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || mancanti+=("$p")
    done
}

aggiorna_indice() {
    [ -n "${SCENARIO_APT_AGGIORNATO:-}" ] && return 0
    DEBIAN_FRONTEND=noninteractive $sudo apt-get update -q
}

installa_pacchetti() {
    local sudo="" mancanti
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    pacchetti_mancanti "$@"
    [ ${#mancanti[@]} -eq 0 ] && return 0
    echo "== installing ${mancanti[*]}"
    aggiorna_indice
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${mancanti[@]}"
}

scarica_pacchetti() {
    local sudo="" mancanti
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    pacchetti_mancanti "$@"
    [ ${#mancanti[@]} -eq 0 ] && return 0
    echo "== downloading ${mancanti[*]}"
    aggiorna_indice
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends --download-only "${mancanti[@]}"
}
