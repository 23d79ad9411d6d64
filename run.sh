#!/usr/bin/env bash
# Builds the bemo world and runs it: on this display, or on a virtual one that makes pictures.
# Arguments are passed to the program on a display.
set -euo pipefail
source "$(dirname "$0")/scripts/common.sh"

build() {
    bemo_install_missing
    bemo_build build -DBEMO_SANITIZE=OFF -DBEMO_BEHAVIOUR_ONLY=OFF
}

display_answers() { [[ -n ${DISPLAY:-} ]] && xdpyinfo >/dev/null 2>&1; }

# Runs the program from build/, where its textures are, until Esc.
run_on_display() {
    bemo_stage "running bemo-world on $DISPLAY (s starts the animation, Esc ends it)"
    cd "$BEMO_ROOT/build"
    exec ./bemo-world "$@"
}

# Makes stills, a clip and a GIF in snapshots/, emptied of earlier ones first.
make_pictures() {
    local snapshots="$BEMO_ROOT/snapshots"
    mkdir -p "$snapshots"
    rm -f "$snapshots"/*.png "$snapshots"/*.gif "$snapshots"/*.mp4
    "$BEMO_ROOT/scripts/pictures.sh" "$BEMO_ROOT/build" "$snapshots"
    echo "$snapshots"
}

build
if display_answers; then
    run_on_display "$@"
else
    make_pictures
fi
