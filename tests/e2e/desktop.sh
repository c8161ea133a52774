#!/usr/bin/env bash
# Drives the program as a user would, from outside the process: the executable, unchanged, in a
# fresh application directory (parametr.txt and the help page, no pathpdf.txt), on a display of its
# own (Xvfb with openbox), in the Polish locale, by keyboard and mouse events (xdotool). It checks
# what the user sees or finds: the windows on the screen after every step, raport.txt, pathpdf.txt,
# the printed page as the print system received it, the values read from the charts, and the exit
# status. A screenshot of every window goes into SCREENS_DIR.
#
#   with-cups.sh default desktop.sh VARMI_EXECUTABLE SHEETS_DIR SCREENS_DIR
#
# SHEETS_DIR holds the sample data sheets (build/data/pdf). Exits 77 (skipped) when a program it
# needs is missing.
set -euo pipefail
varmi=$(readlink -f "$1")
sheets=$(readlink -f "$2")
screens=$3

missing=()
for tool in Xvfb xauth mcookie xdpyinfo openbox xdotool xprop xwininfo xclip import convert \
    compare identify pdftotext pdfinfo iconv; do
    command -v "$tool" >/dev/null || missing+=("$tool")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "desktop: skipped, missing ${missing[*]} (scripts/install-deps.sh installs them)"
    exit 77
fi
if [ -z "${VARMI_CUPS_SPOOL:-}" ] || [ "${VARMI_CUPS_MODE:-}" != default ]; then
    echo "desktop: skipped, no print scheduler of the test's own (run through with-cups.sh default)"
    exit 77
fi
if ! locale -a 2>/dev/null | grep -qix 'pl_PL\.utf-\?8'; then
    if [ "$(id -u)" = 0 ] && localedef -i pl_PL -f UTF-8 pl_PL.UTF-8 2>/dev/null; then
        echo "desktop: generated the locale pl_PL.UTF-8"
    else
        echo "desktop: skipped, no locale pl_PL.UTF-8 (scripts/install-deps.sh generates it)"
        exit 77
    fi
fi

[ -f "$sheets/Orv.pdf" ] || {
    echo "desktop: no data sheet Orv.pdf in $sheets (the build's target varmi_sample_datasheets)" >&2
    exit 1
}

