#!/usr/bin/env bash
# One pass through every window of the program as a user makes it, from outside the process: the
# built executable in a fresh application directory, on a display of its own (Xvfb with openbox),
# in the Polish locale, driven by keys and clicks (xdotool), printing to the test's scheduler. Each
# step waits for what it needs: the window it acts on to be active, a menu to open, a window to
# appear or close, a document to reach the scheduler. A screenshot of each window goes into
# SCREENS_DIR; detail is left to the offscreen tests.
#
#   with-cups.sh default desktop.sh VARMI_EXECUTABLE SCREENS_DIR
set -euo pipefail
varmi=$(readlink -f "$1")
screens=$2

for tool in Xvfb xauth mcookie openbox xdotool xprop xwininfo import pdftotext pdfinfo; do
    command -v $tool >/dev/null || { echo "desktop: skipped, no $tool" && exit 77; }
done
locale -a 2>/dev/null | grep -qix 'pl_PL\.utf-\?8' || { echo "desktop: skipped, no pl_PL.UTF-8" && exit 77; }
[ "${VARMI_CUPS_MODE:-}" = default ] || { echo "desktop: skipped, run through with-cups.sh default" && exit 77; }

work=$(mktemp -d "${TMPDIR:-/tmp}/varmi-desktop.XXXXXX")
app="$work/app"
mkdir -p "$app" "$work/runtime" "$screens"
chmod 700 "$work/runtime"
cp "$varmi" "$(dirname "$varmi")/parametr.txt" "$(dirname "$varmi")/varmi.html" "$app/"
pids=()
trap 'for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done; rm -rf "$work"' EXIT

step=start
fail() {
    echo "desktop: FAILED at '$step': $*" >&2
    [ -z "${DISPLAY:-}" ] || import -window root "$screens/failure.png" 2>/dev/null || true
    tail -n 20 "$work/varmi.err" >&2 2>/dev/null || true
    exit 1
}

# Retries a check for up to ten seconds.
wait_for() { # what command...
    local what=$1
    shift
    for _ in $(seq 100); do "$@" && return 0; sleep 0.1; done
    fail "waited in vain for $what"
}

# The windows the window manager shows, "id|caption" a line; the menus open, by id.
clients() {
    for id in $(xprop -root _NET_CLIENT_LIST | sed -n 's/.*# //p' | tr ',' ' '); do
        printf '%d|%s\n' "$id" "$(xdotool getwindowname "$id")"
    done
}
menus() {
    for w in $(xdotool search --onlyvisible --pid "$app_pid" 2>/dev/null); do
        if xwininfo -id "$w" | grep -q 'Override Redirect State: yes'; then echo "$w"; fi
    done | sort | tr '\n' ' '
}
id_of() { clients | awk -F'|' -v c="$1" '$2 == c { print $1; exit }'; }
shown() { [ -n "$(id_of "$1")" ]; }
gone() { ! shown "$1"; }
active() { [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ]; }
menus_changed() { [ "$(menus)" != "$1" ]; }
new_document() { [ "$(find "$VARMI_CUPS_SPOOL" -name 'd*-001' | wc -l)" -gt "$1" ]; }

window() { # caption: waits for it to appear and be active; sets id
    wait_for "the window '$1'" shown "$1"
    id=$(id_of "$1")
    wait_for "'$1' to be active" active "$id"
    sleep 0.3 # its first paint, for the screenshot
    shots=$((shots + 1))
    import -window root "$screens/$(printf '%02d' $shots)-${2:-window}.png"
}

# Keys to the main window; "~" waits for the menus shown to change after the key before it.
menu() {
    wait_for "the main window to be active" active "$main"
    local before=""
    for k in "$@"; do
        if [ "$k" = "~" ]; then
            wait_for "a menu to open" menus_changed "$before"
        else
            before=$(menus)
            xdotool key --clearmodifiers "$k"
        fi
    done
}

close() { # caption: Escape, then the main window is back
    xdotool key --clearmodifiers Escape
    wait_for "'$1' to close" gone "$1"
    wait_for "the main window to be active" active "$main"
}

# Clicks the picture button whose upper left corner is at this logical point (1024 × 768, y up).
click_button() { # x y
    eval "$(xwininfo -id "$id" | awk '/Absolute upper-left X/ { print "x0=" $NF }
        /Absolute upper-left Y/ { print "y0=" $NF } /Width:/ { print "w=" $NF }
        /Height:/ { print "h=" $NF }')"
    xdotool mousemove $((x0 + $1 * w / 1024 + 20)) $((y0 + (768 - $2) * h / 768 + 20)) click 1
    xdotool mousemove 0 0
}

