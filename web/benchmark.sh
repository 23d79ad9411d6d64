#!/usr/bin/env bash
# Benchmark of the web build against the desktop program on the same frames: the page's frame
# rate on 180 frames of the default view at its own pace in headless Chromium (software GL,
# frames paced by the browser at 60 a second), an empty page's rate in the same browser, what a
# frame costs the page, and the desktop program's rate on the same frames, unpaced, on Mesa's
# software renderer on a virtual display.
#
# Usage: web/benchmark.sh [DESKTOP_BUILD [WEB_BUILD [FIRST]]], by default build/ and build-web/
# as ./test.sh leaves them, and frames from 2971 of the first round (see web/benchmark.mjs);
# puppeteer-core must be in web/node_modules/ (npm ci --prefix web).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
desktop=$(realpath "${1:-$root/build}")
web=$(realpath "${2:-$root/build-web}")
source "$root/scripts/xsession.sh"
source "$root/web/serve.sh"

first_frame=${3:-2971}
frame_count=180
last_frame=$((first_frame + frame_count - 1))

xs_start_display
serve_folder "$web"
node "$root/web/benchmark.mjs" "$SERVED_URL" "$first_frame" "$frame_count"

# The desktop program's rate: a stand-in glXSwapBuffers, loaded ahead of GL, times the swaps.
cat >"$XS_TMP/timed_swaps.c" <<'SHIM'
/* Times the swaps of frames FIRST to LAST ($TIMED_FRAMES = "FIRST LAST"), printed on stderr. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>

typedef void Swap(void *display, unsigned long drawable);

void glXSwapBuffers(void *display, unsigned long drawable) {
    static Swap *swap;
    static long frame, first, last;
    static struct timespec start;
    struct timespec now;
    if (swap == NULL) {
        swap = (Swap *)dlsym(RTLD_NEXT, "glXSwapBuffers");
        sscanf(getenv("TIMED_FRAMES"), "%ld %ld", &first, &last);
    }
    swap(display, drawable);
    clock_gettime(CLOCK_MONOTONIC, &now);
    frame += 1;
    if (frame == first - 1) {
        start = now;
    } else if (frame == last) {
        double seconds = (now.tv_sec - start.tv_sec) + (now.tv_nsec - start.tv_nsec) / 1e9;
        fprintf(stderr, "desktop, frames %ld to %ld, unpaced: %.1f frames per second\n", first,
                last, (last - first + 1) / seconds);
    }
}
SHIM
cc -O2 -shared -fPIC -o "$XS_TMP/timed_swaps.so" "$XS_TMP/timed_swaps.c" -ldl
TIMED_FRAMES="$first_frame $last_frame" LD_PRELOAD="$XS_TMP/timed_swaps.so" \
    xs_start_program "$desktop/bemo-world" "$desktop" --window --benchmark "$last_frame"
xs_wait_program_exit 1200
grep '^desktop' "$XS_PROG_ERR"
