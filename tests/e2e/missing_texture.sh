#!/usr/bin/env bash
# End-to-end test: without hole.raw the program ends with status 1, silently, leaving no window.
#
# Args: PROGRAM BUILD_DIR. The other five textures are copied from BUILD_DIR.
set -euo pipefail
program=$1
build_dir=$2
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/xsession.sh"

xs_start_display
folder=$(xs_texture_folder without-hole "$build_dir" hole.raw)
xs_start_program "$program" "$folder"
xs_wait_program_exit 60
xs_check_ending 1
echo "ended with status 1, printed nothing, left no window"
