#!/usr/bin/env bash
# Browser test: captures the desktop's first frame (build in $1), serves the web build ($2), runs it.
set -euo pipefail
source "$(dirname "$0")/../../scripts/xsession.sh"
xs_start_display
xs_start_program "$1/bemo-world" "$1"
xs_find_window 60
xs_wait_first_frame "$XS_TMP/desktop.png" 90
python3 -u -m http.server --bind 127.0.0.1 --directory "$2" 0 >"$XS_TMP/server.log" 2>&1 &
trap "xs_stop_pid $!; xs_cleanup" EXIT # the desktop program, the server, the display
xs_poll 20 grep -q ' port ' "$XS_TMP/server.log"
url=$(sed -n 's|.*(\(http://127.0.0.1:[0-9]*/\)).*|\1|p' "$XS_TMP/server.log")
node "$(dirname "$0")/browser_test.mjs" "$url" "$XS_TMP/desktop.png"
