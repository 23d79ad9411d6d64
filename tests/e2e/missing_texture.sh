#!/usr/bin/env bash
# End-to-end test: without hole.raw the program ends with status 1, silently, leaving no window.
#
# Args: PROGRAM BUILD_DIR. The other five textures are copied from BUILD_DIR.
set -euo pipefail
program=$1
build_dir=$2
source "$(dirname "${BASH_SOURCE[0]}")/xsession.sh"

xs_start_display
folder="$XS_TMP/without-hole"
mkdir "$folder"
for texture in fire2.raw candy.raw wood.raw fire.raw yant.raw; do
    cp "$build_dir/$texture" "$folder/"
done
xs_start_program "$program" "$folder"
xs_wait_program_exit 60
xs_check_ending 1
echo "ended with status 1, printed nothing, left no window"
