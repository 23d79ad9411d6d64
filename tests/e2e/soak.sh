#!/usr/bin/env bash
# End-to-end test: a minute of animation leaves the program responsive and its memory level.
#
# Args: PROGRAM BUILD_DIR. Resident memory (VmRSS) is read 10 s and 60 s after s; then s must
# still stop the animation and o presses must still change the picture.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/xsession.sh"

FIRST_READING_SECONDS=10
LAST_READING_SECONDS=60
RSS_DRIFT_PERCENT=5 # largest change of VmRSS between the two readings
KEY_SECONDS=10      # longest wait for a key's effect to show

fail() { echo "error: $*" >&2; exit 1; }

# Sleeps until SECONDS after the animation started, then prints the program's VmRSS in kB.
resident_kb_at() {
    local wait_ms=$((animation_start_ms + $1 * 1000 - $(xs_now_ms)))
    ((wait_ms <= 0)) || sleep "$((wait_ms / 1000)).$(printf '%03d' $((wait_ms % 1000)))"
    xs_program_running || fail "the program ended before ${1}s of animation"
    awk '$1 == "VmRSS:" { print $2 }' "/proc/$XS_PROG_PID/status"
}

xs_start_display
xs_start_program "$1" "$2"
xs_find_window 60
xs_wait_first_frame "$XS_TMP/start.png" 90
xs_key s
animation_start_ms=$(xs_now_ms)
first_kb=$(resident_kb_at "$FIRST_READING_SECONDS")
last_kb=$(resident_kb_at "$LAST_READING_SECONDS")
echo "VmRSS: $first_kb kB at ${FIRST_READING_SECONDS}s, $last_kb kB at ${LAST_READING_SECONDS}s"
drift_kb=$((last_kb > first_kb ? last_kb - first_kb : first_kb - last_kb))
((drift_kb * 100 <= first_kb * RSS_DRIFT_PERCENT)) || fail "VmRSS moved over $RSS_DRIFT_PERCENT%"

xs_capture_differs "$XS_TMP/running.png" "$XS_TMP/start.png" || fail "nothing moved on screen"
xs_key s
xs_wait_steady "$XS_TMP/stopped.png" "$KEY_SECONDS" || fail "s did not stop the animation"
xs_press_keys o 10
xs_poll "$KEY_SECONDS" xs_capture_differs "$XS_TMP/zoomed-out.png" "$XS_TMP/stopped.png" ||
    fail "o did not change the picture"
xs_end_program
xs_check_ending 0
echo "still answering keys after ${LAST_READING_SECONDS}s of animation"
