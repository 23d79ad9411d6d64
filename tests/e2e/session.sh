#!/usr/bin/env bash
# End-to-end test: a session of the real program on a virtual display, its pace with and without
# --pace 0, then a start without an image.
# Args: PROGRAM BUILD_DIR (holding the images) FRAME_CHECK; failed runs keep session-captures/.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/xsession.sh"
# Where the patrol row at world y = +85 walks in the default view, and ground there that no ant
# crosses early in a round.
PATROL_BAND=1000x44+0+8
QUIET_GROUND=240x140+20+610
WAIT=10 # seconds a key's effect may take to show

fail() {
    echo "error: $*" >&2
    mkdir -p session-captures
    cp "$XS_TMP"/*.png session-captures/
    exit 1
}
same_in() { (($(xs_pixels_differing "$2" "$3" "$1") == 0)); } # AREA A B: no pixel differs there
window_size_is() { [[ $(xdotool getwindowgeometry "$XS_WINDOW") == *"Geometry: $1"* ]]; }
at_most() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a <= b) }'; }
two_rate_lines() { (($(grep -c 'frames/s$' "$XS_PROG_ERR") >= 2)); }
# Sets rate to --fps's frames a second in the second five s after s (the first may start before).
rate_after_s() {
    xs_start_program "$1" "$2" --fps "${@:3}"
    xs_find_window 60
    xs_key s
    xs_must "no frame rate with --fps ${*:3}" xs_poll 30 two_rate_lines
    xs_end_program
    rate=$(awk 'NR == 2 { print $(NF - 1) }' "$XS_PROG_ERR")
}

xs_start_display
cap=$XS_TMP
xs_start_program "$1" "$2"
xs_find_window 60
xs_wait_first_frame "$cap/start.png" 90
/usr/bin/convert "$cap/start.png" "ppm:$cap/start.ppm"
xs_must "the first frame does not show ground, nest and food" "$3" "$cap/start.ppm"

# m: wire-frame ants, the ground as it was; m again: solid ants, the first picture (below).
xs_key m
xs_must "m: no wire" \
    xs_poll $WAIT xs_capture_differs "$cap/wire.png" "$cap/start.png" "$PATROL_BAND"
xs_must "m changed the ground" same_in "$QUIET_GROUND" "$cap/start.png" "$cap/wire.png"
xs_key m

# The camera keys change the picture; 1 brings back the first picture exactly.
xs_press_keys Left 6 Up 4 i 5 o 2 r 3 v 3
xs_must "the camera keys" xs_poll $WAIT xs_capture_differs "$cap/moved.png" "$cap/start.png"
xs_key 1
xs_must "1 did not restore it" xs_poll $WAIT xs_capture_same "$cap/reset.png" "$cap/start.png"

# Tab: a 1000x768 window showing the left part of the same picture.
xs_key Tab
xs_must "Tab gave no 1000x768 window" xs_poll $WAIT window_size_is 1000x768
xs_must "the windowed picture did not settle" xs_wait_steady "$cap/tab.png" $WAIT
xs_must "Tab changed the picture" same_in 1000x768+0+0 "$cap/start.png" "$cap/tab.png"

# s: a second later the patrol ants have moved on, the ground has not; Esc ends it all.
xs_key s
sleep 1
xs_capture "$cap/run-1.png"
sleep 1
xs_must "no patrol ant moved" xs_capture_differs "$cap/run-2.png" "$cap/run-1.png" "$PATROL_BAND"
xs_must "the ground changed while running" same_in "$QUIET_GROUND" "$cap/run-1.png" "$cap/run-2.png"
xs_end_program
xs_must "Esc did not end the running program cleanly" xs_check_ending 0

# The pace: without options at most 61 frames a second; with --pace 0 more, where the benchmark
# shows that the machine draws 75 or more.
rate_after_s "$1" "$2"
paced=$rate
machine=$(env -C "$2" "$1" --benchmark 120 | awk '$1 == "fps:" { print $2 }')
rate_after_s "$1" "$2" --pace 0
echo "frames a second: $paced paced, $rate with --pace 0, $machine in the benchmark"
xs_must "without options: $paced frames a second" at_most "$paced" 61
if at_most 75 "$machine" && at_most "$rate" 61; then
    fail "--pace 0: $rate frames a second where the machine draws $machine"
fi

# Without hole.raw the program ends at once with status 1, silently, leaving no window.
xs_start_program "$1" "$(xs_texture_folder without-hole "$2" hole.raw)"
xs_wait_program_exit 60
xs_must "a missing image did not end the program with status 1" xs_check_ending 1
