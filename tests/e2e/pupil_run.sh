#!/usr/bin/env bash
# Goes through the program as a pupil would, in an X server of its own with a window manager:
# the main window, the addition drill, the subtraction drill, closing the main window, and a
# start without a display. It sees the program only as a person does: through the pixels on
# screen and what the window manager knows of the windows.
#
#   pupil_run.sh PROGRAM [--work DIR] [--shots DIR]
#
# --work DIR   where the screenshots and logs go (default: a new temporary folder)
# --shots DIR  also save one picture of each window there (main-window.png,
#              addition-window.png, subtraction-window.png)
#
# On failure it saves a screenshot of the whole screen and prints its path.
set -euo pipefail

program=
work=
shots=
while [ $# -gt 0 ]; do
    case "$1" in
        --work) work=$2; shift 2 ;;
        --shots) shots=$2; shift 2 ;;
        -*) echo "usage: pupil_run.sh PROGRAM [--work DIR] [--shots DIR]" >&2; exit 2 ;;
        *) program=$1; shift ;;
    esac
done
[ -n "$program" ] || { echo "usage: pupil_run.sh PROGRAM [--work DIR] [--shots DIR]" >&2; exit 2; }
[ -x "$program" ] || { echo "e2e: no program at $program" >&2; exit 2; }
for tool in Xvfb openbox xdotool wmctrl xwininfo xprop import convert md5sum; do
    command -v "$tool" >/dev/null || { echo "e2e: $tool is missing (./dev installs it)" >&2; exit 2; }
done

if [ -n "$work" ]; then
    rm -rf "$work"
    mkdir -p "$work"
else
    work=$(mktemp -d "${TMPDIR:-/tmp}/shulin-e2e.XXXXXX")
fi
work=$(cd "$work" && pwd)
[ -z "$shots" ] || { mkdir -p "$shots"; shots=$(cd "$shots" && pwd); }

export LC_ALL=C.UTF-8
# The real X11 platform, whatever the calling environment asks for.
unset QT_QPA_PLATFORM WAYLAND_DISPLAY
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -p -m 0700 "$XDG_RUNTIME_DIR"

# Time limit of every wait for the screen, in tenths of a second; generous for a busy machine.
patience=150

xvfb_pid=
own_display=
wm_pid=
program_pid_file="$work/program.pid"
program_rc_file="$work/program.rc"
step="starting the X server"
shot_no=0
shot=

stop_program() {
    local pid
    [ -f "$program_pid_file" ] || return 0
    pid=$(cat "$program_pid_file")
    rm -f "$program_pid_file"
    [ -n "$pid" ] && kill "$pid" 2>/dev/null || return 0
    for _ in $(seq 50); do
        kill -0 "$pid" 2>/dev/null || return 0
        sleep 0.1
    done
    kill -KILL "$pid" 2>/dev/null || true
}

finish() {
    local status=$?
    if [ "$status" -ne 0 ] && [ -n "$own_display" ]; then
        import -window root "$work/failure.png" 2>/dev/null &&
            echo "e2e: screenshot of the screen at the failure: $work/failure.png" >&2
    fi
    if [ "$status" -ne 0 ] && [ -s "$work/program.log" ]; then
        echo "e2e: the program's output:" >&2
        sed 's/^/    /' "$work/program.log" >&2
    fi
    stop_program
    [ -z "$wm_pid" ] || kill "$wm_pid" 2>/dev/null || true
    [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true
    wait 2>/dev/null || true
    exit "$status"
}
trap finish EXIT
trap 'exit 130' INT TERM

fail() {
    echo "e2e: FAILED while $step: $*" >&2
    exit 1
}

# ---- the X server and the window manager -------------------------------------------------

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq "$patience"); do
    [ -s "$work/display" ] && break
    kill -0 "$xvfb_pid" 2>/dev/null || fail "Xvfb ended: $(tail -3 "$work/xvfb.log")"
    sleep 0.1
done
[ -s "$work/display" ] || fail "Xvfb did not report a display"
own_display=":$(head -1 "$work/display")"
export DISPLAY="$own_display"

step="starting the window manager"
openbox --sm-disable >"$work/openbox.log" 2>&1 &
wm_pid=$!
for _ in $(seq "$patience"); do
    wmctrl -m >/dev/null 2>&1 && break
    sleep 0.1
