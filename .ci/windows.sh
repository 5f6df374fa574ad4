#!/usr/bin/env bash
# The Windows executables under Wine, on a virtual X display:
#   1. the builder run by Wine writes the same files, byte for byte, as the
#      POSIX build (in a plain directory and in the root of a drive);
#   2. the wait window is on the screen with "Attendere" painted (screenshot);
#   3. a numbered error shows " Errore n. 1250" in a message box with OK only,
#      no icon, and the application's title; the process ends with status 1;
#   4. a failing file operation shows the unhandled-failure report and the
#      builder ends with status 2; so does a failing Windows call, with the
#      system's text for its error number;
#   5. scenario-tool compiles the embedded scenario's text sources to the same
#      files under Wine and on POSIX, and to the builder's files; its dump of
#      the golden files prints the same JSON under Wine and on POSIX, and its
#      decompile of them writes the same two text files; its check prints the
#      same JSON under Wine and on POSIX, on good and faulty files; a name
#      holding ESC is shown as \x1b, a dump to NUL ends with status 0, and a
#      compile removes the stale temporaries of its own output names;
#   6. in a folder whose name is outside the ANSI code page ("日本 路線") the
#      builder writes the six golden files and nothing else, and scenario-tool
#      takes its input and output paths there; a line name with a character of
#      Windows-1252 gives the POSIX build's bytes, one without is refused, and
#      verify finds such files belong together (also in the root of a drive);
#   7. a second builder started while the lock on its folder is held reports
#      it and ends with status 2 without touching a file; the lock file is
#      gone once its holder ends;
#   8. scenario-tool view writes the same page under Wine and on POSIX, from
#      the text sources and from the binary files; view --serve serves the
#      page and its events, sends a new event after a saved change, and ends
#      with status 0 on Ctrl-C (SIGINT, which Wine hands to the console's
#      handler);
#   9. the zip of ./build.sh package, unzipped into a fresh folder, holds the
#      two executables, the README and the guide; its scenario-tool writes the
#      example files, checks them, and its builder writes the golden files.
# Every message box is closed by the checks; every Wine step has a time limit.
#
# Two paths, chosen once by asking the kernel whether it runs 32-bit programs
# (some kernels refuse them, and then the 32-bit Wine loader cannot start):
#   - it does: everything above runs on the 32-bit executables under wine;
#   - it does not: the 32-bit executables are still built and checked for what
#     needs no running (PE32, GUI subsystem, DLLs imported, the zip's contents);
#     the same sources are built for x86-64 and everything above runs on that
#     build under wine64.
# WINDOWS_CHECKS=32 or WINDOWS_CHECKS=64 forces a path; 32 fails where the
# kernel refuses 32-bit programs. Screenshots are left in build/windows/prove/
# (32-bit path) or build/windows64/prove/ (64-bit path).
set -euo pipefail
cd "$(dirname "$0")/.."
radice_progetto=$(pwd)

inizio_script=$SECONDS
passo() { echo "== [$((SECONDS - inizio_script)) s] $*"; }
fallito() {
    echo "FAILED: $*" >&2
    exit 1
}

# --- which path: does this kernel run 32-bit programs? ------------------------
# A complete 32-bit x86 Linux program of 96 bytes (ELF header, one loadable
# segment, then mov eax,1 / mov ebx,7 / int 0x80: it exits with status 7). A
# kernel that runs 32-bit programs starts it; one that does not refuses the
# exec ("Exec format error") and the shell reports 126.
programma_32_bit='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00'\
'\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00'\
'\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00'\
'\x00\x00\x00\x00\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08'\
'\x00\x80\x04\x08\x60\x00\x00\x00\x60\x00\x00\x00\x05\x00\x00\x00'\
'\x00\x10\x00\x00\xb8\x01\x00\x00\x00\xbb\x07\x00\x00\x00\xcd\x80'
# Returns 0 when the kernel ran the program; otherwise sets risposta_kernel to
# what the exec said.
risposta_kernel=""
kernel_esegue_32_bit() {
    local prova stato=0
    prova=$(mktemp /tmp/prova-32-bit.XXXXXX)
    printf "$programma_32_bit" >"$prova"
    chmod +x "$prova"
    risposta_kernel=$("$prova" 2>&1) || stato=$?
    rm -f "$prova"
    [ "$stato" = 7 ] && return 0
    risposta_kernel="exit status $stato${risposta_kernel:+: ${risposta_kernel##*: }}"
    return 1
}

case "${WINDOWS_CHECKS:-}" in
"")
    if kernel_esegue_32_bit; then
        bit=32 perche="this kernel runs 32-bit programs"
    else
        bit=64 perche="this kernel runs no 32-bit programs: a 32-bit test program gave $risposta_kernel"
    fi
    ;;
32)
    kernel_esegue_32_bit || fallito "WINDOWS_CHECKS=32, but this kernel runs no 32-bit programs" \
        "(a 32-bit test program gave $risposta_kernel): the 32-bit Wine loader cannot start here"
    bit=32 perche="forced by WINDOWS_CHECKS=32"
    ;;
64) bit=64 perche="forced by WINDOWS_CHECKS=64" ;;
*) fallito "WINDOWS_CHECKS is '$WINDOWS_CHECKS'; it takes 32 or 64" ;;
esac
if [ "$bit" = 32 ]; then
    echo "windows checks: 32-bit build under wine ($perche)"
else
    echo "windows checks: 64-bit build under wine64 ($perche)"
fi

# --- packages -----------------------------------------------------------------
export DEBIAN_FRONTEND=noninteractive
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
pacchetti=(g++-mingw-w64-i686-posix wine fonts-wine xvfb xdotool imagemagick cmake g++ make libcli11-dev libboost-dev
    nlohmann-json3-dev unzip file curl)
if [ "$bit" = 32 ]; then
    pacchetti+=(wine32:i386)
else
    pacchetti+=(g++-mingw-w64-x86-64-posix wine64)
