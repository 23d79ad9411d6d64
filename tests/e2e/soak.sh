#!/usr/bin/env bash
# Soak test: a minute of animation leaves the program's memory level and Esc still ending it.
# Args: PROGRAM BUILD_DIR. Resident memory (VmRSS) is read 10 s and 60 s after s.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/xsession.sh"

RSS_DRIFT_PERCENT=5 # largest change of VmRSS between the two readings
resident_kb() { awk '$1 == "VmRSS:" { print $2 }' "/proc/$XS_PROG_PID/status"; }

xs_start_display
xs_start_program "$1" "$2"
xs_find_window 60
xs_wait_first_frame "$XS_TMP/start.png" 90
xs_key s
sleep 10
first_kb=$(resident_kb)
sleep 50
last_kb=$(resident_kb) # fails if the program has ended
echo "VmRSS: $first_kb kB after 10 s of animation, $last_kb kB after 60 s"
drift_kb=$((last_kb > first_kb ? last_kb - first_kb : first_kb - last_kb))
if ((drift_kb * 100 > first_kb * RSS_DRIFT_PERCENT)); then
    xs_error "VmRSS moved too far"
    exit 1
fi
xs_end_program
xs_check_ending 0
