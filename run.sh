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

# Then the run goes on until the carrier column is out. The first round of every run puts the
# food pile at bearing 115, about 64 units out: the column view centres on the midpoint of its
# route, (29, 13.5) (pan 9 left and 6.5 up), zoomed in to 200 units from the ground. Its
# carriers are the only red things there: pixels whose green is below 0.45 of their red.
# Key lists are (KEY COUNT ...) pairs, as xs_press_keys takes them.
COLUMN_VIEW_KEYS=(Right 18 Up 13 i 100)
COLUMN_REGION=680x300+180+220 # the route, without the nest and the pile
COLUMN_RED_PIXELS=75          # of every other pixel: about three carriers on the route
COLUMN_POLL_SECONDS=1
COLUMN_WAIT_SECONDS=600       # the column's first trip starts about 2,600 frames after s
COLUMN_WATCH_POLLS=6          # polls after the first carriers show; the reddest one is kept
COLUMN_CLOSE_KEYS=(i 50)      # 150 units from the ground, over the middle of the route
# The patrol ants at the end of their walk, turned over, stand around (0, 95).
PATROL_VIEW_KEYS=(1 1 Left 40 Down 150 i 150)

bemo_install_missing
bemo_build build -DBEMO_SANITIZE=OFF -DBEMO_BEHAVIOUR_ONLY=OFF
cd "$BEMO_ROOT/build"

if [[ -n ${DISPLAY:-} ]] && xdpyinfo >/dev/null 2>&1; then
    bemo_stage "running bemo-world on $DISPLAY (s starts the animation, Esc ends it)"
    exec ./bemo-world
fi

source "$BEMO_ROOT/scripts/xsession.sh"
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

# Counts the carrier pixels on the route in every other row and column of a capture.
carrier_pixels() {
    /usr/bin/convert "$1" -crop "$COLUMN_REGION" -sample 50% -fx 'r > 0.3 && g < 0.45 * r' \
        -format '%[fx:round(mean * w * h)]' info:
}

# Polls the column view and keeps as snapshot NAME the capture with the most carrier pixels,
# from the start until COLUMN_WATCH_POLLS polls after the first carriers show.
wait_for_column() {
    local name=$1 capture="$XS_TMP/column.png" best=-1 watched=-1 count
    local deadline=$((SECONDS + COLUMN_WAIT_SECONDS))
    while ((watched < COLUMN_WATCH_POLLS)); do
        if ((SECONDS >= deadline)); then
            echo "warning: no carrier column after ${COLUMN_WAIT_SECONDS}s" >&2
            break
        fi
        sleep "$COLUMN_POLL_SECONDS"
        xs_capture "$capture" || bemo_fail "capturing the column view failed"
        count=$(carrier_pixels "$capture")
        if ((count > best)); then
            best=$count
            cp "$capture" "$snapshots/$name.png"
        fi
        if ((watched >= 0 || count >= COLUMN_RED_PIXELS)); then
            watched=$((watched + 1))
        fi
    done
}

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

later=$((SERIES_SNAPSHOTS + ZOOMED_SNAPSHOTS + 2)) # number of the next snapshot
bemo_stage "waiting for the carrier column between the centre nest and the food"
column_start=$SECONDS
xs_press_keys "${COLUMN_VIEW_KEYS[@]}"
column=$(printf '%02d-carrier-column' "$later")
wait_for_column "$column"
bemo_stage "carrier column after $((SECONDS - column_start)) s more: $column.png"

bemo_stage "i: closer to the column"
xs_press_keys "${COLUMN_CLOSE_KEYS[@]}"
sleep "$SERIES_INTERVAL_SECONDS"
snap "$(printf '%02d-carrier-column-close' $((later + 1)))"

bemo_stage "the patrol ants, turned over on their backs"
xs_press_keys "${PATROL_VIEW_KEYS[@]}"
sleep "$SERIES_INTERVAL_SECONDS"
snap "$(printf '%02d-patrol-ants' $((later + 2)))"

bemo_stage "making the animated GIF"
/usr/bin/convert -delay "$GIF_FRAME_DELAY" -loop 0 "$snapshots"/[0-9]*.png -resize 50% \
    "$snapshots/bemo-world.gif" || bemo_fail "making the animated GIF failed"

bemo_stage "Esc: ending bemo-world"
xs_end_program || exit 1
xs_check_ending 0 || bemo_fail "bemo-world did not end cleanly"
echo "$snapshots"
