#!/usr/bin/env bash
# End-to-end test of the program around the animation: options and their errors, textures that
# are not files, recordings and how they fail, the benchmark, and the installed program.
#
# Args: PROGRAM BUILD_DIR. Every case runs on one private virtual display; all are run, and
# each mismatch is reported.
set -euo pipefail
program=$(realpath "$1")
build_dir=$(realpath "$2")
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/xsession.sh"

failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
# Runs COMMAND ARGS... (at most 60 s) in the current folder; sets status, out and err.
run() {
    status=0
    /usr/bin/timeout 60 "$@" >"$XS_TMP/out" 2>"$XS_TMP/err" </dev/null || status=$?
    out=$(<"$XS_TMP/out") err=$(<"$XS_TMP/err")
}
# expect STATUS WHAT [ERE]: the last run ended with STATUS and, if given, its stderr matches ERE.
expect() {
    [[ $status == "$1" && $err =~ ${3:-} ]] ||
        fail "$2: status $status (expected $1), stderr: ${err:0:300}"
}
# Prints "width,height,frames" of the clip FILE's video.
probe() {
    ffprobe -v error -count_frames -select_streams v:0 \
        -show_entries stream=width,height,nb_read_frames -of csv=p=0 "$1"
}
# Makes a stand-in ffmpeg in folder NAME running SCRIPT, and prints the folder.
fake_ffmpeg() {
    mkdir -p "$XS_TMP/$1"
    printf '#!/bin/bash\n%s\n' "$2" >"$XS_TMP/$1/ffmpeg" && chmod +x "$XS_TMP/$1/ffmpeg"
    echo "$XS_TMP/$1"
}

xs_start_display
textures=$(xs_texture_folder textures "$build_dir")
cd "$textures"

# Options: help and version to stdout; every command line that cannot run ends with status 2,
# one line naming what is wrong and the usage hint, before any window.
run "$program" --help
expect 0 "--help"
[[ $out == Usage:* && $out == *--record\ FILE* && $out == *Esc* ]] || fail "--help: $out"
run "$program" --version
[[ $status == 0 && $out =~ ^bemo-world\ [0-9]+\.[0-9]+ ]] || fail "--version: $out"
for args in "--fly" "--frames 0 --record c.mp4" "--benchmark ten" "--camera 1,2" \
    "--data $XS_TMP/none" "--record c.avi --frames 2" "--skip 2" "--data"; do
    read -ra words <<<"$args"
    run "$program" "${words[@]}"
    expect 2 "$args"
    [[ $err == "bemo-world: "*"${words[0]}"*$'\n'"Try 'bemo-world --help' for more information." &&
        $(grep -c '' "$XS_TMP/err") == 2 ]] || fail "$args: stderr $err"
done

# A named pipe or a folder in place of a texture counts as a missing file: status 1, at once.
for kind in mkfifo mkdir; do
    folder=$(xs_texture_folder "$kind" "$build_dir" hole.raw)
    "$kind" "$folder/hole.raw"
    run "$program" --data "$folder"
    expect 1 "hole.raw made by $kind"
done