work=$(mktemp -d "${TMPDIR:-/tmp}/varmi-desktop.XXXXXX")
app="$work/app"
mkdir -p "$app" "$work/home" "$work/runtime" "$screens"
chmod 700 "$work/runtime"
rm -f "$screens"/*.png
exe_dir=$(dirname "$varmi")
cp "$varmi" "$exe_dir/parametr.txt" "$exe_dir/varmi.html" "$app/"

xvfb_pid="" wm_pid="" app_pid=""
cleanup() {
    for pid in "$app_pid" "$wm_pid" "$xvfb_pid"; do
        if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then
            kill "$pid" 2>/dev/null || true
            wait "$pid" 2>/dev/null || true
        fi
    done
    rm -rf "$work"
}
trap cleanup EXIT

step="start"
shot_no=0

# Fails the run: names the step, says what differed, lists the windows and keeps a screenshot.
fail() {
    echo "desktop: FAILED at step '$step'" >&2
    printf '%s\n' "$@" >&2
    if [ -n "${DISPLAY:-}" ]; then
        echo "windows on the screen:" >&2
        clients | sed 's/^[^|]*|/  /' >&2 || true
        import -window root "$screens/failure.png" 2>/dev/null &&
            echo "screenshot: $screens/failure.png" >&2
    fi
    if [ -s "$work/varmi.err" ]; then
        echo "--- program's output ---" >&2
        tail -n 20 "$work/varmi.err" >&2
    fi
    exit 1
}

expect_equal() { # what expected actual
    [ "$2" = "$3" ] || fail "$1 differs:" "  expected: '$2'" "  actual:   '$3'"
}

# --- windows -----------------------------------------------------------------------------------

# The windows the window manager shows, one "id|caption" a line (menus and tooltips are not).
clients() {
    local ids
    ids=$(xprop -root _NET_CLIENT_LIST 2>/dev/null | sed -n 's/.*# //p' | tr ',' ' ')
    for id in $ids; do
        printf '%s|%s\n' "$id" "$(xdotool getwindowname "$id" 2>/dev/null)"
    done
}

captions() { clients | cut -d'|' -f2- | sort; }

# The id of the window with this caption, waiting for it to appear.
wait_window() { # caption [seconds]
    local id
    for _ in $(seq $((${2:-10} * 10))); do
        id=$(clients | awk -F'|' -v c="$1" '$2 == c { print $1; exit }')
        [ -n "$id" ] && { echo "$id"; return; }
        sleep 0.1
    done
    fail "no window '$1' appeared"
}

wait_closed() { # caption
    for _ in $(seq 100); do
        captions | grep -qxF "$1" || return 0
        sleep 0.1
    done
    fail "the window '$1' did not close"
}

# The windows on the screen are exactly these captions: no message box nor anything else.
expect_windows() {
    local expected actual
    expected=$(printf '%s\n' "$@" | sort)
    actual=$(captions)
    [ "$expected" = "$actual" ] ||
        fail "the windows on the screen differ:" "  expected: $(echo "$expected" | paste -sd'|')" \
            "  actual:   $(echo "$actual" | paste -sd'|')"
}

screenshot() { # name
    shot_no=$((shot_no + 1))
    sleep 0.3 # the window's first paint
    import -window root "$screens/$(printf '%02d' "$shot_no")-$1.png"
}

# Client area of a window: sets gx, gy (screen position) and gw, gh (size in pixels).
geometry() {
    local info
    info=$(xwininfo -id "$1")
    gx=$(awk '/Absolute upper-left X/ { print $NF }' <<<"$info")
    gy=$(awk '/Absolute upper-left Y/ { print $NF }' <<<"$info")
    gw=$(awk '/Width:/ { print $NF }' <<<"$info")
    gh=$(awk '/Height:/ { print $NF }' <<<"$info")
}

# Screen point of a window's logical point (1024 × 768, y up from the bottom edge): sets px, py.
logical() { # id x y
    geometry "$1"
    px=$((gx + ($2 * gw + 512) / 1024))
    py=$((gy + ((768 - $3) * gh + 384) / 768))
}

click() { # x y
    xdotool mousemove "$1" "$2" click 1
    xdotool mousemove 0 0 # no tooltip under the pointer
}

# A picture button of a fixed 615 twips (41 pixels) whose upper left corner is at a logical point.
click_button() { # id x y
    logical "$@"
    click $((px + 20)) $((py + 20))
}

keys() { # id key...
    local id=$1
    shift
    timeout 5 xdotool windowactivate --sync "$id" >/dev/null 2>&1 || true
    xdotool key --clearmodifiers "$@"
}

# Centres of the icons of a toolbar in a band of a window's picture: columns holding coloured
# pixels (the backgrounds are grey), close runs merged.
toolbar_icons() { # picture x y width height
    convert "$1" -crop "$4x$5+$2+$3" +repage -depth 8 txt:- | awk -v x0="$2" '
        NR > 1 {
            split($1, p, /[,:]/)
            gsub(/[()]/, "", $2)
            split($2, c, ",")
            hi = c[1]; lo = c[1]
            for (k = 2; k <= 3; k++) { if (c[k] > hi) hi = c[k]; if (c[k] < lo) lo = c[k] }
            if (hi - lo > 24) ink[p[1]] = 1
            if (p[1] > last) last = p[1]
        }
        END {
            start = -1
            for (x = 0; x <= last + 1; x++) {
                if (ink[x]) { if (start < 0) start = x; end = x }
                else if (start >= 0 && x - end > 4) {
                    print x0 + int((start + end) / 2); start = -1
                }
            }
        }'
}

# Marks an X selection (clipboard or primary), runs a command by which the program takes it, and
# prints what the program put there; fails (1) when it took nothing within 10 s.
taken_selection() { # selection command...
    local which=$1 mark="(nothing taken)" text
    shift
    echo -n "$mark" | xclip -selection "$which" -i
    "$@"
    for _ in $(seq 100); do
        text=$(xclip -o -selection "$which" 2>/dev/null || true)
        [ "$text" != "$mark" ] && { echo "$text"; return 0; }
        sleep 0.1
    done
    return 1
}

# The text of the focused text box, through the clipboard. The program answers once it has
# handled every event before, so this also waits for a calculation started by a click.
read_box() { # id
    taken_selection clipboard keys "$1" ctrl+a ctrl+c || fail "the text box did not copy its text"
}

triple_click() { # x y
    xdotool mousemove "$1" "$2" click --repeat 3 --delay 80 1
    xdotool mousemove 0 0
}

# The first paragraph of a message box, selected by a triple click into its text.
message_text() { # id
    geometry "$1"
    taken_selection primary triple_click $((gx + 60)) $((gy + 17)) ||
        echo "(no text could be selected)"
}

# How many pixels of a window's area differ between two moments; the area in logical units.
area_picture() { # id x y width height file (x, y: upper left corner, y up)
    logical "$1" "$2" "$3"
    local w=$(($4 * gw / 1024)) h=$(($5 * gh / 768))
    import -window root -crop "${w}x${h}+$px+$py" +repage "$6"
}

changed_pixels() { # file file
    compare -metric AE -fuzz 5% "$1" "$2" null: 2>&1 >/dev/null | awk '{ printf "%d", $1 }' || true
}

pixels_of() { # file
    identify -format '%w %h' "$1" | awk '{ printf "%d", $1 * $2 }'
}

# --- files -------------------------------------------------------------------------------------

report_lines() { iconv -f WINDOWS-1250 -t UTF-8 "$app/raport.txt" | tr -d '\r'; }

# The documents the print scheduler received, one a line.
documents() { find "$VARMI_CUPS_SPOOL" -maxdepth 1 -name 'd*-001' | sort; }

# --- the program -------------------------------------------------------------------------------

main_caption="Skarvel - Dobór wymienników ciepła"
box_caption="Dobór wymienników firmy Skarvel"

start_program() {
    (cd "$app" && exec env LANG=pl_PL.UTF-8 LC_ALL=pl_PL.UTF-8 LANGUAGE= QT_QPA_PLATFORM=xcb \
        QT_STYLE_OVERRIDE=Fusion QT_SCALE_FACTOR=1 ./varmi) >"$work/varmi.err" 2>&1 &
    app_pid=$!
    main=$(wait_window "$main_caption" 20)
    expect_windows "$main_caption"
    locate_toolbar
}

# Ends the program with a key or a click and checks that it ended with status 0.
expect_exit() {
    local status=0
    for _ in $(seq 100); do
        kill -0 "$app_pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$app_pid" 2>/dev/null && fail "the program did not end"
    wait "$app_pid" || status=$?
    app_pid=""
    expect_equal "exit status" 0 "$status"
}

# Pasek, the main window's toolbar, is visible: the grey client area starts below it.
toolbar_y0="" toolbar_y1="" main_middle=""
find_toolbar() {
    geometry "$main"
    main_middle=$((gw / 2))
    import -window "$main" "$work/main.png"
    # The rows of the column in the middle: menu bar, toolbar, then the grey client area.
    local rows
    rows=$(convert "$work/main.png" -crop "1x200+$main_middle+0" +repage -depth 8 txt:- |
        awk 'NR > 1 { split($1, p, /[,:]/); print p[2], $3 }')
    local menu_colour
    menu_colour=$(awk 'NR == 1 { print $2 }' <<<"$rows")
    toolbar_y0=$(awk -v m="$menu_colour" '$2 != m { print $1; exit }' <<<"$rows")
    toolbar_y1=$(awk '$2 == "#808080" { print $1; exit }' <<<"$rows")
}

expect_toolbar() {
    import -window "$main" "$work/main.png"
    local colour
    colour=$(convert "$work/main.png" -crop "1x1+$main_middle+$(((toolbar_y0 + toolbar_y1) / 2))" \
        +repage -depth 8 txt:- | awk 'NR == 2 { print $3 }')
    [ "$colour" != "#808080" ] || fail "the toolbar is not shown again"
}

# The centres of Pasek's nine buttons: toolbar (x, left to right) and toolbar_y.
locate_toolbar() {
    find_toolbar
    if [ -z "$toolbar_y0" ] || [ -z "$toolbar_y1" ]; then
        fail "no toolbar in the main window"
    fi
    mapfile -t toolbar < <(toolbar_icons "$work/main.png" 0 $((toolbar_y0 + 6)) 600 \
        $((toolbar_y1 - toolbar_y0 - 12)))
    expect_equal "number of toolbar buttons" 9 "${#toolbar[@]}"
    geometry "$main"
    toolbar_y=$((gy + (toolbar_y0 + toolbar_y1) / 2))
}

# --- the display -------------------------------------------------------------------------------

# Xvfb takes the first free display number itself; the server accepts the cookie whatever number
# it was filed under, the clients look it up under the number taken.
export XAUTHORITY="$work/Xauthority"
cookie=$(mcookie)
xauth -q -f "$XAUTHORITY" add :0 . "$cookie" 2>/dev/null
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset -auth "$XAUTHORITY" \
    3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do
    grep -q '^[0-9]' "$work/display" 2>/dev/null && break
    kill -0 "$xvfb_pid" 2>/dev/null || break
    sleep 0.1
done
grep -q '^[0-9]' "$work/display" 2>/dev/null ||
    fail "Xvfb did not start:" "$(cat "$work/xvfb.log")"
DISPLAY=":$(head -n 1 "$work/display")"
export DISPLAY
xauth -q -f "$XAUTHORITY" add "$DISPLAY" . "$cookie"
xdpyinfo >/dev/null || fail "no connection to the display $DISPLAY"

export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_RUNTIME_DIR="$work/runtime"
openbox --sm-disable >"$work/openbox.log" 2>&1 &
wm_pid=$!
for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.1
done
xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' ||
    fail "openbox did not start:" "$(cat "$work/openbox.log")"

# Clicks a print button, checks the confirmation and that the scheduler received one document of
# one page, and keeps the page's text lines, blanks squeezed, in $page.
print_report() { # window-id button-x button-y confirmation screenshot-name
    documents >"$work/documents-before"
    local windows box
    mapfile -t windows < <(captions)
    click_button "$1" "$2" "$3"
    box=$(wait_window "$box_caption" 30)
    expect_windows "${windows[@]}" "$box_caption"
    expect_equal "print confirmation" "$4" "$(message_text "$box")"
    screenshot "$5"
    keys "$box" Return
    wait_closed "$box_caption"
    for _ in $(seq 100); do
        documents | comm -13 "$work/documents-before" - >"$work/documents-new"
        [ -s "$work/documents-new" ] && break
        sleep 0.1
    done
    sleep 0.5 # a second document would be a second job
    documents | comm -13 "$work/documents-before" - >"$work/documents-new"
    expect_equal "documents received by the print scheduler" 1 "$(wc -l <"$work/documents-new")"
    local document
    document=$(cat "$work/documents-new")
    expect_equal "pages of the printed report" 1 \
        "$(pdfinfo "$document" | awk '/^Pages:/ { print $2 }')"
    page=$(pdftotext -layout "$document" - | sed 's/^ *//; s/ *$//; s/  */ /g')
}