done
wmctrl -m >/dev/null 2>&1 || fail "openbox did not come up: $(tail -3 "$work/openbox.log")"

# ---- the program --------------------------------------------------------------------------

# Starts the program in the background; its exit code lands in program.rc.
start_program() {
    rm -f "$program_pid_file" "$program_rc_file"
    (
        set +e
        "$program" >>"$work/program.log" 2>&1 &
        echo $! >"$program_pid_file"
        wait $!
        echo $? >"$program_rc_file.tmp"
        mv "$program_rc_file.tmp" "$program_rc_file"
    ) &
    for _ in $(seq "$patience"); do
        [ -s "$program_pid_file" ] && return 0
        sleep 0.1
    done
    fail "the program did not start"
}

# Waits for the program to end and checks its exit code.
expect_exit_code() {
    local want=$1 rc
    for _ in $(seq "$patience"); do
        [ -s "$program_rc_file" ] && break
        sleep 0.1
    done
    [ -s "$program_rc_file" ] || fail "the program is still running"
    rc=$(cat "$program_rc_file")
    rm -f "$program_pid_file"
    [ "$rc" = "$want" ] || fail "exit code $rc, expected $want"
}

# Prints the id of the program's one visible window once its title is the given one.
wait_for_window() {
    local title=$1 pid ids id
    pid=$(cat "$program_pid_file")
    for _ in $(seq "$patience"); do
        ids=$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null || true)
        for id in $ids; do
            if [ "$(xdotool getwindowname "$id" 2>/dev/null)" = "$title" ]; then
                echo "$id"
                return 0
            fi
        done
        sleep 0.1
    done
    fail "no visible window titled \"$title\" (visible: $(wmctrl -l | cut -c 23- | tr '\n' '|'))"
}

wait_until_unmapped() {
    local id=$1
    for _ in $(seq "$patience"); do
        xwininfo -id "$id" 2>/dev/null | grep -q 'Map State: IsUnMapped' && return 0
        sleep 0.1
    done
    fail "window $id is still on screen"
}

# Checks the frame's top-left corner on the screen and the client area's size.
expect_geometry() {
    local id=$1 want_x=$2 want_y=$3 want_w=$4 want_h=$5 info x y w h extents left top
    info=$(xwininfo -id "$id")
    x=$(sed -n 's/.*Absolute upper-left X: *//p' <<<"$info")
    y=$(sed -n 's/.*Absolute upper-left Y: *//p' <<<"$info")
    w=$(sed -n 's/^ *Width: *//p' <<<"$info")
    h=$(sed -n 's/^ *Height: *//p' <<<"$info")
    extents=$(xprop -id "$id" _NET_FRAME_EXTENTS | sed -n 's/.*= *//p')
    [ -n "$extents" ] || fail "the window manager gives no frame extents for $id"
    IFS=', ' read -r left _ top _ <<<"$extents"
    [ "$((x - left)),$((y - top))" = "$want_x,$want_y" ] ||
        fail "frame corner at $((x - left)),$((y - top)), expected $want_x,$want_y"
    [ "${w}x${h}" = "${want_w}x${want_h}" ] || fail "client area ${w}x${h}, expected ${want_w}x${want_h}"
}

# ---- reading the screen -------------------------------------------------------------------

# Takes a picture of a window's client area into $shot.
take_shot() {
    shot_no=$((shot_no + 1))
    shot="$work/shot-$(printf %03d "$shot_no").png"
    import -window "$1" "$shot" 2>/dev/null || fail "cannot take a screenshot of window $1"
}

# The colours in a region (WxH+X+Y) of a picture, as RRGGBB, one a line, the most frequent first.
colours_in() {
    convert "$1" -crop "$2" +repage -depth 8 -format %c histogram:info:- |
        sort -rn | grep -o '#[0-9A-F]\{6\}' | tr -d '#'
}

# How many pixels of a region have the given colour.
pixels_of() {
    convert "$1" -crop "$2" +repage -depth 8 -format %c histogram:info:- |
        awk -v c="#$3" '$3 == c { n = $1 } END { print n + 0 }' | tr -d ':'
}

pixel_at() {
    colours_in "$1" "1x1+$2+$3"
}

