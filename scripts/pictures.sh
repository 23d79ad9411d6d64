#!/usr/bin/env bash
# Makes the pictures of the bemo world on a virtual display: stills of a session driven by keys,
# and, through frame-exact recordings, a clip and a small GIF of the carrier column walking
# out and stills of the column and of the patrol ants.
#
# Args: BUILD_DIR SNAPSHOTS_DIR (an existing folder). The program and its textures come from
# BUILD_DIR.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
source "$BEMO_ROOT/scripts/xsession.sh"
build=$(realpath "$1")
snapshots=$(realpath "$2")
program=$build/bemo-world

# The session: the animation for a while, then a view zoomed out and centred over the three
# nests (each `o` takes the camera 1 unit back, each arrow pans 0.5), then the camera reset.
SERIES_SNAPSHOTS=8
SERIES_INTERVAL_SECONDS=0.5
ZOOMED_SNAPSHOTS=3
ZOOM_OUT_PRESSES=800
CENTRING_PRESSES=40

# Frames count from the start of the animation. The first round of every run puts the food pile
# at bearing 115, 60 units out; carrier 1 leaves the centre nest in frame 2947. The column view
# centres on the middle of the route, (29, 13.5), 200 units from the ground (--camera takes the
# pan and the zoom in the units of the arrow keys and of `i`: right 18, up 13, i 100).
COLUMN_CAMERA=-9,6.5,200
COLUMN_SKIP=2940
COLUMN_FRAMES=720          # 12 s: carriers 1 to 3 on their way out, 4 leaving
COLUMN_STILL_FRAME=700     # of the clip, counted from 0
COLUMN_CLOSE_CROP=512x384+250+200 # the middle of the route in that frame
# The GIF: every other frame, at 30 frames a second (the clip's own speed), 512 pixels wide.
GIF_FILTER="fps=30,scale=512:-1:flags=lanczos,split[a][b];[a]palettegen=stats_mode=diff[p];"
GIF_FILTER+="[b][p]paletteuse=dither=none:diff_mode=rectangle"
# The patrol ants lie on their backs from frame 1290 on, standing around (0, 95).
PATROL_CAMERA=20,-75,300
PATROL_FRAME=1300

snap() { xs_capture "$snapshots/$1.png" || bemo_fail "capturing $1.png failed"; }

# Takes COUNT stills half a second apart, numbered from FIRST and called NAME.
snap_series() {
    local first=$1 count=$2 name=$3 i
    for ((i = 0; i < count; i++)); do
        sleep "$SERIES_INTERVAL_SECONDS"
        snap "$(printf '%02d-%s' $((first + i)) "$name")"
    done
}

session_stills() {
    local zoomed=$((1 + SERIES_SNAPSHOTS)) reset=$((1 + SERIES_SNAPSHOTS + ZOOMED_SNAPSHOTS))
    bemo_stage "a session driven by keys: stills 00 to $reset"
    xs_start_program "$program" "$build"
    xs_find_window 60 || exit 1
    xs_wait_first_frame "$snapshots/00-first-frame.png" 90 || exit 1
    xs_key s
    snap_series 1 "$SERIES_SNAPSHOTS" running
    local centring zooming
    centring=$(printf 'Left Up %.0s' $(seq "$CENTRING_PRESSES"))
    zooming=$(printf 'o %.0s' $(seq "$ZOOM_OUT_PRESSES"))
    # Unquoted on purpose: one key name per word.
    XS_KEY_DELAY_MS=1 xs_key $centring $zooming
    snap_series "$zoomed" "$ZOOMED_SNAPSHOTS" zoomed-out
    xs_key 1
    snap_series "$reset" 1 camera-reset
    xs_end_program || exit 1
    xs_check_ending 0 || bemo_fail "bemo-world did not end cleanly"
}

# Records the clip FILE with the further options given.
record() {
    local file=$1
    shift
    "$program" --data "$build" --record "$file" "$@" || bemo_fail "recording $file failed"
}

# Writes frame N (from 0) of the clip FILE to the image IMAGE.
clip_frame() {
    ffmpeg -v error -y -i "$1" -vf "select=eq(n\,$2)" -frames:v 1 "$3" ||
        bemo_fail "taking frame $2 of $1 failed"
}

column_pictures() {
    local clip="$snapshots/carrier-column.mp4" still="$snapshots/13-carrier-column.png"
    bemo_stage "recording the carrier column walking out: carrier-column.mp4"
    record "$clip" --camera "$COLUMN_CAMERA" --skip "$COLUMN_SKIP" --frames "$COLUMN_FRAMES"
    clip_frame "$clip" "$COLUMN_STILL_FRAME" "$still"
    /usr/bin/convert "$still" -crop "$COLUMN_CLOSE_CROP" +repage \
        "$snapshots/14-carrier-column-close.png" || bemo_fail "cutting the close still failed"
    bemo_stage "a small GIF of it: carrier-column.gif"
    ffmpeg -v error -y -i "$clip" -vf "$GIF_FILTER" "$snapshots/carrier-column.gif" ||
        bemo_fail "making the GIF failed"
}

patrol_picture() {
    bemo_stage "recording the patrol ants on their backs: 15-patrol-ants.png"
    record "$XS_TMP/patrol.mp4" --camera "$PATROL_CAMERA" --skip $((PATROL_FRAME - 1)) --frames 1
    clip_frame "$XS_TMP/patrol.mp4" 0 "$snapshots/15-patrol-ants.png"
}

bemo_stage "no display: starting a virtual one"
xs_start_display || exit 1
session_stills
column_pictures
patrol_picture