expect_page_lines() { # line...
    local line
    for line in "$@"; do
        grep -qxF "$line" <<<"$page" || fail "the printed page has no line '$line'; its text:" "$page"
    done
}

# --- start -------------------------------------------------------------------------------------

begin=$(date +%s)
step="start with no pathpdf.txt"
start_program
[ -f "$app/pathpdf.txt" ] || fail "pathpdf.txt was not created at start"
first_path=$(iconv -f WINDOWS-1250 -t UTF-8 "$app/pathpdf.txt")
[[ "$first_path" =~ ^\"[^\"]*\"$'\r'$ ]] ||
    fail "pathpdf.txt is not one quoted line with CR LF: '$(od -c "$app/pathpdf.txt")'"
start_pdf_path=${first_path#\"}
start_pdf_path=${start_pdf_path%\"$'\r'}
screenshot main

# --- every tool window, from the menu and from the toolbar -------------------------------------

# Opens a window with keys or a click, checks that it is the only one besides the main window,
# closes it with Escape and checks that the toolbar is back.
open_and_close() { # name caption how...
    local name=$1 caption=$2 id
    shift 2
    step="open $name"
    if [ "$1" = button ]; then
        click "${toolbar[$2]}" "$toolbar_y"
    else
        keys "$main" "$@"
    fi
    id=$(wait_window "$caption")
    expect_windows "$main_caption" "$caption"
    screenshot "$name"
    step="close $name with Escape"
    keys "$id" Escape
    wait_closed "$caption"
    expect_windows "$main_caption"
    expect_toolbar
}

dobor="Dbór wymienników"
hydra="Wykresy hydrauliczne"
qg="Wykres zależności mocy cieplnej od przepływu wody ogrzewanej"
wsk="Wykres współczynników przenikania w zależności od mocy cielnej"
wskkt="Wykres współczynników przenikania w zależności od temperatury T12"
info="Informacje o programie"
params="Parametry"
settings="Ustawienie ścieżki do plików opisów .pdf"
confirm="Oglądanie opisów urządzeń"
viewer='Opisy urządzeń produkowanych przez "Skarvel"'

# The menu bar: "Dobór" and "Wykresy" have no access key and are reached from "&Informacja ".
open_and_close menu-dobor "$dobor" alt+i Left Left Return
open_and_close menu-hydraulic "$hydra" alt+i Left h
open_and_close menu-thermal "$qg" alt+i Left c
open_and_close menu-coefficients-t12 "$wskkt" alt+i Left Down Down Return
open_and_close menu-coefficients-q "$wsk" alt+i Left w
open_and_close menu-information "$info" alt+i Return
open_and_close menu-parameters "$params" alt+p
open_and_close menu-settings "$settings" alt+u
open_and_close diagnostics "Ustawienia" shift+alt+j
open_and_close help "Pomoc - Dobór wymienników ciepła" F1

# The toolbar, left to right (the last button ends the program).
open_and_close toolbar-information "$info" button 0
open_and_close toolbar-parameters-modeless "$params" button 2
open_and_close toolbar-hydraulic "$hydra" button 3
open_and_close toolbar-thermal "$qg" button 4
open_and_close toolbar-coefficients-q "$wsk" button 5
open_and_close toolbar-coefficients-t12 "$wskkt" button 6
open_and_close toolbar-dobor "$dobor" button 7

# The descriptions ask first; "Nie" opens nothing.
for how in menu toolbar; do
    step="descriptions from the $how, answered Nie"
    if [ $how = menu ]; then keys "$main" alt+i Down Return; else click "${toolbar[1]}" "$toolbar_y"; fi
    id=$(wait_window "$confirm")
    expect_windows "$main_caption" "$confirm"
    expect_equal "first line of the question" \
        "oglądanie opisu urządzeń produkowanych przez 'Skarvel'" "$(message_text "$id")"
    [ $how = menu ] && screenshot descriptions-question
    keys "$id" alt+n
    wait_closed "$confirm"
    expect_windows "$main_caption"
    expect_toolbar
done

echo "desktop: every window opens from the menu and the toolbar and closes ($(($(date +%s) - begin)) s)"

# --- the selection: the default point, its report, then T11 typed with a decimal comma ---------

# The selection window places its controls from the top: cmdLicz and cmdDruk at 698 from the top
# (70 from the bottom), txT11 at (940, 260) sized 45 x 35, its middle 491 from the bottom.
step="selection with the default point"
click "${toolbar[7]}" "$toolbar_y"
id=$(wait_window "$dobor")
click_button "$id" 860 70 # cmdLicz
expect_equal "txQ after the calculation" 200 "$(read_box "$id")"
expect_windows "$main_caption" "$dobor"
screenshot selection-default
report=$(report_lines)
expect_equal "sections of raport.txt" 4 "$(grep -c '^Dobór wymiennika dla parametrów:$' <<<"$report")"
expect_equal "T11 lines of raport.txt" 4 "$(grep -c '^ \{14\}T11= 150 $' <<<"$report")"
# orv3.55 reaches its coefficient at T12 = 64 with one exchanger (the window's own tests).
expect_equal "last line of raport.txt" "t12= 64 l.wym.= 1           kw=1,590      ke=1,596" \
    "$(tail -n 1 <<<"$report")"

step="print the selection report"
print_report "$id" 910 70 "Jednostronicowy wydruk wyników doboru wymienników" selection-printed
# The results are those of the window's own tests.
expect_page_lines "Dobór wymienników" "dla poniższych danych wejściowych:" \
    "Przeznaczenie eksploatacyjne: c.o." "Wymagana moc cieplna: 200 [kW]" \
    "Temperatura weściowa T11 150 [°C]" "Temperatura wyjściowa T22 100 [°C]" \
    "typ wymiennika: orv2.14 orv1.22 orv2.40 orv3.55" \
    "ilość wymienników i 2,00 --- 1,00 1,00" \
    "wymagany współczynnik przenikania ciepła 1,280 0,284 1,560 1,590" \
    "współczynnik przenikania ciepła dla warunków eksploatacyjnych 1,538 --- 1,573 1,596" \
    "temperatura wyjściowa wody grzejnej T12 102,0 --- 97,0 64,0" \
    "Typ wymiennika: orv3.55 Liczba wymienników: 1" "najkorzystniejszy wariant"
expect_equal "first line of raport.txt after printing" \
    "********  Początek obliczania do druku***************" "$(report_lines | head -n 1)"

step="selection with T11 typed as 150,5"
logical "$id" 962 491 # txT11
click "$px" "$py"
keys "$id" ctrl+a
xdotool type --delay 40 "150,5"
keys "$id" Return
click_button "$id" 860 70 # cmdLicz
expect_equal "txT11 after the calculation" "150,5" "$(read_box "$id")"
expect_windows "$main_caption" "$dobor"
screenshot selection-t11-comma
report=$(report_lines)
expect_equal "sections of raport.txt" 4 "$(grep -c '^Dobór wymiennika dla parametrów:$' <<<"$report")"
expect_equal "lines 'T11= 150,5 ' in raport.txt" 4 "$(grep -c '^ \{14\}T11= 150,5 $' <<<"$report")"
expect_equal "lines 'T12max= 140 ' in raport.txt" 4 "$(grep -c '^ \{14\}T12max= 140 $' <<<"$report")"
keys "$id" Escape
wait_closed "$dobor"
expect_windows "$main_caption"

# --- the hydraulic chart: the reading point dragged along the characteristic -------------------

# orv2.14, heating water, T11 = 100, T12 = 60: Dp = 44 * G^1.85 * 80^-0.15 = 22.803 * G^1.85 kPa
# (log10 44 = 1.643453, log10 80 = 1.903090). The red segment ends at Dp = 100 kPa, G = 2.2237
# kg/s, drawn at x = 100 + 400 * (1 + log10 2.2237) = 638.8, rounded to 639; there the reading is
# G = 10^(2 * 539 / 800 - 1) = 2.22604 kg/s and Dp = 10^(1.357989 + 1.85 * 0.3475) = 100.20 kPa.
# At its low end Dp = 1 kPa, G = 0.18450 kg/s, x = 206.38, rounded to 206:
# G = 10^(2 * 106 / 800 - 1) = 0.18408 kg/s and Dp = 10^(1.357989 - 1.85 * 0.735) = 0.996 kPa.
step="drag the reading point on the hydraulic chart"
click "${toolbar[3]}" "$toolbar_y"
id=$(wait_window "$hydra")
chart_y=384 # the middle of the picture, whose x runs 0..1000 over the logical 10..810
drag() { # from to (chart x)
    logical "$id" $((10 + $1 * 8 / 10)) "$chart_y"
    xdotool mousemove "$px" "$py" mousedown 1
    local x
    for x in $(seq "$1" $((($2 - $1) / 8)) "$2") "$2"; do
        logical "$id" $((10 + x * 8 / 10)) "$chart_y"
        xdotool mousemove "$px" "$py"
        sleep 0.02
    done
    xdotool mouseup 1 mousemove 0 0
}
reading() { # G and Dp as shown in txG and txDp
    logical "$id" 955 180
    click "$px" "$py"
    local g
    g=$(read_box "$id")
    logical "$id" 955 130
    click "$px" "$py"
    echo "$g $(read_box "$id")"
}
drag 500 980
# The drawn end is rounded to x 639, a little past the flow of 100 kPa: the law's 100.20 shows.
expect_equal "G and Dp at the segment's high end" "2,23 100,20" "$(reading)"
screenshot hydraulic-high-end
# The report prints what the window shows.
print_report "$id" 840 80 "Jednostronicowy wydruk wykresu oporów hydraulicznych dla wymienników" \
    hydraulic-printed
expect_page_lines "Wykres zależności oporu przepływu Dp [kPa] od" \
    "natężenia przepływu wody G [kg/s]" "Typ wymiennika: orv2.14" "Typ obiegu: woda grzejna" \
    "Wybrane natężenie przepływu = 2,23 [kg/s]" "Wynikowy opór przepływu = 100,20 [kPa]"
expect_windows "$main_caption" "$hydra"
drag 980 20
expect_equal "G and Dp at the segment's low end" "0,18 1,00" "$(reading)"
drag 20 500
read -r g dp <<<"$(reading)"
awk -v g="${g/,/.}" -v dp="${dp/,/.}" 'BEGIN {
    expected = 22.803 * g ^ 1.85   # the law at the G shown, which is rounded to 0.005
    exit !(g >= 0.98 && g <= 1.02 && dp >= expected - 0.25 && dp <= expected + 0.25) }' ||
    fail "the reading at G = 1 kg/s is G = $g kg/s, Dp = $dp kPa; expected G = 1.00 +- 0.02" \
        "and Dp = 22.803 * G^1.85 +- 0.25 kPa"
expect_windows "$main_caption" "$hydra"
screenshot hydraulic-middle
keys "$id" Escape
wait_closed "$hydra"
expect_windows "$main_caption"

# --- the thermal chart and both coefficient charts are drawn by their buttons ------------------

# Clicks the draw button and checks that the picture changed over a tenth of its area, with no
# message. The focused box is read back, which also waits for the drawing.
draw_chart() { # caption name box-text
    area_picture "$id" 10 758 800 748 "$work/before.png"
    click_button "$id" 885 80 # cmdLicz
    expect_equal "the focused box of '$1'" "$3" "$(read_box "$id")"
    area_picture "$id" 10 758 800 748 "$work/after.png"
    local changed total
    changed=$(changed_pixels "$work/before.png" "$work/after.png")
    total=$(pixels_of "$work/after.png")
    [ "$changed" -gt $((total / 10)) ] ||
        fail "the chart of '$1' did not change when drawn: $changed of $total pixels"
    expect_windows "$main_caption" "$1"
    screenshot "$2"
    keys "$id" Escape
    wait_closed "$1"
    expect_windows "$main_caption"
}

step="draw the thermal chart"
click "${toolbar[4]}" "$toolbar_y"
id=$(wait_window "$qg")
logical "$id" 955 691 # txG, the flow read from the chart: 1 after drawing
click "$px" "$py"
draw_chart "$qg" thermal-chart "1,0"

# The coefficient charts (toolbar button, caption, screenshot, the focused box's value): Enter
# confirms the focused box, which clears a drawn chart.
for chart in "5|$wsk|coefficients-q-chart|10" "6|$wskkt|coefficients-t12-chart|300"; do
    IFS='|' read -r button caption name value <<<"$chart"
    step="draw the chart '$caption'"
    click "${toolbar[$button]}" "$toolbar_y"
    id=$(wait_window "$caption")
    keys "$id" Return
    expect_equal "the focused box of '$caption'" "$value" "$(read_box "$id")"
    draw_chart "$caption" "$name" "$value"
done

# --- the data sheets: missing where pathpdf.txt points at first, shown once it is set ----------

# Opens the viewer after the question; sets viewer_id, and product_x and product_y, the middle of
# the first product's button (the ORV exchangers, Orv.pdf).
open_viewer() { # how
    if [ "$1" = menu ]; then keys "$main" alt+i Down Return; else click "${toolbar[1]}" "$toolbar_y"; fi
    local question
    question=$(wait_window "$confirm")
    keys "$question" alt+t
    viewer_id=$(wait_window "$viewer")
    expect_windows "$main_caption" "$viewer"
    sleep 0.3 # its first paint
    # Its toolbar lies along the top, logical 763 down to 705.
    logical "$viewer_id" 10 763
    local top=$py left=$px
    logical "$viewer_id" 1010 705
    import -window root "$work/viewer.png"
    mapfile -t products < <(toolbar_icons "$work/viewer.png" "$left" "$top" $((px - left)) \
        $((py - top)))
    [ ${#products[@]} -ge 2 ] || fail "no product buttons in the viewer's toolbar"
    product_x=${products[0]}
    product_y=$(((top + py) / 2))
}

step="a data sheet where pathpdf.txt points at start"
open_viewer toolbar
click "$product_x" "$product_y"
box=$(wait_window "$box_caption")
expect_equal "the missing file message" \
    "Nie ma pliku <<Orv.pdf>> w katalogu $start_pdf_path w menu <<Ustawienia>> wybierz właściwy katalog z plikami .pdf" \
    "$(message_text "$box")"
screenshot sheet-missing
keys "$box" Return
wait_closed "$box_caption"
keys "$viewer_id" Escape
wait_closed "$viewer"
expect_windows "$main_caption"
expect_toolbar

step="store the data sheets' folder in the settings dialog"
keys "$main" alt+u
id=$(wait_window "$settings")
geometry "$id"
# Text1 and OKButton at their places in the dialog's 6030 x 3195 twips.
click $((gx + gw * 3067 / 6030)) $((gy + gh * 3022 / 3195))
keys "$id" ctrl+a
xdotool type --delay 10 "$sheets"
expect_equal "'Wybrana ścieżka:'" "$sheets" "$(read_box "$id")"
screenshot settings-typed
geometry "$id"
click $((gx + gw * 5287 / 6030)) $((gy + gh * 307 / 3195))
wait_closed "$settings"
expect_windows "$main_caption"
printf '"%s/"\r\n' "$sheets" | iconv -f UTF-8 -t WINDOWS-1250 >"$work/expected-pathpdf.txt"
cmp -s "$work/expected-pathpdf.txt" "$app/pathpdf.txt" ||
    fail "pathpdf.txt differs:" "  expected: $(od -An -c "$work/expected-pathpdf.txt")" \
        "  actual:   $(od -An -c "$app/pathpdf.txt")"

step="a data sheet from the stored folder"
open_viewer menu
area_picture "$viewer_id" 10 700 1000 680 "$work/before.png"
click "$product_x" "$product_y"
shown=""
for _ in $(seq 50); do
    area_picture "$viewer_id" 10 700 1000 680 "$work/after.png"
    changed=$(changed_pixels "$work/before.png" "$work/after.png")
    [ "$changed" -gt $(($(pixels_of "$work/after.png") / 20)) ] && { shown=1; break; }
    captions | grep -qxF "$box_caption" && break
    sleep 0.1
done
expect_windows "$main_caption" "$viewer"
[ -n "$shown" ] || fail "the data sheet Orv.pdf is not shown"
screenshot sheet-shown
keys "$viewer_id" Escape
wait_closed "$viewer"
expect_windows "$main_caption"

# --- the end: "Wyjście" in the menu; in later runs on the toolbar, and the main window closed ---

step="end with Wyjście from the menu"
keys "$main" alt+w
expect_exit
cp "$app/pathpdf.txt" "$work/pathpdf-stored.txt"

step="second start, end with Wyjście from the toolbar"
start_program
cmp -s "$work/pathpdf-stored.txt" "$app/pathpdf.txt" || fail "pathpdf.txt was rewritten at start"
click "${toolbar[8]}" "$toolbar_y"
expect_exit

step="third start, the main window closed while the parameter table is open from the toolbar"
start_program
click "${toolbar[2]}" "$toolbar_y"
wait_window "$params" >/dev/null
expect_windows "$main_caption" "$params"
keys "$main" alt+F4
expect_exit

echo "desktop: passed in $(($(date +%s) - begin)) s; screenshots in $screens"