# Clicks a print button; the user is told the page was sent and the scheduler has one new
# document of one page, whose text goes into $page.
print_page() { # x y
    local before
    before=$(find "$VARMI_CUPS_SPOOL" -name 'd*-001' | wc -l)
    click_button "$1" "$2"
    local window=$id
    window "Dobór wymienników firmy Skarvel" printed
    wait_for "the page at the print scheduler" new_document "$before"
    xdotool key --clearmodifiers Return
    wait_for "the message to close" gone "Dobór wymienników firmy Skarvel"
    sleep 0.5 # a second document would be a second job
    local document
    document=$(find "$VARMI_CUPS_SPOOL" -name 'd*-001' | sort | tail -n 1)
    [ "$(find "$VARMI_CUPS_SPOOL" -name 'd*-001' | wc -l)" = $((before + 1)) ] || fail "not one job"
    [ "$(pdfinfo "$document" | awk '/^Pages:/ { print $2 }')" = 1 ] || fail "not one page"
    page=$(pdftotext -layout "$document" - | sed 's/  */ /g')
    id=$window
}

# The display: Xvfb picks a free number, openbox manages the windows.
export XAUTHORITY="$work/Xauthority" HOME="$work" XDG_RUNTIME_DIR="$work/runtime"
cookie=$(mcookie)
xauth -q add :0 . "$cookie"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -auth "$XAUTHORITY" 3>"$work/display" \
    2>"$work/xvfb.log" &
pids+=($!)
wait_for "Xvfb" grep -q '^[0-9]' "$work/display"
export DISPLAY=":$(head -n 1 "$work/display")"
xauth -q add "$DISPLAY" . "$cookie"
openbox --sm-disable 2>"$work/openbox.log" &
pids+=($!)
wait_for "openbox" sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"'

(cd "$app" && exec env LANG=pl_PL.UTF-8 LC_ALL=pl_PL.UTF-8 LANGUAGE= QT_QPA_PLATFORM=xcb \
    QT_STYLE_OVERRIDE=Fusion ./varmi) 2>"$work/varmi.err" &
app_pid=$!
pids+=($app_pid)
shots=0
window "Skarvel - Dobór wymienników ciepła" main
main=$id
[ -f "$app/pathpdf.txt" ] || fail "no pathpdf.txt at start"

step="selection: calculate and print"
menu alt+i "~" Left "~" Left "~" Return
window "Dbór wymienników" selection
click_button 860 70 # cmdLicz
print_page 910 70   # cmdDruk
grep -q "najkorzystniejszy wariant" <<<"$page" || fail "the page has no verdict: $page"
grep -q "Początek obliczania do druku" <(iconv -f WINDOWS-1250 -t UTF-8 "$app/raport.txt") ||
    fail "raport.txt holds no printout's trace"
close "Dbór wymienników"

step="hydraulic nomogram: print"
menu alt+i "~" Left "~" h
window "Wykresy hydrauliczne" hydraulic
print_page 840 80
grep -q "Typ wymiennika: orv2.14" <<<"$page" || fail "the page names no model: $page"
close "Wykresy hydrauliczne"

# The other windows open from the menu and close by Escape: "keys|caption|screenshot".
for w in "alt+i ~ Left ~ c|Wykres zależności mocy cieplnej od przepływu wody ogrzewanej|thermal" \
    "alt+i ~ Left ~ w|Wykres współczynników przenikania w zależności od mocy cielnej|coef-q" \
    "alt+i ~ Left ~ Down Down Return|Wykres współczynników przenikania w zależności od temperatury T12|coef-t12" \
    "alt+i ~ Return|Informacje o programie|information" \
    "alt+p|Parametry|parameters" \
    "alt+u|Ustawienie ścieżki do plików opisów .pdf|settings" \
    "shift+alt+j|Ustawienia|diagnostics" \
    "F1|Pomoc - Dobór wymienników ciepła|help"; do
    IFS='|' read -r keys caption name <<<"$w"
    step="open and close $name"
    read -ra keys <<<"$keys"
    menu "${keys[@]}"
    window "$caption" "$name"
    close "$caption"
done

step="product descriptions"
menu alt+i "~" Down Return
window "Oglądanie opisów urządzeń" question
xdotool key --clearmodifiers alt+t
window 'Opisy urządzeń produkowanych przez "Skarvel"' viewer
close 'Opisy urządzeń produkowanych przez "Skarvel"'

step="end with Wyjście"
menu alt+w
wait_for "the program to end" sh -c "! kill -0 $app_pid 2>/dev/null"
wait "$app_pid" || fail "the program ended with status $?"
echo "desktop: passed; screenshots in $screens"
