#!/usr/bin/env bash
# End-to-end test: Esc ends the running animation with status 0, silently, leaving no window.
#
# Args: PROGRAM BUILD_DIR. The program runs from a fresh folder holding only the six textures
# copied from BUILD_DIR: the counterpart of the missing-texture test, which leaves one out.
set -euo pipefail
program=$1
build_dir=$2
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/xsession.sh"

xs_start_display
folder=$(xs_texture_folder textures "$build_dir")
xs_start_program "$program" "$folder"
xs_find_window 60
xs_wait_first_frame "$XS_TMP/first-frame.png" 90
xs_key s # Esc must also end the program while the animation runs
sleep 1
if ! xs_program_running; then
    xs_collect_status
    echo "program ended (status $XS_PROG_STATUS) after s, before Esc" >&2
    exit 1
fi
xs_end_program
xs_check_ending 0
echo "Esc ended it with status 0, printed nothing, left no window"
