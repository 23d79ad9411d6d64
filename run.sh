#!/usr/bin/env bash
# Builds the bemo world and runs it: on this display, or on a virtual one that takes snapshots.
set -euo pipefail
source "$(dirname "$0")/scripts/common.sh"

# What the virtual-display run shows: the animation for a while, then a view zoomed out and
# centred over the three nests (each `o` takes the camera 1 unit back, each arrow pans 0.5).
SERIES_SNAPSHOTS=8
SERIES_INTERVAL_SECONDS=0.5
ZOOMED_SNAPSHOTS=3
ZOOM_OUT_PRESSES=800
CENTRING_PRESSES=40
GIF_FRAME_DELAY=50 # hundredths of a second

bemo_install_missing
bemo_build build -DBEMO_SANITIZE=OFF -DBEMO_BEHAVIOUR_ONLY=OFF
cd "$BEMO_ROOT/build"

if [[ -n ${DISPLAY:-} ]] && xdpyinfo >/dev/null 2>&1; then
    bemo_stage "running bemo-world on $DISPLAY (s starts the animation, Esc ends it)"
    exec ./bemo-world
fi

source "$BEMO_ROOT/tests/e2e/xsession.sh"
snapshots="$BEMO_ROOT/snapshots"
mkdir -p "$snapshots"
rm -f "$snapshots"/*.png "$snapshots"/*.gif

bemo_stage "no display: starting a virtual one"
xs_start_display || exit 1
bemo_stage "running bemo-world on $DISPLAY"
xs_start_program ./bemo-world .
xs_find_window 60 || exit 1
xs_wait_first_frame "$snapshots/00-first-frame.png" 90 || exit 1
bemo_stage "first frame after $XS_FIRST_FRAME_MS ms: 00-first-frame.png"

snap() { xs_capture "$snapshots/$1.png" || bemo_fail "capturing $1.png failed"; }

bemo_stage "s: animation running, $SERIES_SNAPSHOTS snapshots"
xs_key s
for ((i = 1; i <= SERIES_SNAPSHOTS; i++)); do
    sleep "$SERIES_INTERVAL_SECONDS"
    snap "$(printf '%02d-running' "$i")"
done

bemo_stage "o: zoomed out over the three nests, $ZOOMED_SNAPSHOTS snapshots"
centring=$(printf 'Left Up %.0s' $(seq "$CENTRING_PRESSES"))
zooming=$(printf 'o %.0s' $(seq "$ZOOM_OUT_PRESSES"))
# Unquoted on purpose: one key name per word.
XS_KEY_DELAY_MS=1 xs_key $centring $zooming
for ((i = 1; i <= ZOOMED_SNAPSHOTS; i++)); do
    sleep "$SERIES_INTERVAL_SECONDS"
    snap "$(printf '%02d-zoomed-out' $((SERIES_SNAPSHOTS + i)))"
done

bemo_stage "1: camera reset"
xs_key 1
sleep "$SERIES_INTERVAL_SECONDS"
snap "$(printf '%02d-camera-reset' $((SERIES_SNAPSHOTS + ZOOMED_SNAPSHOTS + 1)))"

bemo_stage "making the animated GIF"
convert -delay "$GIF_FRAME_DELAY" -loop 0 "$snapshots"/[0-9]*.png -resize 50% \
    "$snapshots/bemo-world.gif" || bemo_fail "making the animated GIF failed"

bemo_stage "Esc: ending bemo-world"
xs_end_program || exit 1
xs_check_ending 0 || bemo_fail "bemo-world did not end cleanly"
echo "$snapshots"