# A digest of a region's pixels.
region_digest() {
    convert "$1" -crop "$2" +repage -depth 8 rgb:- | md5sum | cut -d' ' -f1
}

# True when every pixel of the region has one of the given colours.
only_colours() {
    local file=$1 region=$2 c
    shift 2
    for c in $(colours_in "$file" "$region"); do
        [[ " $* " == *" $c "* ]] || return 1
    done
}

# Waits until the window shows the given colour at x, y: it has painted itself.
wait_for_paint() {
    local id=$1 x=$2 y=$3 colour=$4
    for _ in $(seq "$patience"); do
        take_shot "$id"
        [ "$(pixel_at "$shot" "$x" "$y")" = "$colour" ] && { take_shot "$id"; return 0; }
        sleep 0.1
    done
    fail "window $id shows #$(pixel_at "$shot" "$x" "$y") at $x,$y, expected #$colour"
}

expect_pixel() {
    local got
    got=$(pixel_at "$1" "$2" "$3")
    [ "$got" = "$4" ] || fail "$5: pixel $2,$3 is #$got, expected #$4"
}

expect_some() {
    local n
    n=$(pixels_of "$1" "$2" "$3")
    [ "$n" -ge "${5:-20}" ] || fail "$4: $n pixels of #$3 in $2"
}

MONEY_GREEN=C0DCC0
BLUE=0000FF
RED=FF0000
WHITE=FFFFFF
FUCHSIA=FF00FF
AQUA=00FFFF
SKY_BLUE=A6CAF0

click() {
    xdotool mousemove --window "$1" "$2" "$3" click 1
}

# Clicks the middle of a region given as "left top width height".
click_box() {
    local id=$1
    read -r l t w h <<<"$2"
    click "$id" $((l + w / 2)) $((t + h / 2))
}

geom() {
    read -r l t w h <<<"$1"
    echo "${w}x${h}+${l}+${t}"
}

# ---- the main window ----------------------------------------------------------------------

check_main_window() {
    local id=$1 first
    step="checking the main window"
    expect_geometry "$id" 72 94 673 404
    wait_for_paint "$id" 74 130 "$FUCHSIA"
    expect_pixel "$shot" 8 8 "$MONEY_GREEN" "the window's background"
    expect_pixel "$shot" 360 390 "$MONEY_GREEN" "the window's background"
    expect_some "$shot" 325x80+24+32 "$BLUE" "the title in blue"
    expect_pixel "$shot" 74 130 "$FUCHSIA" "the square behind \"＋\""
    expect_some "$shot" 97x97+72+128 "$AQUA" "\"＋\" in aqua"
    expect_pixel "$shot" 218 194 "$FUCHSIA" "the square behind \"－\""
    expect_some "$shot" 97x97+216+192 "$AQUA" "\"－\" in aqua"
    [ "$(colours_in "$shot" 235x349+384+8 | wc -l)" -gt 1000 ] || fail "no photograph at 384,8"
    [ "$(colours_in "$shot" 264x16+56+328 | head -1)" = "$MONEY_GREEN" ] &&
        [ "$(colours_in "$shot" 264x16+56+328 | wc -l)" -gt 3 ] || fail "no credit line at 56,328"

    step="watching the greeting ticker"
    for _ in $(seq "$patience"); do
        take_shot "$id"
        [ "$(pixels_of "$shot" 233x19+384+360 "$RED")" -gt 0 ] && break
        sleep 0.1
    done
    expect_some "$shot" 233x19+384+360 "$RED" "the greeting in red" 1
    first=$(region_digest "$shot" 233x19+384+360)
    [ -z "$shots" ] || cp "$shot" "$shots/main-window.png"
    for _ in $(seq "$patience"); do
        take_shot "$id"
        [ "$(region_digest "$shot" 233x19+384+360)" != "$first" ] && return 0
        sleep 0.1
    done
    fail "the greeting did not move on"
}

# ---- a drill window -----------------------------------------------------------------------

# The layout of the drill window in use, set by use_addition_layout or use_subtraction_layout.
title= outer_x= outer_y= client_w= client_h= question= readout= button= option100= option_over100=
pictures_x= pictures_y= wrong_w= wrong_h= symbol= symbol_box= doc_picture= doc_state=
slots=()

