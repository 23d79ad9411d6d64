#!/usr/bin/env bash
# Browser test: records frames of the desktop program (its build in $1) losslessly, typing keys
# between them, then runs the web build ($2) in headless Chromium against them.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../scripts/xsession.sh"
source "$here/../../web/serve.sh"

# Frames of the first round, each with the key a stand-in ffmpeg types after it ("-": none), whose
# own frame comes next without a step: the first, the fifth, flat; the column walking out with the
# patrol ants on their backs, flat, smooth, wire; the porters carrying, wire, solid, flat.
export SCHEDULE="1:- 5:M 6:- 3000:M 3001:m 3002:- 9800:m 9801:M 9802:-"
xs_start_display
export FRAME_DIR="$XS_TMP/site/frames"
mkdir -p "$FRAME_DIR" "$XS_TMP/encoder"
ln -s "$here/keep_frames.py" "$XS_TMP/encoder/ffmpeg"
PATH="$XS_TMP/encoder:$PATH" xs_start_program "$1/bemo-world" "$1" \
    --record "$FRAME_DIR/clip.mp4" --frames 9802
xs_find_window 60
xs_wait_program_exit 1200

ln -s "$(realpath "$2")" "$XS_TMP/site/world" # served beside the frames
serve_folder "$XS_TMP/site"
node "$here/browser_test.mjs" "${SERVED_URL}world/" $SCHEDULE
