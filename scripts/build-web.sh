#!/usr/bin/env bash
# Builds the bemo world for the browser into build-web/; with `serve`, also serves it locally.
#
# Usage: scripts/build-web.sh [serve [PORT]]. The build is the program's sources with web/'s
# platform, compiled by Debian's emscripten (installed when missing, as for run.sh), and the six
# textures painted by tools/, packed beside it. `serve` then serves build-web/ on 127.0.0.1 at
# PORT (8080 by default) with Python's http.server until interrupted.
set -euo pipefail
source "$(dirname "$0")/common.sh"

web_dir="$BEMO_ROOT/build-web"

BEMO_PACKAGES=(emscripten g++ cmake make python3)
bemo_install_missing

bemo_stage "painting the textures for build-web/"
mkdir -p "$web_dir/textures"
bemo_logged "$web_dir/logs/textures.log" g++ -std=c++17 -O2 -o "$web_dir/make-textures" \
    "$BEMO_ROOT/tools/make_textures.cpp" || bemo_fail "building the texture painter failed"
bemo_logged "$web_dir/logs/textures.log" "$web_dir/make-textures" "$web_dir/textures" ||
    bemo_fail "painting the textures failed"

BEMO_CONFIGURE=(emcmake)
bemo_build build-web -DCMAKE_BUILD_TYPE=Release "-DBEMO_WEB_TEXTURES=$web_dir/textures"

if [[ ${1:-} == serve ]]; then
    port=${2:-8080}
    bemo_stage "serving the bemo world at http://127.0.0.1:$port/ (Ctrl-C ends)"
    exec python3 -m http.server --bind 127.0.0.1 --directory "$web_dir" "$port"
fi
