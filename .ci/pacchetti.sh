# Sourced by the CI scripts: installa_pacchetti PKG... installs with apt-get
# those of the Debian packages that are not installed yet (as root, or
# through sudo), saying which.
installa_pacchetti() {
    local sudo="" mancanti=() p
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || mancanti+=("$p")
    done
    [ ${#mancanti[@]} -eq 0 ] && return 0
    echo "== installing ${mancanti[*]}"
    DEBIAN_FRONTEND=noninteractive $sudo apt-get update -q
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${mancanti[@]}"
}