use_addition_layout() {
    title="加法(请选择和的值范围)"
    outer_x=74 outer_y=94 client_w=673 client_h=402
    question="40 128 609 81"
    slots=("40 240 145 49" "200 240 137 49" "360 240 137 49" "520 240 129 49")
    readout="456 56 193 37"
    option100="256 56 56 37"
    option_over100="336 56 76 37"
    button="392 344 113 25"
    pictures_x=128 pictures_y=296 wrong_w=60 wrong_h=45
    symbol="＋" symbol_box="72 128 97 97"
    doc_picture=addition-window.png doc_state=right
}

use_subtraction_layout() {
    title="减法(请选择被减数的值范围)"
    outer_x=72 outer_y=105 client_w=675 client_h=393
    question="24 128 625 73"
    slots=("24 224 137 49" "176 224 153 49" "352 224 145 49" "512 224 137 45")
    readout="400 64 257 41"
    option100="240 64 56 37"
    option_over100="312 64 76 37"
    button="368 320 129 33"
    pictures_x=112 pictures_y=280 wrong_w=80 wrong_h=80
    symbol="－" symbol_box="216 192 97 97"
    doc_picture=subtraction-window.png doc_state=wrong
}

# What the picture area of $shot shows: none, wrong, right, or other.
pictures_seen() {
    local all="109x93+${pictures_x}+${pictures_y}"
    local wrong="${wrong_w}x${wrong_h}+${pictures_x}+${pictures_y}"
    local beside="$((109 - wrong_w))x93+$((pictures_x + wrong_w))+${pictures_y}"
    local below="${wrong_w}x$((93 - wrong_h))+${pictures_x}+$((pictures_y + wrong_h))"
    if only_colours "$shot" "$all" "$MONEY_GREEN"; then
        echo none
    elif only_colours "$shot" "$all" "$RED" "$WHITE"; then
        echo right
    elif only_colours "$shot" "$beside" "$MONEY_GREEN" && only_colours "$shot" "$below" "$MONEY_GREEN" &&
        ! only_colours "$shot" "$wrong" "$RED" "$WHITE" && ! only_colours "$shot" "$wrong" "$MONEY_GREEN"; then
        echo wrong
    else
        echo other
    fi
}

# The question and the four candidates, as one digest.
problem_digest() {
    local s digest
    digest=$(region_digest "$shot" "$(geom "$question")")
    for s in "${slots[@]}"; do
        digest+=$(region_digest "$shot" "$(geom "$s")")
    done
    echo "$digest"
}

# Clicks a range option and waits for the readout to change. Clicks are handled in order,
# so once the new readout shows, every earlier click has been handled too; one more picture
# then shows the window after the whole repaint.
range_now=10
choose_range() {
    local id=$1 option=$2 before
    take_shot "$id"
    before=$(region_digest "$shot" "$(geom "$readout")")
    if [ "$option" = 100 ]; then click_box "$id" "$option100"; else click_box "$id" "$option_over100"; fi
    for _ in $(seq "$patience"); do
        take_shot "$id"
        if [ "$(region_digest "$shot" "$(geom "$readout")")" != "$before" ]; then
            range_now=$option
            take_shot "$id"
            return 0
        fi
        sleep 0.1
    done
    fail "the readout did not change after range option $option"
}

# Makes sure every click so far has been handled, by a change of range.
settle() {
    if [ "$range_now" = 100 ]; then choose_range "$1" ">100"; else choose_range "$1" 100; fi
}

# Picks candidate slot 1..4 and sets seen to what the picture area shows then.
seen=
pick() {
    local id=$1 slot=$2
    click_box "$id" "${slots[$((slot - 1))]}"
    settle "$id"
    seen=$(pictures_seen)
}

next_problem() {
    local id=$1
    click_box "$id" "$button"
    for _ in $(seq "$patience"); do
        take_shot "$id"
        if [ "$(pictures_seen)" = none ]; then
            take_shot "$id"
            return 0
        fi
        sleep 0.1
    done
    fail "the pictures are still there after the next-problem button"
}

