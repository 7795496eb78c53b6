#!/usr/bin/env bash
# make-guide.sh INSTALLDIR OUTFILE
#
# Makes the user's guide RavoOhje.mht: starts an X server of its own (Xvfb, openbox,
# xcompmgr), runs the installed Ravo from INSTALLDIR with a settings file of its own, takes
# the guide's pictures with real input (xdotool) and assembles the HTML page of docs/guide
# with its pictures into one web archive, OUTFILE. Everything it started is ended on any
# exit. Needs Xvfb, openbox, xcompmgr, xdotool, x11-utils, imagemagick and python3.
set -euo pipefail

if [ $# -ne 2 ]; then
    echo "Käyttö: $0 ASENNUSKANSIO TULOSTIEDOSTO" >&2
    exit 2
fi
# RAVO_GUIDE_TRIES=N tries up to N times, each within RAVO_GUIDE_TIMEOUT seconds (120).
if [ -z "${RAVO_GUIDE_INNER:-}" ] && [ "${RAVO_GUIDE_TRIES:-1}" -gt 1 ]; then
    for try in $(seq "$RAVO_GUIDE_TRIES"); do
        RAVO_GUIDE_INNER=1 timeout -k 10 "${RAVO_GUIDE_TIMEOUT:-120}" bash "$0" "$@" && exit 0
        echo "make-guide: yritys $try epäonnistui" >&2
    done
    exit 1
fi
INSTALL=$(cd "$1" && pwd)
OUT=$2
SOURCE=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
[ -x "$INSTALL/Ravo" ] || { echo "make-guide: $INSTALL/Ravo puuttuu" >&2; exit 1; }
for tool in Xvfb openbox xcompmgr xdotool xwininfo import convert python3; do
    command -v "$tool" > /dev/null || { echo "make-guide: $tool puuttuu" >&2; exit 1; }
done

WORK=$(mktemp -d "${TMPDIR:-/tmp}/ravo-guide.XXXXXX")
SHOTS=$WORK/shots
mkdir -p "$SHOTS" "$WORK/data/Tervaso/Ravo" "$WORK/home"
PIDS=()

cleanup() {
    local pid
    for ((i = ${#PIDS[@]} - 1; i >= 0; i--)); do
        pid=${PIDS[i]}
        kill "$pid" 2> /dev/null || true
    done
    for pid in "${PIDS[@]}"; do
        for _ in $(seq 50); do
            kill -0 "$pid" 2> /dev/null || break
            sleep 0.1
        done
        kill -9 "$pid" 2> /dev/null || true
    done
    if [ -n "${RAVO_GUIDE_KEEP:-}" ]; then echo "make-guide: kept $WORK" >&2; else rm -rf "$WORK"; fi
}
trap cleanup EXIT
trap 'exit 1' INT TERM HUP

fail() {
    echo "make-guide: $*" >&2
    [ -n "${RAVO_GUIDE_KEEP:-}" ] && import -window root "$WORK/failed.png" 2> /dev/null
    if [ -n "${RAVO_PID:-}" ] && [ -f "$WORK/ravo.log" ]; then
        echo "--- Ravo:" >&2
        tail -n 20 "$WORK/ravo.log" >&2 || true
    fi
    exit 1
}

# The X server on a free display number.
exec 3> "$WORK/display"
Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp > "$WORK/xvfb.log" 2>&1 &
PIDS+=($!)
exec 3>&-
for _ in $(seq 100); do
    [ -s "$WORK/display" ] && break
    sleep 0.1
done
[ -s "$WORK/display" ] || fail "Xvfb ei käynnistynyt"
export DISPLAY=:$(head -n 1 "$WORK/display")
export HOME=$WORK/home XDG_DATA_HOME=$WORK/data XDG_CONFIG_HOME=$WORK/home/.config
export XDG_RUNTIME_DIR=$WORK/run LANG=C.UTF-8
unset WAYLAND_DISPLAY SESSION_MANAGER
mkdir -p "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
export QT_QPA_PLATFORM=xcb
openbox > "$WORK/openbox.log" 2>&1 &
PIDS+=($!)
xcompmgr > "$WORK/xcompmgr.log" 2>&1 &
PIDS+=($!)
sleep 1

# An opaque white surface, a thick red pen and a larger text.
cat > "$WORK/data/Tervaso/Ravo/Ravo.ini" << EOF
[Common]
INSTALLFOLDER=$INSTALL/
[Main]
Alpha=255
LinePenWidth=8
LinePenColor=255
DotPenWidth=10
DotPenColor=16711680
FontName=Arial
FontSize=28
EOF

"$INSTALL/Ravo" > "$WORK/ravo.log" 2>&1 &
RAVO_PID=$!
PIDS+=($RAVO_PID)

# wait_window NAME [SECONDS]: the id of Ravo's largest visible window named exactly NAME.
wait_window() {
    local name=$1 seconds=${2:-10} id best area max
    for _ in $(seq $((seconds * 10))); do
        kill -0 "$RAVO_PID" 2> /dev/null || fail "Ravo päättyi odottamatta"
        best="" max=0
        for id in $(xdotool search --all --onlyvisible --pid "$RAVO_PID" --name "^${name}\$" 2> /dev/null); do
            geometry "$id"
            area=$((W * H))
            if [ "$area" -gt "$max" ]; then best=$id max=$area; fi
        done
        if [ -n "$best" ]; then
            sleep 0.5 # drawn
            echo "$best"
            return 0
        fi
        sleep 0.1
    done
    fail "ikkunaa \"$name\" ei tullut näkyviin"
}
visible_windows() {
    xdotool search --all --onlyvisible --pid "$RAVO_PID" --name '' 2> /dev/null | sort || true
}
# wait_new_window BEFORE: a visible window of Ravo that was not in BEFORE.
wait_new_window() {
    local before=$1 id
    for _ in $(seq 100); do
        id=$(comm -13 <(echo "$before") <(visible_windows) | head -n 1)
        if [ -n "$id" ]; then
            sleep 0.5
            echo "$id"
            return 0
        fi
        sleep 0.1
    done
    fail "uutta ikkunaa ei tullut näkyviin ($2)"
}
# geometry ID: sets X, Y, W, H to the window's place on the screen.
geometry() {
    local info
    info=$(xwininfo -id "$1") || fail "ikkunaa $1 ei löydy"
    X=$(sed -n 's/.*Absolute upper-left X: *//p' <<< "$info")
    Y=$(sed -n 's/.*Absolute upper-left Y: *//p' <<< "$info")
    W=$(sed -n 's/.*Width: *//p' <<< "$info")
    H=$(sed -n 's/.*Height: *//p' <<< "$info")
}
click() {
    xdotool mousemove "$1" "$2" click 1
    sleep 0.4
}
drag() {
    xdotool mousemove "$1" "$2"
    sleep 0.1
    xdotool mousedown 1
    sleep 0.1
    shift 2
    while [ $# -ge 2 ]; do
        xdotool mousemove "$1" "$2"
        sleep 0.1
        shift 2
    done
    xdotool mouseup 1
    sleep 0.4
}
# shot NAME ID: the window's picture; shot_area NAME X Y W H: an area of the screen.
save_png() {
    convert "$1" -strip -define png:exclude-chunks=date,time "$SHOTS/$2.png" ||
        fail "kuvaa $2 ei voitu tallentaa"
    rm -f "$1"
}
shot() {
    local l=0 r=0 t=0 b=0 extents
    geometry "$2"
    extents=$(xprop -id "$2" _NET_FRAME_EXTENTS 2> /dev/null |
        sed -n 's/.*= *//p' | tr -d ' ')
    if [ -n "$extents" ]; then IFS=, read -r l r t b <<< "$extents"; fi
    shot_area "$1" $((X - l)) $((Y - t)) $((W + l + r)) $((H + t + b))
}
shot_area() {
    import -window root -crop "$4x$5+$2+$3" +repage "$WORK/raw.png" || fail "kuvaa $1 ei voitu ottaa"
    save_png "$WORK/raw.png" "$1"
}

# The palette and each of its controls: their tops and heights within the palette.
PALETTE=$(wait_window "  Ravo" 30)
sleep 1.5
geometry "$PALETTE"
PX=$X PY=$Y
PALETTE_CONTROLS=(
    "asiakirja 3 28" "verho 34 28" "kynanleveys 65 25" "kuviot 93 28" "sakset 124 28"
    "teksti 155 28" "varjaa 186 28" "varipaneeli 217 24" "tyokalut 244 28" "pyyhin 275 28"
    "peruutus 306 28" "tyhjennys 337 28" "kamera 368 28" "tulostus 399 28" "avaa 430 28"
    "tallenna 461 28" "asetukset 492 28" "tietoja 523 28" "piirto 554 28" "pienenna 582 28"
    "sulje 610 28"
)
declare -A AT
shot paletti "$PALETTE"
shot_area paletti-sisus "$PX" "$PY" 38 638
for control in "${PALETTE_CONTROLS[@]}"; do
    read -r name top height <<< "$control"
    AT[$name]=$((PY + top + height / 2))
    convert "$SHOTS/paletti-sisus.png" -crop "38x${height}+0+${top}" +repage -strip \
        -define png:exclude-chunks=date,time "$SHOTS/nappi-$name.png" ||
        fail "palettikuvaa $name ei voitu leikata"
done
CX=$((PX + 19))


# The shape selector, a rectangle, an ellipse, an arrow, a pentagon and a free line; the
# selector goes away when a shape is chosen, so it is opened again for each.
# shape X Y: the shape at (X, Y) in the selector chosen.
shape() {
    click $CX "${AT[kuviot]}"
    TOOLS=$(wait_window " Kuviot")
    geometry "$TOOLS"
    click $((X + $1)) $((Y + $2))
}
shape 60 140 # rectangle
drag 300 260 400 300 500 360 620 420
shape 20 100 # ellipse
drag 700 260 800 320 900 380 980 440
shape 100 20 # arrow to the right
drag 320 560 500 600 700 640 900 680
shape 20 180 # pentagon
drag 1200 330 1220 350 1240 370 1250 380
shape 20 60 # free line
drag 1100 560 1150 520 1200 600 1250 540 1300 620 1350 560
xdotool mousemove 1600 900
sleep 0.5
shot_area piirros 240 180 1200 540
click $CX "${AT[kuviot]}"
shot kuviovalikko "$(wait_window " Kuviot")"

# The text window: a line typed and placed on the surface.
click $CX "${AT[teksti]}"
TEXT=$(wait_window "Teksti")
xdotool type --delay 40 "Hyvää huomenta, 7B!"
sleep 0.5
shot tekstiikkuna "$TEXT"
click 330 760
sleep 0.5
click $CX "${AT[teksti]}" # the text window away again
sleep 0.5
shot_area teksti-pinnalla 300 708 620 100

# A cut-out: the scissors around the rectangle, its menu, a tool that is turned.
click $CX "${AT[sakset]}"
before=$(visible_windows)
drag 280 240 500 240 660 240 660 340 660 440 500 440 280 440 280 340 280 255
MENU=$(wait_new_window "$before" "leikkauksen valikko")
shot leikkausvalikko "$MENU"
geometry "$MENU"
click $((X + W / 2)) $((Y + 9 * H / 14)) # "Työkaluksi", the fifth of seven
before=$(visible_windows)
QUESTION=$(wait_new_window "$before" "kysymys valkoisesta väristä")
shot kysymys "$QUESTION"
xdotool key Return
sleep 0.5
click $CX "${AT[sakset]}" # the pen again
TOOL=$(wait_window "Apu\\.")
sleep 1
geometry "$TOOL"
OX=$((X + W / 2)) OY=$((Y + H / 2))
drag $((OX + 110)) $((OY)) $((OX + 110)) $((OY + 30)) $((OX + 100)) $((OY + 60)) \
    $((OX + 85)) $((OY + 85))
sleep 0.5
xdotool mousemove 1600 900
sleep 0.5
geometry "$TOOL"
shot_area kaannetty-tyokalu "$X" "$Y" "$W" "$H"
xdotool mousemove $((OX - 30)) $((OY - 10)) click 3
OPER=$(wait_window " Työkalu")
shot tyokalun-ominaisuudet "$OPER"
geometry "$OPER"
click $((X + 83)) $((Y + 18)) # "Poista"
sleep 0.5
xdotool mousemove 1600 900
sleep 0.5
shot_area kokonakyma 0 0 1920 1080
convert "$SHOTS/kokonakyma.png" -resize 50% -strip -define png:exclude-chunks=date,time \
    "$SHOTS/kokonakyma.png"

# The pickers and the other windows of the palette.
click $CX "${AT[kynanleveys]}"
shot kynanleveys "$(wait_window "Kynän leveys")"
before=$(visible_windows)
click $CX "${AT[varipaneeli]}"
shot varivalikko "$(wait_new_window "$before" "värivalikko")"
xdotool key Escape
click $CX "${AT[pyyhin]}"
shot pyyhkimet "$(wait_window " Pyyhkimet")"
xdotool key Escape
click $CX "${AT[tyokalut]}"
shot tyokalukirjasto "$(wait_window " Työkalut")"
click $CX "${AT[asetukset]}"
shot asetukset "$(wait_window "Asetukset")"
click $CX "${AT[tietoja]}"
shot tietoja "$(wait_window "Tietoja Ravo-ohjelmasta...")"
before=$(visible_windows)
click $CX "${AT[verho]}"
shot verhovalikko "$(wait_new_window "$before" "verhon valikko")"
xdotool key Escape

kill "$RAVO_PID" 2> /dev/null || true

python3 "$SOURCE/scripts/guide_mhtml.py" "$SOURCE/docs/guide/RavoOhje.html" "$SHOTS" "$OUT.tmp" ||
    fail "ohjetta ei voitu koota"
mv "$OUT.tmp" "$OUT"
echo "make-guide: $OUT"