fi
mancanti=()
for p in "${pacchetti[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || mancanti+=("$p")
done
if [ ${#mancanti[@]} -gt 0 ]; then
    passo "installing ${mancanti[*]}"
    nuova_architettura=""
    if [ "$bit" = 32 ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
        $sudo dpkg --add-architecture i386
        nuova_architettura=1
    fi
    # .ci/run has updated the index (SCENARIO_APT_AGGIORNATO), unless an
    # architecture was added since.
    if [ -z "${SCENARIO_APT_AGGIORNATO:-}" ] || [ -n "$nuova_architettura" ]; then
        $sudo apt-get update -q
    fi
    $sudo apt-get install -y -q --no-install-recommends "${mancanti[@]}"
fi

# --- builds -------------------------------------------------------------------
# The DLLs a Windows executable imports, lower case, sorted, on one line.
dll_importate() { "$1-objdump" -p "$2" | awk '/DLL Name:/ {print tolower($3)}' | sort | tr '\n' ' '; }

# Checks an executable without running it: `file`'s description must hold $3,
# and it imports the DLLs $4 (objdump of triplet $1).
esame_statico() {
    local tripletta=$1 eseguibile=$2 atteso=$3 dll_attese=$4
    local tipo dll
    tipo=$(file "$eseguibile")
    echo "$tipo"
    [[ "$tipo" == *"$atteso"* ]] || fallito "$(basename "$eseguibile") is not: $atteso"
    dll=$(dll_importate "$tripletta" "$eseguibile")
    echo "  DLLs imported: $dll"
    [ "$dll" = "$dll_attese" ] || fallito "$(basename "$eseguibile") imports unexpected DLLs: $dll"
}
dll_builder="gdi32.dll kernel32.dll msvcrt.dll user32.dll "
dll_strumento="kernel32.dll msvcrt.dll mswsock.dll shell32.dll ws2_32.dll "

passo "building the 32-bit Windows executables"
./build.sh windows
bin_32="$radice_progetto/build/windows/bin"
esame_statico i686-w64-mingw32 "$bin_32/scenario-builder.exe" "PE32 executable (GUI) Intel 80386, for MS Windows" \
    "$dll_builder"
esame_statico i686-w64-mingw32 "$bin_32/scenario-tool.exe" "PE32 executable (console) Intel 80386, for MS Windows" \
    "$dll_strumento"
if [ "$bit" = 32 ]; then
    bin_windows=$bin_32
    caricatore=(wine)
    export WINEARCH=win32
else
    passo "building the 64-bit Windows executables"
    ./build.sh windows 64
    bin_windows="$radice_progetto/build/windows64/bin"
    esame_statico x86_64-w64-mingw32 "$bin_windows/scenario-builder.exe" "PE32+ executable (GUI) x86-64, for MS Windows" \
        "$dll_builder"
    esame_statico x86_64-w64-mingw32 "$bin_windows/scenario-tool.exe" \
        "PE32+ executable (console) x86-64, for MS Windows" "$dll_strumento"
    # The 64-bit loader by its own name: the `wine` command takes the 32-bit
    # one whenever wine32 is installed, even where it cannot start.
    caricatore=(/usr/lib/wine/wine64)
    export WINEARCH=win64 WINELOADER=/usr/lib/wine/wine64
fi
passo "building the POSIX executables"
cmake --preset default >/dev/null
cmake --build --preset default -j "$(nproc)" --target scenario-builder scenario-tool
bin_posix="$radice_progetto/build/default/bin"

# --- display and Wine prefix --------------------------------------------------
lavoro=$(mktemp -d /tmp/scenario-windows.XXXXXX)
prove="$(dirname "$bin_windows")/prove"
rm -rf "$prove"
mkdir -p "$prove"
export WINEPREFIX="$lavoro/prefisso" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
pid_xvfb=""
chiudi_tutto() {
    timeout 30 wineserver -k 2>/dev/null || true
    [ -z "$pid_xvfb" ] || kill "$pid_xvfb" 2>/dev/null || true
    rm -rf "$lavoro"
}
trap chiudi_tutto EXIT

passo "starting Xvfb"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$lavoro/display" 2>"$lavoro/xvfb.log" &
pid_xvfb=$!
for _ in $(seq 1 100); do [ -s "$lavoro/display" ] && break; sleep 0.1; done
[ -s "$lavoro/display" ] || fallito "Xvfb did not start: $(cat "$lavoro/xvfb.log")"
export DISPLAY=":$(cat "$lavoro/display")"

passo "creating the Wine prefix ($WINEARCH)"
timeout 300 "${caricatore[@]}" wineboot -i
timeout 120 wineserver -w
# Wine draws the frames itself (there is no window manager on the display),
# with its own glyph font for the title-bar buttons.
timeout 60 "${caricatore[@]}" reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null
cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true

# A Windows program run by Wine with a time limit; its exit status is returned.
esegui_wine() {
    local limite=$1
    shift
    timeout "$limite" "${caricatore[@]}" "$@"
}

# For a background run: in directory $1, output to file $2, time limit $3, the
# program and its arguments after them; the exit status goes to the file "stato".
in_sfondo() {
    local cartella=$1 uscita=$2 limite=$3
    shift 3
    local stato=0
    (cd "$cartella" && esegui_wine "$limite" "$@" >"$uscita" 2>&1) || stato=$?
    echo "$stato" >"$cartella/stato"
}

# Output files left in a directory beside the executable, sorted.
file_lasciati() { (cd "$1" && find . -maxdepth 1 -type f ! -name '*.exe' ! -name scenario-builder -printf '%P\n' | sort); }

# The same names with the same bytes in both directories.
confronta_cartelle() {
    local a=$1 b=$2
    local nomi_a nomi_b
    nomi_a=$(file_lasciati "$a")
    nomi_b=$(file_lasciati "$b")
    if [ "$nomi_a" != "$nomi_b" ]; then
        diff <(echo "$nomi_a") <(echo "$nomi_b") || true
        fallito "different files in $a and $b"
    fi
    [ -n "$nomi_a" ] || fallito "no output files in $a"
    local n=0
    while IFS= read -r nome; do
        cmp "$a/$nome" "$b/$nome" || fallito "$nome differs"
        printf '  identical: %-50s %9d bytes\n' "$nome" "$(stat -c %s "$a/$nome")"
        n=$((n + 1))
    done <<<"$nomi_a"
    echo "  $n files byte-identical"
}

# --- 1. the builder under Wine against the POSIX builder ----------------------
passo "POSIX builder in a fresh directory"
mkdir -p "$lavoro/posix" "$lavoro/altrove"
cp "$bin_posix/scenario-builder" "$lavoro/posix/"
(cd "$lavoro/altrove" && "$lavoro/posix/scenario-builder" 2>/dev/null) || fallito "POSIX builder failed"

passo "Windows builder under Wine in a fresh directory"
mkdir -p "$lavoro/wine"
cp "$bin_windows/scenario-builder.exe" "$lavoro/wine/"
(cd "$lavoro/altrove" && esegui_wine 600 "$lavoro/wine/scenario-builder.exe") || fallito "builder under Wine ended with status $?"
confronta_cartelle "$lavoro/posix" "$lavoro/wine"
[ -z "$(ls -A "$lavoro/altrove")" ] || fallito "the builder wrote into the working directory"
while IFS= read -r nome; do
    cmp "$lavoro/wine/$nome" "tests/dati/$nome" || fallito "$nome differs from tests/dati/$nome"
done < <(file_lasciati "$lavoro/wine")
echo "  and the same as the files in tests/dati/"

passo "Windows builder in the root of a drive (R:\\)"
mkdir -p "$lavoro/radice"
ln -s "$lavoro/radice" "$WINEPREFIX/dosdevices/r:"
cp "$bin_windows/scenario-builder.exe" "$bin_windows/prova-piattaforma.exe" "$lavoro/radice/"
cartella=$(cd "$lavoro/altrove" && esegui_wine 60 'R:\prova-piattaforma.exe' cartella | tr -d '\r')
[ "$cartella" = 'R:\' ] || fallito "executable directory in a root: '$cartella'"
echo "  executable directory: $cartella"
rm "$lavoro/radice/prova-piattaforma.exe"
(cd "$lavoro/altrove" && esegui_wine 600 'R:\scenario-builder.exe') || fallito "builder in R:\\ ended with status $?"
confronta_cartelle "$lavoro/posix" "$lavoro/radice"

# --- 2. the wait window -------------------------------------------------------
# Pixel colour of a screenshot at x,y as "r,g,b".
colore() { /usr/bin/convert "$1" -format "%[fx:int(255*p{$2,$3}.r)],%[fx:int(255*p{$2,$3}.g)],%[fx:int(255*p{$2,$3}.b)]" info:; }
# Number of distinct colours in a rectangle "w h x y".
colori() { /usr/bin/convert "$1" -crop "${2}x${3}+${4}+${5}" +repage -format %k info:; }
# Share of the rectangle's pixels that differ from the colour "r,g,b".
quota_diversa() {
    /usr/bin/convert "$1" -crop "${2}x${3}+${4}+${5}" +repage -alpha off -fill white -opaque "rgb($6)" \
        -fill black +opaque white -format "%[fx:1-mean]" info:
}

passo "the wait window"
mkdir -p "$lavoro/attesa"
cp "$bin_windows/prova-piattaforma.exe" "$lavoro/attesa/"
in_sfondo "$lavoro/attesa" attesa.txt 90 prova-piattaforma.exe attesa &
pid_attesa=$!
for _ in $(seq 1 300); do grep -q '^pronta' "$lavoro/attesa/attesa.txt" 2>/dev/null && break; sleep 0.1; done
sleep 0.5
import -window root "$prove/attesa.png"
touch "$lavoro/attesa/fine"
wait "$pid_attesa"
sed -i 's/\r$//' "$lavoro/attesa/attesa.txt"
cat "$lavoro/attesa/attesa.txt"
[ "$(cat "$lavoro/attesa/stato")" = 0 ] || fallito "the wait window's checks failed"
read -r _ ax ay aw ah < <(grep '^area_schermo' "$lavoro/attesa/attesa.txt")
read -r _ ex ey ew eh < <(grep '^etichetta_schermo' "$lavoro/attesa/attesa.txt")
read -r _ sr sg sb < <(grep '^sfondo' "$lavoro/attesa/attesa.txt")
sfondo="$sr,$sg,$sb"
# The client area above the label is plain background; the label holds text.
[ "$(colori "$prove/attesa.png" "$aw" $((ey - ay)) "$ax" "$ay")" = 1 ] || fallito "the client area above the label is not plain"
[ "$(colore "$prove/attesa.png" "$ax" "$ay")" = "$sfondo" ] || fallito "background $(colore "$prove/attesa.png" "$ax" "$ay"), expected $sfondo"
testo=$(quota_diversa "$prove/attesa.png" "$ew" "$eh" "$ex" "$ey" "$sfondo")
echo "  label rectangle: $(colori "$prove/attesa.png" "$ew" "$eh" "$ex" "$ey") colours, $testo of its pixels differ from the background"
awk -v q="$testo" 'BEGIN { exit !(q > 0.05 && q < 0.6) }' || fallito "no text painted in the label"

# --- 3. the numbered error message --------------------------------------------
# Runs "prova-piattaforma ARGS" in the background in directory $1, checks the
# message box it shows (text $2, icons $3), takes a screenshot $4, presses OK
# and returns the program's exit status.
box_di() {
    local cartella=$1 testo=$2 icone=$3 schermo=$4
    shift 4
    in_sfondo "$cartella" uscita.txt 90 "$@" &
    local pid=$!
    local errori=""
    esegui_wine 60 "$bin_windows/prova-piattaforma.exe" box scenario-builder "$testo" "$icone" ||
        errori+=" (the box's content)"
    if [ -z "$errori" ]; then
        # The title as the X server has it, and the box on the screen.
        xdotool search --name '^scenario-builder$' >/dev/null || errori+=" (no X window with the title)"
        import -window root "$prove/$schermo"
    fi
    esegui_wine 60 "$bin_windows/prova-piattaforma.exe" chiudi scenario-builder || errori+=" (closing the box)"
    wait "$pid"
    sed 's/\r$//' "$cartella/uscita.txt"
    [ -z "$errori" ] || fallito "message box check failed:$errori"
    stato_box=$(cat "$cartella/stato")
}

passo "numbered error 1250"
mkdir -p "$lavoro/errore"
cp "$bin_windows/prova-piattaforma.exe" "$lavoro/errore/"
box_di "$lavoro/errore" " Errore n. 1250" 0 errore-1250.png prova-piattaforma.exe errore 1250
[ "$stato_box" = 1 ] || fallito "exit status $stato_box after the numbered error, expected 1"

# --- 4. a failing file operation in the real builder --------------------------
passo "the builder's unhandled-failure report"
mkdir -p "$lavoro/rapporto/Tava Aeroporto-Rovea_30742_note.txt"
cp "$bin_windows/scenario-builder.exe" "$lavoro/rapporto/"
box_di "$lavoro/rapporto" "Tava Aeroporto-Rovea_30742_note.txt" 1 rapporto.png scenario-builder.exe
[ "$stato_box" = 2 ] || fallito "exit status $stato_box after a failed write, expected 2"
# Every output name is checked before anything is written: nothing is left
# but the executable and the directory that stood in the way.
[ -z "$(file_lasciati "$lavoro/rapporto" | grep -v -x -e stato -e uscita.txt)" ] ||
    fallito "the refused builder left files: $(file_lasciati "$lavoro/rapporto" | tr '\n' ' ')"

passo "the report of a failing Windows call"
mkdir -p "$lavoro/rapporto-windows"
cp "$bin_windows/prova-piattaforma.exe" "$lavoro/rapporto-windows/"
box_di "$lavoro/rapporto-windows" "Error 1410: Class already exists" 1 rapporto-windows.png prova-piattaforma.exe rapporto-windows
[ "$stato_box" = 2 ] || fallito "exit status $stato_box after the report, expected 2"

# --- 5. scenario-tool ---------------------------------------------------------
# Compiles the text sources in directory $1 (line file $2, train file $3) with
# --json under Wine and on POSIX; both must end with status $4, print the same
# report and write the same files. The files stay in $1/posix and $1/wine. Any
# further arguments go to both compiles.
confronta_strumento() {
    local cartella=$1 linea=$2 treno=$3 atteso=$4
    shift 4
    local stato_posix=0 stato_wine=0
    mkdir -p "$cartella/posix" "$cartella/wine"
    (cd "$cartella" && "$bin_posix/scenario-tool" compile "$linea" "$treno" --out posix --json "$@" >posix.json) ||
        stato_posix=$?
    (cd "$cartella" && esegui_wine 600 "$bin_windows/scenario-tool.exe" compile "$linea" "$treno" --out wine --json \
        "$@" >wine.json) || stato_wine=$?
    sed -i 's/\r$//' "$cartella/wine.json"
    cat "$cartella/wine.json"
    [ "$stato_posix" = "$atteso" ] || fallito "scenario-tool (POSIX) ended with status $stato_posix, expected $atteso"
    [ "$stato_wine" = "$atteso" ] || fallito "scenario-tool.exe ended with status $stato_wine, expected $atteso"
    cmp "$cartella/posix.json" "$cartella/wine.json" || fallito "the two reports differ"
    confronta_cartelle "$cartella/posix" "$cartella/wine"
}

passo "scenario-tool compile on the embedded scenario, under Wine and on POSIX"
mkdir -p "$lavoro/strumento"
cp tests/dati/"Tava Aeroporto-Rovea_linea.txt" tests/dati/"Tava Aeroporto-Rovea_30742-.txt" "$lavoro/strumento/"
confronta_strumento "$lavoro/strumento" "Tava Aeroporto-Rovea_linea.txt" "Tava Aeroporto-Rovea_30742-.txt" 0
while IFS= read -r nome; do
    cmp "$lavoro/strumento/wine/$nome" "$lavoro/wine/$nome" || fallito "scenario-tool's $nome differs from the builder's"
done < <(file_lasciati "$lavoro/strumento/wine")
cmp tests/dati/"Tava Aeroporto-Rovea_linea.txt" "$lavoro/strumento/Tava Aeroporto-Rovea_linea.txt" ||
    fallito "scenario-tool changed its input"

passo "scenario-tool compile --as-builder on a train file cut short inside a record"
mkdir -p "$lavoro/corto"
cp tests/dati/"Tava Aeroporto-Rovea_linea.txt" "$lavoro/corto/Corto_linea.txt"
head -c 700 tests/dati/"Tava Aeroporto-Rovea_30742-.txt" >"$lavoro/corto/Corto_1-.txt"
confronta_strumento "$lavoro/corto" Corto_linea.txt Corto_1-.txt 1 --as-builder
[ -n "$(file_lasciati "$lavoro/corto/wine")" ] || fallito "compile --as-builder wrote no file after a status"

passo "scenario-tool dump --json of the golden files, under Wine and on POSIX"
mkdir -p "$lavoro/dump"
binari=("Tava Aeroporto-Rovea_linea.dat" "Tava Aeroporto-Rovea_30742.sim" "Tava Aeroporto-Rovea_30742.dat")
for nome in "${binari[@]}"; do cp "tests/dati/$nome" "$lavoro/dump/"; done
(cd "$lavoro/dump" && "$bin_posix/scenario-tool" dump --json "${binari[@]}" >posix.json) ||
    fallito "scenario-tool dump (POSIX) ended with status $?"
(cd "$lavoro/dump" && esegui_wine 600 "$bin_windows/scenario-tool.exe" dump --json "${binari[@]}" >wine.json) ||
    fallito "scenario-tool.exe dump ended with status $?"
sed -i 's/\r$//' "$lavoro/dump/wine.json"
cmp "$lavoro/dump/posix.json" "$lavoro/dump/wine.json" || fallito "the two dumps differ"
[ "$(wc -l <"$lavoro/dump/wine.json")" = 3 ] || fallito "the dump has not one line per file"
echo "  the same JSON, $(wc -c <"$lavoro/dump/wine.json") bytes"
# Status 0 where the file opens, 1 where Wine's file system cannot hold the
# name: either way the name is shown escaped.
passo "scenario-tool.exe dump of a file whose name holds ESC"
esc=$'N\e[31mRED_7.dat'
cp tests/dati/"Tava Aeroporto-Rovea_30742.dat" "$lavoro/dump/$esc"
stato=0
(cd "$lavoro/dump" && esegui_wine 600 "$bin_windows/scenario-tool.exe" dump "$esc" >esc-uscita.txt 2>esc-errori.txt) ||
    stato=$?
[ "$stato" = 0 ] || [ "$stato" = 1 ] || fallito "scenario-tool.exe dump of the ESC name ended with status $stato"
! grep -q $'\e' "$lavoro/dump/esc-uscita.txt" "$lavoro/dump/esc-errori.txt" || fallito "a raw ESC reached the terminal"
cat "$lavoro/dump/esc-uscita.txt" "$lavoro/dump/esc-errori.txt" | grep -qF 'N\x1b[31mRED_7.dat' ||
    fallito "the name is not shown as N\\x1b[31mRED_7.dat: $(head -c 300 "$lavoro/dump/esc-errori.txt")"
echo "  status $stato; the name shown as N\\x1b[31mRED_7.dat"
rm "$lavoro/dump/$esc" "$lavoro/dump/"esc-*.txt

passo "scenario-tool.exe dump with its standard output on NUL"
cp "$bin_windows/scenario-tool.exe" "$lavoro/dump/"
printf '@echo off\r\nscenario-tool.exe dump --json "%s" > NUL\r\nexit /b %%ERRORLEVEL%%\r\n' "${binari[0]}" \
    >"$lavoro/dump/nul.bat"
stato=0
(cd "$lavoro/dump" && esegui_wine 600 cmd /c nul.bat >nul-uscita.txt 2>&1) || stato=$?
[ "$stato" = 0 ] || fallito "dump > NUL ended with status $stato: $(cat "$lavoro/dump/nul-uscita.txt")"
echo "  status 0"
rm "$lavoro/dump/scenario-tool.exe" "$lavoro/dump/nul.bat" "$lavoro/dump/nul-uscita.txt"

passo "scenario-tool.exe compile removes a stale temporary of its own output name, and only that"
mkdir -p "$lavoro/stantio/uscita"
cp tests/dati/"Tava Aeroporto-Rovea_linea.txt" tests/dati/"Tava Aeroporto-Rovea_30742-.txt" "$lavoro/stantio/"
stantii=(".Tava Aeroporto-Rovea_30742.sim.tmp-abcdef" ".Tava Aeroporto-Rovea_linea.dat.tmp-k1ll3d")
altrui=(".altro.sim.tmp-abcdef" ".Tava Aeroporto-Rovea_30742.sim.tmp-mine")
for nome in "${stantii[@]}" "${altrui[@]}"; do echo "left by a kill" >"$lavoro/stantio/uscita/$nome"; done
(cd "$lavoro/stantio" && esegui_wine 600 "$bin_windows/scenario-tool.exe" compile "Tava Aeroporto-Rovea_linea.txt" \
    "Tava Aeroporto-Rovea_30742-.txt" --out uscita >/dev/null 2>&1) || fallito "scenario-tool.exe compile ended with status $?"
for nome in "${stantii[@]}"; do [ ! -e "$lavoro/stantio/uscita/$nome" ] || fallito "the stale $nome is still there"; done
for nome in "${altrui[@]}"; do [ -e "$lavoro/stantio/uscita/$nome" ] || fallito "$nome, not a temporary of the tool's, is gone"; done
for nome in "${binari[@]}"; do cmp "$lavoro/stantio/uscita/$nome" "tests/dati/$nome" || fallito "compile wrote another $nome"; done
echo "  removed: ${stantii[*]}; kept: ${altrui[*]}"

# check --json in directory $1 (line file $2, train file $3) under Wine and on
# POSIX: the same exit status $4 and the same JSON.
confronta_check() {
    local cartella=$1 linea=$2 treno=$3 atteso=$4
    local stato_posix=0 stato_wine=0
    (cd "$cartella" && "$bin_posix/scenario-tool" check "$linea" "$treno" --json >check-posix.json) || stato_posix=$?
    (cd "$cartella" && esegui_wine 600 "$bin_windows/scenario-tool.exe" check "$linea" "$treno" --json \
        >check-wine.json) || stato_wine=$?
    sed -i 's/\r$//' "$cartella/check-wine.json"
    [ "$stato_posix" = "$atteso" ] || fallito "scenario-tool check (POSIX) ended with status $stato_posix, expected $atteso"
    [ "$stato_wine" = "$atteso" ] || fallito "scenario-tool.exe check ended with status $stato_wine, expected $atteso"
    cmp "$cartella/check-posix.json" "$cartella/check-wine.json" || fallito "the two check reports differ"
    echo "  the same check JSON, $(wc -c <"$cartella/check-wine.json") bytes, status $atteso"
}

passo "scenario-tool check under Wine and on POSIX"
confronta_check "$lavoro/strumento" "Tava Aeroporto-Rovea_linea.txt" "Tava Aeroporto-Rovea_30742-.txt" 0
confronta_check "$lavoro/corto" Corto_linea.txt Corto_1-.txt 1
mkdir -p "$lavoro/oltre"
sed 's/^cartello_indicatore,  500,/cartello_indicatore,  30000,/' tests/dati/"Tava Aeroporto-Rovea_linea.txt" \
    >"$lavoro/oltre/Oltre_linea.txt"
cp tests/dati/"Tava Aeroporto-Rovea_30742-.txt" "$lavoro/oltre/Oltre_1-.txt"
confronta_check "$lavoro/oltre" Oltre_linea.txt Oltre_1-.txt 1


# One frame of the language server's protocol: the length in bytes, the body.
cornice_lsp() { printf 'Content-Length: %d\r\n\r\n%s' "$(printf %s "$1" | LC_ALL=C wc -c)" "$1"; }

passo "scenario-tool.exe lsp: the frames on Windows' standard streams, as on POSIX"
mkdir -p "$lavoro/lsp"
# Bodies with CR LF between their tokens and a text with CR LF escaped: a
# stream in text mode would change both the frames' lengths and the replies.
uri_linea='file:///C:/autore/Breve_linea.txt'
uri_treno='file:///C:/autore/Breve_1-.txt'
{
    cornice_lsp $'{"jsonrpc":"2.0",\r\n"id":1,"method":"initialize","params":{}}'
    cornice_lsp '{"jsonrpc":"2.0","method":"initialized","params":{}}'
    cornice_lsp '{"jsonrpc":"2.0","method":"textDocument/didOpen","params":{"textDocument":{"uri":"'"$uri_linea"'","version":1,"text":"[generale]\r\nlunghezza percorso,  3000\r\n[curve]\r\npendnza,  0,  1\r\n"}}}'
    cornice_lsp '{"jsonrpc":"2.0","method":"textDocument/didOpen","params":{"textDocument":{"uri":"'"$uri_treno"'","version":1,"text":"[generale]\r\nvelocita,  0,  30\r\nsabbia,\t300\r\n"}}}'
    cornice_lsp '{"jsonrpc":"2.0","id":2,"method":"textDocument/documentSymbol","params":{"textDocument":{"uri":"'"$uri_linea"'"}}}'
    cornice_lsp $'{"jsonrpc":"2.0","id":3,\r\n"method":"shutdown"}'
    cornice_lsp '{"jsonrpc":"2.0","method":"exit"}'
} >"$lavoro/lsp/ingresso"
stato_posix=0
stato_wine=0
"$bin_posix/scenario-tool" lsp <"$lavoro/lsp/ingresso" >"$lavoro/lsp/posix.out" || stato_posix=$?
(cd "$lavoro/lsp" && esegui_wine 120 "$bin_windows/scenario-tool.exe" lsp <ingresso >wine.out) || stato_wine=$?
[ "$stato_posix" = 0 ] || fallito "scenario-tool lsp (POSIX) ended with status $stato_posix"
[ "$stato_wine" = 0 ] || fallito "scenario-tool.exe lsp ended with status $stato_wine"
cmp "$lavoro/lsp/posix.out" "$lavoro/lsp/wine.out" || fallito "the two servers' replies differ"
grep -q '"code":"misspelled-keyword"' "$lavoro/lsp/wine.out" || fallito "no diagnostic for the misspelled keyword"
grep -q '"code":"tab"' "$lavoro/lsp/wine.out" || fallito "no diagnostic for the tab"
echo "  the same replies, $(wc -c <"$lavoro/lsp/wine.out") bytes, status 0"

passo "scenario-tool decompile of the golden files, under Wine and on POSIX"
mkdir -p "$lavoro/dump/sorgenti_posix" "$lavoro/dump/sorgenti_wine"
(cd "$lavoro/dump" && "$bin_posix/scenario-tool" decompile "${binari[@]}" --out sorgenti_posix >/dev/null) ||
    fallito "scenario-tool decompile (POSIX) ended with status $?"
(cd "$lavoro/dump" && esegui_wine 600 "$bin_windows/scenario-tool.exe" decompile "${binari[@]}" --out sorgenti_wine \
    >/dev/null) || fallito "scenario-tool.exe decompile ended with status $?"
sorgenti=("Tava Aeroporto-Rovea_linea.txt" "Tava Aeroporto-Rovea_30742-.txt")
[ "$(file_lasciati "$lavoro/dump/sorgenti_wine")" = "$(printf '%s\n' "${sorgenti[@]}" | sort)" ] ||
    fallito "scenario-tool.exe decompile wrote other files: $(file_lasciati "$lavoro/dump/sorgenti_wine")"
for nome in "${sorgenti[@]}"; do
    cmp "$lavoro/dump/sorgenti_posix/$nome" "$lavoro/dump/sorgenti_wine/$nome" || fallito "decompile's $nome differs"
    printf '  identical: %-50s %9d bytes\n' "$nome" "$(stat -c %s "$lavoro/dump/sorgenti_wine/$nome")"
done
cmp "$lavoro/dump/sorgenti_wine/${sorgenti[0]}" "tests/dati/${sorgenti[0]}" ||
    fallito "decompile's line file differs from the embedded one"
# --- 6. a folder name outside the ANSI code page -----------------------------
# Wine turns the Unix arguments into UTF-16 by the locale: a UTF-8 one here.
export LANG=C.UTF-8
# A Unix path as Wine names it on its drive Z:.
percorso_windows() { printf 'Z:%s' "${1//\//\\}"; }

passo "the builder in a folder named 日本 路線"
unicode="$lavoro/unicode/日本 路線"
mkdir -p "$unicode"
cp "$bin_windows/scenario-builder.exe" "$bin_windows/prova-piattaforma.exe" "$unicode/"
cartella=$(cd "$lavoro/altrove" && esegui_wine 60 "$unicode/prova-piattaforma.exe" cartella | tr -d '\r')
[ "$cartella" = "$(percorso_windows "$unicode")" ] || fallito "executable directory: '$cartella'"
echo "  executable directory: $cartella"
rm "$unicode/prova-piattaforma.exe"
(cd "$lavoro/altrove" && esegui_wine 600 "$unicode/scenario-builder.exe") || fallito "builder in 日本 路線 ended with status $?"
sei=$(cd tests/dati && ls | grep -v -e '_linea.txt$' -e -.txt$ | sort)
[ "$(file_lasciati "$unicode")" = "$sei" ] || fallito "files in 日本 路線: $(file_lasciati "$unicode" | tr '\n' ' ')"
while IFS= read -r nome; do
    cmp "$unicode/$nome" "tests/dati/$nome" || fallito "$nome differs from tests/dati/$nome"
done <<<"$sei"
echo "  the six files, byte-identical to tests/dati/, and nothing else"

passo "scenario-tool.exe with its paths in 日本 路線"
ustr="$lavoro/strumento-unicode/日本 路線"
mkdir -p "$ustr/uscita" "$ustr/relativa"
cp tests/dati/"Tava Aeroporto-Rovea_linea.txt" tests/dati/"Tava Aeroporto-Rovea_30742-.txt" "$ustr/"
(cd "$lavoro/altrove" && esegui_wine 600 "$bin_windows/scenario-tool.exe" compile \
    "$(percorso_windows "$ustr/Tava Aeroporto-Rovea_linea.txt")" \
    "$(percorso_windows "$ustr/Tava Aeroporto-Rovea_30742-.txt")" \
    --out "$(percorso_windows "$ustr/uscita")" --json | tr -d '\r') || fallito "scenario-tool.exe ended with status $?"
(cd "$ustr" && esegui_wine 600 "$bin_windows/scenario-tool.exe" compile "Tava Aeroporto-Rovea_linea.txt" \
    "Tava Aeroporto-Rovea_30742-.txt" --out relativa >/dev/null) || fallito "scenario-tool.exe (relative paths) ended with status $?"
for uscita in uscita relativa; do
    [ "$(file_lasciati "$ustr/$uscita")" = "$(cd tests/dati && ls ./*.dat ./*.sim | sed 's|^\./||' | sort)" ] ||
        fallito "files in $uscita: $(file_lasciati "$ustr/$uscita" | tr '\n' ' ')"
    for nome in "Tava Aeroporto-Rovea_linea.dat" "Tava Aeroporto-Rovea_30742.sim" "Tava Aeroporto-Rovea_30742.dat"; do
        cmp "$ustr/$uscita/$nome" "tests/dati/$nome" || fallito "$uscita/$nome differs from tests/dati/$nome"
    done
done
echo "  absolute and relative paths: the three files, byte-identical to tests/dati/"

passo "scenario-tool.exe with a line name outside ASCII"
mkdir -p "$ustr/citta-wine" "$ustr/citta-posix"
(cd "$ustr" && esegui_wine 600 "$bin_windows/scenario-tool.exe" compile "Tava Aeroporto-Rovea_linea.txt" \
    "Tava Aeroporto-Rovea_30742-.txt" --line-name "Città" --out citta-wine >/dev/null) ||
    fallito "scenario-tool.exe --line-name Città ended with status $?"
(cd "$ustr" && "$bin_posix/scenario-tool" compile "Tava Aeroporto-Rovea_linea.txt" \
    "Tava Aeroporto-Rovea_30742-.txt" --line-name "$(printf 'Citt\xe0')" --out citta-posix >/dev/null) ||
    fallito "scenario-tool --line-name Citt\\xe0 ended with status $?"
for coda in _linea.dat _30742.sim _30742.dat; do
    cmp "$ustr/citta-wine/Città$coda" "$ustr/citta-posix/$(printf 'Citt\xe0')$coda" || fallito "Città$coda differs"
done
grep -q "$(printf 'Citt\xe0')" "$ustr/citta-wine/Città_30742.sim" || fallito "the table does not hold the name in Windows-1252"
echo "  files named Città_*, with the name as Windows-1252 inside, as the POSIX build writes them"
(cd "$ustr/citta-wine" && esegui_wine 600 "$bin_windows/scenario-tool.exe" verify "Città_linea.dat" "Città_30742.sim" \
    "Città_30742.dat" | tr -d '\r') || fallito "scenario-tool.exe verify of the Città files ended with status $?"
(cd "$lavoro/altrove" && esegui_wine 600 "$bin_windows/scenario-tool.exe" verify \
    "$(percorso_windows "$ustr/citta-wine/Città_30742.sim")" "$(percorso_windows "$ustr/citta-wine/Città_30742.dat")" |
    tr -d '\r') || fallito "scenario-tool.exe verify (absolute paths) ended with status $?"
cp "$ustr/citta-wine/Città_30742.sim" "$ustr/citta-wine/Città_30742.dat" "$lavoro/radice/"
(cd "$lavoro/altrove" && esegui_wine 600 "$bin_windows/scenario-tool.exe" verify 'R:\Città_30742.sim' 'R:\Città_30742.dat' |
    tr -d '\r') || fallito "scenario-tool.exe verify in the root of R: ended with status $?"
echo "  verify finds the Città files (named in UTF-8, the names inside in Windows-1252) belong together"
stato=0
errori=$(cd "$ustr" && esegui_wine 600 "$bin_windows/scenario-tool.exe" compile "Tava Aeroporto-Rovea_linea.txt" \
    "Tava Aeroporto-Rovea_30742-.txt" --line-name "日本" --out citta-wine 2>&1 >/dev/null) || stato=$?
echo "  $errori" | head -1
[ "$stato" = 2 ] || fallito "--line-name 日本 ended with status $stato, expected 2"
[[ "$errori" == *"U+65E5"* ]] || fallito "the usage error does not name the character"

# --- 7. one builder per folder -------------------------------------------------
passo "a second builder in 日本 路線 while the lock is held"
due="$lavoro/due/日本 路線"
mkdir -p "$due" "$lavoro/due/blocco" "$lavoro/due/box"
cp "$bin_windows/scenario-builder.exe" "$bin_windows/prova-piattaforma.exe" "$due/"
in_sfondo "$lavoro/due/blocco" blocco.txt 90 "$due/prova-piattaforma.exe" blocco &
pid_blocco=$!
for _ in $(seq 1 300); do grep -q '^bloccata' "$lavoro/due/blocco/blocco.txt" 2>/dev/null && break; sleep 0.1; done
grep -q '^bloccata' "$lavoro/due/blocco/blocco.txt" || fallito "the lock was not taken: $(cat "$lavoro/due/blocco/blocco.txt")"
box_di "$lavoro/due/box" "日本 路線\\scenario-builder.lock\"

Error 32: another scenario-builder is running in this directory" 1 blocco.png "$due/scenario-builder.exe"
[ "$stato_box" = 2 ] || fallito "exit status $stato_box of the second builder, expected 2"
[ -z "$(file_lasciati "$due" | grep -v -x scenario-builder.lock)" ] || fallito "the second builder wrote: $(file_lasciati "$due")"
touch "$lavoro/due/blocco/fine"
wait "$pid_blocco"
[ "$(cat "$lavoro/due/blocco/stato")" = 0 ] || fallito "the lock holder failed: $(cat "$lavoro/due/blocco/blocco.txt")"
[ -z "$(ls -A "$due" | grep -v '\.exe$')" ] || fallito "left in the folder: $(ls -A "$due")"
echo "  status 2, no file touched; the lock file is gone with its holder"

# --- 8. scenario-tool view ----------------------------------------------------
# The page of the embedded scenario under Wine is the POSIX build's page, byte
# for byte, from the text sources and from the binary files.
confronta_pagine() {
    local cartella=$1 nome=$2
    shift 2
    (cd "$cartella" && "$bin_posix/scenario-tool" view "$@" -o "posix-$nome") ||
        fallito "scenario-tool view (POSIX) ended with status $?"
    (cd "$cartella" && esegui_wine 600 "$bin_windows/scenario-tool.exe" view "$@" -o "wine-$nome" >/dev/null) ||
        fallito "scenario-tool.exe view ended with status $?"
    cmp "$cartella/posix-$nome" "$cartella/wine-$nome" || fallito "the two pages $nome differ"
    printf '  identical: %-50s %9d bytes\n' "$nome" "$(stat -c %s "$cartella/wine-$nome")"
}

passo "scenario-tool view on the embedded scenario, under Wine and on POSIX"
mkdir -p "$lavoro/vista"
scenario="Tava Aeroporto-Rovea"
cp tests/dati/"${scenario}_linea.txt" tests/dati/"${scenario}_30742-.txt" tests/dati/"${scenario}_linea.dat" \
    tests/dati/"${scenario}_30742.sim" tests/dati/"${scenario}_30742.dat" "$lavoro/vista/"
confronta_pagine "$lavoro/vista" sorgenti.html "${scenario}_linea.txt" "${scenario}_30742-.txt"
confronta_pagine "$lavoro/vista" binari.html "${scenario}_linea.dat" "${scenario}_30742.sim" "${scenario}_30742.dat"

passo "scenario-tool.exe view --serve: the page, its events, a saved change, Ctrl-C"
mkdir -p "$lavoro/servizio"
cp tests/dati/"${scenario}_linea.txt" tests/dati/"${scenario}_30742-.txt" "$lavoro/servizio/"
(cd "$lavoro/servizio" && exec timeout 120 "${caricatore[@]}" "$bin_windows/scenario-tool.exe" view --serve \
    "${scenario}_linea.txt" "${scenario}_30742-.txt" >servizio.txt 2>&1) &
pid_servizio=$!
for _ in $(seq 1 600); do grep -q '^serving' "$lavoro/servizio/servizio.txt" 2>/dev/null && break; sleep 0.1; done
indirizzo=$(sed -n 's|^serving \(http://127\.0\.0\.1:[0-9]*/\) .*|\1|p' "$lavoro/servizio/servizio.txt" | tr -d '\r')
[ -n "$indirizzo" ] || fallito "scenario-tool.exe view --serve printed no address: $(cat "$lavoro/servizio/servizio.txt")"
codice=$(curl -s -o "$lavoro/servizio/pagina.html" -w '%{http_code}' "$indirizzo") || true
[ "$codice" = 200 ] || fallito "GET $indirizzo answered $codice"
grep -q 'id="vista-servizio"' "$lavoro/servizio/pagina.html" || fallito "the served page has no update script"
[ "$(curl -s -o /dev/null -w '%{http_code}' "${indirizzo}x")" = 404 ] || fallito "GET ${indirizzo}x is not 404"
# The stream: the first event at once, the next after a saved change.
curl -s -N --max-time 8 "${indirizzo}events" >"$lavoro/servizio/eventi.txt" &
pid_eventi=$!
for _ in $(seq 1 100); do grep -q '"build":1' "$lavoro/servizio/eventi.txt" 2>/dev/null && break; sleep 0.1; done
grep -q '^event: vista$' "$lavoro/servizio/eventi.txt" || fallito "no event from ${indirizzo}events"
sed -i 's/^stazione,   22000/stazione,   19000, 12,  400,  0, 0, 0,  1,1,0,  4,1,1,    0,   0, 0, 0, VALLE NUOVA\r\nstazione,   22000/' \
    "$lavoro/servizio/${scenario}_30742-.txt"
for _ in $(seq 1 50); do grep -q '"build":2' "$lavoro/servizio/eventi.txt" && break; sleep 0.1; done
kill "$pid_eventi" 2>/dev/null || true
grep -q '"build":2,"current":true' "$lavoro/servizio/eventi.txt" || fallito "no event after the saved change: $(cat "$lavoro/servizio/eventi.txt")"
curl -s "$indirizzo" | grep -q 'VALLE NUOVA' || fallito "the served page lacks the new station"
kill -INT "$pid_servizio"
stato=0
wait "$pid_servizio" || stato=$?
sed 's/\r$//' "$lavoro/servizio/servizio.txt"
[ "$stato" = 0 ] || fallito "scenario-tool.exe view --serve ended with status $stato after Ctrl-C"
grep -q '^stopped' "$lavoro/servizio/servizio.txt" || fallito "no line saying the server stopped"
! curl -s -o /dev/null "$indirizzo" || fallito "the server still answers after Ctrl-C"
echo "  the page, an event, a new one after the save, status 0 after Ctrl-C"

# --- 9. the package -------------------------------------------------------------
# Unzips the package of ./build.sh package $1 (32 or 64) into $lavoro/$2 and
# checks that it holds the two executables of that build, the README and the
# guide, and nothing else; cartella_pacchetto is the folder it unzipped to.
pacchetto_di() {
    local bit_pacchetto=$1 destinazione="$lavoro/$2" cartella_build=windows
    [ "$bit_pacchetto" = 32 ] || cartella_build=windows64
    ./build.sh package "$bit_pacchetto"
    local pacchetto
    pacchetto=$(ls "$radice_progetto/build/$cartella_build"/scenario-builder-*-win"$bit_pacchetto".zip)
    mkdir -p "$destinazione"
    (cd "$destinazione" && unzip -q "$pacchetto")
    cartella_pacchetto=$(find "$destinazione" -mindepth 1 -maxdepth 1 -type d)
    (cd "$cartella_pacchetto" && find . -type f | sort)
    for f in scenario-builder.exe scenario-tool.exe README.md docs/guide.md docs/reference.md docs/editor.md; do
        [ -f "$cartella_pacchetto/$f" ] || fallito "the package lacks $f"
    done
    [ "$(find "$cartella_pacchetto" -type f | wc -l)" = 6 ] || fallito "the package holds other files"
    for f in scenario-builder.exe scenario-tool.exe; do
        cmp "$cartella_pacchetto/$f" "$radice_progetto/build/$cartella_build/bin/$f" ||
            fallito "the package's $f is not the $bit_pacchetto-bit build's"
    done
}

if [ "$bit" = 64 ]; then
    passo "the 32-bit Windows package (contents only: not run on this path)"
    pacchetto_di 32 pacchetto32
fi
passo "the $bit-bit Windows package"
pacchetto_di "$bit" pacchetto

passo "the package's scenario-tool: example, then check"
(cd "$cartella_pacchetto" && esegui_wine 120 ./scenario-tool.exe example --out esempio) ||
    fallito "scenario-tool.exe example ended with status $?"
for nome in "Tava Aeroporto-Rovea_linea.txt" "Tava Aeroporto-Rovea_30742-.txt"; do
    cmp "$cartella_pacchetto/esempio/$nome" "tests/dati/$nome" || fallito "example wrote another $nome"
done
confronta_check "$cartella_pacchetto/esempio" "Tava Aeroporto-Rovea_linea.txt" "Tava Aeroporto-Rovea_30742-.txt" 0
rm "$cartella_pacchetto/esempio/"check-*.json

passo "the package's builder"
(cd "$lavoro/altrove" && esegui_wine 600 "$cartella_pacchetto/scenario-builder.exe") ||
    fallito "the package's builder ended with status $?"
while IFS= read -r nome; do
    cmp "$cartella_pacchetto/$nome" "$lavoro/wine/$nome" || fallito "the package's builder wrote another $nome"
done < <(file_lasciati "$lavoro/wine")
echo "  the same files as the builder built here"

passo "all Windows checks passed"