# A short recording: the frames asked for, whole; nothing left beside the clip.
run "$program" --record "$XS_TMP/clip.mp4" --frames 12 --skip 3
expect 0 "recording" "recording: 15/15 frames"
[[ $(probe "$XS_TMP/clip.mp4") == 1024,768,12 ]] || fail "clip.mp4: $(probe "$XS_TMP/clip.mp4")"
run "$program" --record "$XS_TMP/clip.gif" --frames 5
[[ $status == 0 && $(probe "$XS_TMP/clip.gif") == 1024,768,5 ]] || fail "clip.gif: $err"
[[ -z $(ls "$XS_TMP"/*.part 2>/dev/null) ]] || fail "a partial clip is left"

# The clip's second frame is the screen's: an encoder that holds back all but two frames keeps
# the second on screen; among the clip's first frames it is the closest match, and a close one.
held=$(fake_ffmpeg held '{ head -c 4718592; touch "$HELD.held"; until [[ -e $HELD.go ]]; do
    sleep 0.1; done; cat; } | /usr/bin/ffmpeg "$@"')
HELD=$XS_TMP/h PATH=$held:$PATH "$program" --record "$XS_TMP/held.mp4" --frames 4 2>/dev/null &
XS_PROG_PID=$!
xs_poll 60 test -e "$XS_TMP/h.held" && sleep 1 && xs_try_find_window || fail "no held frame"
xs_capture "$XS_TMP/screen.png" || fail "no capture of the held frame"
touch "$XS_TMP/h.go"
wait "$XS_PROG_PID" || fail "held recording: status $?"
XS_PROG_PID=""
for n in 0 1 2; do
    ffmpeg -v error -i "$XS_TMP/held.mp4" -vf "select=eq(n\,$n)" -frames:v 1 "$XS_TMP/frame$n.png"
    differing[n]=$(/usr/bin/compare -metric AE -fuzz 10% "$XS_TMP/screen.png" \
        "$XS_TMP/frame$n.png" null: 2>&1) || true
done
psnr=$(/usr/bin/compare -metric PSNR "$XS_TMP/screen.png" "$XS_TMP/frame1.png" null: 2>&1) || true
((differing[1] < differing[0] && differing[1] < differing[2] && ${psnr%.*} >= 35)) ||
    fail "screen against frames 0 1 2: ${differing[*]} pixels differ, PSNR $psnr"

# Recording failures: reported, status 2 before any window, or non-zero with no file left.
PATH=/usr/local/nothing run "$program" --record "$XS_TMP/c.mp4" --frames 2
expect 2 "no ffmpeg on the PATH" "ffmpeg"
run "$program" --record "$XS_TMP/none/c.mp4" --frames 2
expect 2 "unwritable folder" "cannot be written"
dying=$(fake_ffmpeg dying ': >"${@: -1}"; head -c 3000000 >/dev/null; exit 1')
PATH=$dying:$PATH run "$program" --record "$XS_TMP/dead.mp4" --frames 30
expect 1 "encoder dying part way" "ffmpeg stopped taking frames"
[[ ! -e $XS_TMP/dead.mp4 && ! -e $XS_TMP/dead.mp4.part ]] || fail "the dead encoder left a file"

# Ctrl-C (job control on, so that the background program takes it): a shorter, whole clip.
set -m
"$program" --record "$XS_TMP/cut.mp4" --frames 100000 2>/dev/null &
XS_PROG_PID=$!
set +m
xs_poll 60 test -s "$XS_TMP/cut.mp4.part" && sleep 1
kill -INT "$XS_PROG_PID"
xs_wait_program_exit 30
frames=$(probe "$XS_TMP/cut.mp4")
[[ $XS_PROG_STATUS == 130 && ${frames##*,} -gt 0 && ! -e $XS_TMP/cut.mp4.part ]] ||
    fail "Ctrl-C: status $XS_PROG_STATUS, clip $frames"

# The benchmark: count, median, 95th percentile and worst in ms, frames per second.
run "$program" --benchmark 6
shape=$(sed -E 's/[0-9]+\.[0-9]+/T/g' <<<"$out")
[[ $status == 0 && $shape == $'frames: 6\nmedian: T ms\np95: T ms\nworst: T ms\nfps: T' ]] ||
    fail "benchmark: status $status, output: $out"

# Installed: started from / it finds its textures; from a folder of textures it reads those,
# so a named pipe there ends it with status 1 as the program itself would.
prefix=$XS_TMP/prefix
cmake --install "$build_dir" --prefix "$prefix" >/dev/null || fail "install"
run env -C / "$prefix/bin/bemo-world" --benchmark 2
expect 0 "installed, from /"
run env -C "$XS_TMP/mkfifo" "$prefix/bin/bemo-world"
expect 1 "installed, from a folder of textures"
entry=$prefix/share/applications/bemo-world.desktop
[[ -x $(sed -n 's/^Exec=//p' "$entry") && -s $(sed -n 's/^Icon=//p' "$entry") ]] ||
    fail "desktop entry: $(cat "$entry")"

((failures == 0)) || exit 1
echo "options, textures, recordings, their failures, benchmark and install all as expected"
