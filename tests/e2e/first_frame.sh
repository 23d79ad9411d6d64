#!/usr/bin/env bash
# End-to-end test: the first frame on a virtual display shows wood, the centre nest and the food.
#
# Args: PROGRAM BUILD_DIR FRAME_CHECK. The program runs from BUILD_DIR, where the build puts
# its textures. A failing capture is kept as first-frame.png in the working directory.
set -euo pipefail
program=$1
build_dir=$2
frame_check=$3
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/xsession.sh"

xs_start_display
xs_start_program "$program" "$build_dir"
xs_find_window 60
xs_wait_first_frame "$XS_TMP/first-frame.png" 90
echo "first frame captured ${XS_FIRST_FRAME_MS} ms after start"
/usr/bin/convert "$XS_TMP/first-frame.png" "ppm:$XS_TMP/first-frame.ppm"
if ! "$frame_check" "$XS_TMP/first-frame.ppm"; then
    cp "$XS_TMP/first-frame.png" first-frame.png
    echo "capture kept as $PWD/first-frame.png"
    exit 1
fi
xs_end_program
xs_check_ending 0