check_drill_window() {
    local main_id=$1 id s problem readout_then readout10 attempt slot

    step="clicking \"$symbol\""
    click_box "$main_id" "$symbol_box"
    id=$(wait_for_window "$title")
    wait_until_unmapped "$main_id"

    step="checking the window \"$title\""
    expect_geometry "$id" "$outer_x" "$outer_y" "$client_w" "$client_h"
    read -r l t _ _ <<<"${slots[3]}"
    wait_for_paint "$id" $((l + 1)) $((t + 1)) "$SKY_BLUE"
    expect_pixel "$shot" 4 4 "$MONEY_GREEN" "the window's background"
    expect_some "$shot" "$(geom "$readout")" "$BLUE" "the readout \"范围是10\" in blue"
    expect_some "$shot" "$(geom "$question")" "$RED" "the opening problem in red"
    for s in "${slots[@]}"; do
        read -r l t _ _ <<<"$s"
        expect_pixel "$shot" $((l + 1)) $((t + 1)) "$SKY_BLUE" "the answer box at $l,$t"
        expect_some "$shot" "$(geom "$s")" "$FUCHSIA" "a candidate in the box at $l,$t"
    done
    [ "$(pictures_seen)" = none ] || fail "a picture shows before any pick"
    range_now=10
    readout10=$(region_digest "$shot" "$(geom "$readout")")

    # A wrong pick first. Slot 1 is wrong three times in four; when it is right, the next
    # problem gives another chance.
    step="picking a wrong candidate"
    seen=
    for attempt in $(seq 12); do
        problem=$(problem_digest)
        pick "$id" 1
        [ "$(problem_digest)" = "$problem" ] || fail "a pick or a range option changed the problem"
        case "$seen" in
            wrong) break ;;
            right) next_problem "$id" ;;
            *) fail "after a pick the picture area shows neither picture alone ($seen)" ;;
        esac
    done
    [ "$seen" = wrong ] || fail "slot 1 was right in $attempt problems in a row"
    [ -z "$shots" ] || [ "$doc_state" != wrong ] || cp "$shot" "$shots/$doc_picture"

    step="picking the right candidate after a wrong one"
    for slot in 2 3 4; do
        pick "$id" "$slot"
        case "$seen" in
            right) break ;;
            wrong) ;;
            *) fail "after picking slot $slot the picture area shows $seen" ;;
        esac
    done
    [ "$seen" = right ] || fail "no candidate brought the right picture over the wrong one"
    [ "$(problem_digest)" = "$problem" ] || fail "a pick changed the problem"
    [ -z "$shots" ] || [ "$doc_state" != right ] || cp "$shot" "$shots/$doc_picture"

    step="picking a wrong candidate after the right one"
    pick "$id" 1
    [ "$seen" = right ] || fail "a wrong pick after the right one changed the pictures to $seen"

    step="choosing the range >100"
    [ "$range_now" = ">100" ] || choose_range "$id" ">100"
    [ "$(pictures_seen)" = right ] || fail "a range option changed the pictures"
    expect_some "$shot" "$(geom "$readout")" "$BLUE" "the readout \"范围是>100\" in blue"
    [ "$(region_digest "$shot" "$(geom "$readout")")" != "$readout10" ] || fail "the readout still shows the range 10"

    step="asking for the next problem"
    readout_then=$(region_digest "$shot" "$(geom "$readout")")
    next_problem "$id"
    [ "$(region_digest "$shot" "$(geom "$readout")")" = "$readout_then" ] ||
        fail "the next-problem button changed the readout"
    [ "$(problem_digest)" != "$problem" ] || fail "the next-problem button left the problem as it was"

    step="closing \"$title\" through the window manager"
    wmctrl -i -c "$id"
    expect_exit_code 0
}

# ---- the runs -----------------------------------------------------------------------------

step="starting the program for the addition drill"
start_program
main_id=$(wait_for_window "数林小径")
check_main_window "$main_id"
use_addition_layout
check_drill_window "$main_id"

step="starting the program for the subtraction drill"
start_program
main_id=$(wait_for_window "数林小径")
use_subtraction_layout
check_drill_window "$main_id"

step="closing the main window through the window manager"
start_program
main_id=$(wait_for_window "数林小径")
wmctrl -i -c "$main_id"
expect_exit_code 0

step="starting the program without a display"
rc=0
env -u DISPLAY -u WAYLAND_DISPLAY timeout 60 "$program" >>"$work/program.log" 2>&1 || rc=$?
[ "$rc" = 1 ] || fail "exit code $rc, expected 1"

echo "e2e: the main window, both drills, every way of ending: as a pupil sees them"
