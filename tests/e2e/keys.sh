#!/usr/bin/env bash
# End-to-end test: m, the camera keys, s, Tab and Esc act on the program as the user sees it.
#
# Args: PROGRAM BUILD_DIR. Regions are in the default view: the patrol band is where the row
# of patrol ants at world y = +85 walks; the ground and food regions hold no ant early in a
# round. On failure the captures are kept in keys-captures/ in the working directory.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/xsession.sh"

PATROL_BAND=1024x44+0+8
QUIET_GROUND=240x140+20+610
FOOD_PILE=80x60+746+316
WINDOWED_SIZE=1000x768 # what Tab asks for; the viewport stays 1024 wide, cut off at the right
FULL_SIZE=1024x768
KEY_SECONDS=10 # longest wait for a key's effect to show
# Close-up of the middle patrol ant at world (0, 85): pan 20 right and 65 down, zoom in 360.
ANT_ZOOM_KEYS=(Left 40 Down 130 i 180)
MIN_ANT_PIXELS=3000   # what the solid ants of the close-up cover at least
WIRE_SHARE_PERCENT=85 # what wire ants cover at most, as a share of the solid ants' pixels
CAMERA_KEYS=(Left 6 Up 4 i 5)

fail() {
    echo "error: $*" >&2
    mkdir -p keys-captures && cp "$XS_TMP"/*.png keys-captures/ 2>/dev/null
    exit 1
}

# Prints how many pixels of a close-up stand out from the smooth wood under the ants: the
# difference to a wide horizontal median, thresholded.
ant_pixels() {
    /usr/bin/convert "$1" \( +clone -statistic Median 301x1 \) -compose difference -composite \
        -colorspace gray -threshold 6% -format '%[fx:round(mean*w*h)]' info:
}

# Fails with WHAT unless captures A and B are the same within REGION.
same_in() { (($(xs_pixels_differing "$2" "$3" "$1") == 0)) || fail "$4"; }

window_size_is() { [[ $(xdotool getwindowgeometry "$XS_WINDOW") == *"Geometry: $1"* ]]; }

xs_start_display
cap=$XS_TMP
xs_start_program "$1" "$2"
xs_find_window 60
xs_wait_first_frame "$cap/start.png" 90
xs_wait_steady "$cap/start.png" "$KEY_SECONDS"

# m before the animation starts: the ants turn into wire frames, ground and food stay solid.
xs_key m
xs_poll "$KEY_SECONDS" xs_capture_differs "$cap/wire.png" "$cap/start.png" "$PATROL_BAND" ||
    fail "m did not change the patrol ants"
same_in "$QUIET_GROUND" "$cap/start.png" "$cap/wire.png" "m changed the ground"
same_in "$FOOD_PILE" "$cap/start.png" "$cap/wire.png" "m changed the food pile"

# Close to the ants, wire frames leave much of the solid bodies' pixels to the ground.
xs_press_keys "${ANT_ZOOM_KEYS[@]}"
xs_wait_steady "$cap/close-wire.png" "$KEY_SECONDS" || fail "the close-up did not settle"
xs_key m
xs_poll "$KEY_SECONDS" xs_capture_differs "$cap/close-solid.png" "$cap/close-wire.png" ||
    fail "m did not make the ants solid again"
wire=$(ant_pixels "$cap/close-wire.png")
solid=$(ant_pixels "$cap/close-solid.png")
echo "close-up: solid ants cover $solid pixels, wire ants $wire"
((solid >= MIN_ANT_PIXELS)) || fail "no ant in the close-up ($solid pixels)"
((wire * 100 <= solid * WIRE_SHARE_PERCENT)) || fail "wire ants cover $wire of $solid pixels"
xs_key 1
xs_poll "$KEY_SECONDS" xs_capture_same "$cap/reset.png" "$cap/start.png" ||
    fail "1 did not bring back the start view"

# s: a second later the patrol ants have moved on and the ground has not changed.
xs_key s
sleep 1
xs_capture "$cap/run-1.png"
sleep 1
xs_capture_differs "$cap/run-2.png" "$cap/run-1.png" "$PATROL_BAND" || fail "no patrol ant moved"
same_in "$QUIET_GROUND" "$cap/run-1.png" "$cap/run-2.png" "the ground changed while running"

# s again stops it; pans and zoom change the picture, 1 restores it exactly.
xs_key s
xs_wait_steady "$cap/stopped.png" "$KEY_SECONDS" || fail "s did not stop the animation"
xs_press_keys "${CAMERA_KEYS[@]}"
xs_poll "$KEY_SECONDS" xs_capture_differs "$cap/moved.png" "$cap/stopped.png" ||
    fail "the arrows and i did not change the picture"
xs_key 1
xs_poll "$KEY_SECONDS" xs_capture_same "$cap/restored.png" "$cap/stopped.png" ||
    fail "1 did not restore the picture exactly"

# Tab: a 1000x768 window showing the left part of the same picture. The second Tab asks for
# full screen, which the server reports as a 1024x768 configuration of the window. Without a
# window manager the toolkit then applies the 1000x768 request as well, so only that is checked.
xev -id "$XS_WINDOW" -event structure >"$cap/xev.log" 2>&1 &
xev_pid=$!
sleep 1 # time for xev to select the window's events
xs_key Tab
xs_poll "$KEY_SECONDS" window_size_is "$WINDOWED_SIZE" || fail "Tab gave no $WINDOWED_SIZE window"
xs_wait_steady "$cap/tab.png" "$KEY_SECONDS" || fail "the windowed picture did not settle"
same_in "$WINDOWED_SIZE+0+0" "$cap/stopped.png" "$cap/tab.png" "the picture is not cut off"
xs_key Tab
xs_poll "$KEY_SECONDS" grep -q "width ${FULL_SIZE%x*}, height ${FULL_SIZE#*x}" "$cap/xev.log" ||
    fail "the second Tab did not ask for full screen"
xs_stop_pid "$xev_pid"

xs_end_program
xs_check_ending 0
echo "m, arrows, i, 1, s, Tab and Esc all took effect"
