#!/usr/bin/env bash
# End-to-end test of the program around the animation (args PROGRAM BUILD_DIR): options, textures,
# recordings and every way they end or fail, the benchmark, the install. The steps share a virtual
# display, which the last takes away; 5 s are allowed where the program promises two.
set -euo pipefail
program=$(realpath "$1")
build_dir=$(realpath "$2")
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/xsession.sh"

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}
# Runs COMMAND ARGS... (at most 60 s) in the current folder; sets status, out and err.
run() {
    status=0
    /usr/bin/timeout 60 "$@" >"$XS_TMP/out" 2>"$XS_TMP/err" </dev/null || status=$?
    out=$(<"$XS_TMP/out")
    err=$(<"$XS_TMP/err")
}
# expect STATUS WHAT [ERE]: the last run ended with STATUS and, if given, its stderr matches ERE.
expect() {
    if [[ $status != "$1" || ! $err =~ ${3:-} ]]; then
        fail "$2: status $status (expected $1), stderr: ${err:0:300}"
    fi
}
# Makes a stand-in ffmpeg in folder NAME that notes its process id and runs SCRIPT; prints NAME.
fake_ffmpeg() {
    mkdir -p "$XS_TMP/$1"
    printf '#!/bin/bash\necho $$ >"%s"\n%s\n' "$XS_TMP/encoder.pid" "$2" >"$XS_TMP/$1/ffmpeg"
    chmod +x "$XS_TMP/$1/ffmpeg"
    echo "$XS_TMP/$1"
}
# check_left WHAT CLIP FRAMES: CLIP holds FRAMES frames ("" none, + some); no CLIP.part, no encoder.
check_left() {
    frames=$(ffprobe -v 0 -count_frames -show_entries stream=nb_read_frames -of csv=p=0 "$2" ||
        true)
    if [[ $3 == + && ! $frames -gt 0 || $3 != + && $frames != "$3" ]]; then
        fail "$1: the clip holds '$frames' frames, expected $3; $(head -c 300 "$XS_TMP/err")"
    fi
    xs_must "$1: $2.part is left" test ! -e "$2.part"
    xs_must "$1: encoder left" test ! -e "/proc/$(cat "$XS_TMP/encoder.pid" 2>/dev/null)/stat"
}
# start_recording ENCODER CLIP: a long recording, ffmpeg from ENCODER, as a job that takes Ctrl-C.
start_recording() {
    set -m
    PATH=$1:$PATH "$program" --record "$2" --frames 100000 2>"$XS_TMP/err" &
    XS_PROG_PID=$!
    set +m
    xs_must "$2: no window" xs_find_window 60
}
# expect_ending SIGNAL CLIP FRAMES: SIGNAL ends it in ending_bound s, status 128 + its number.
expect_ending() {
    kill -s "$1" "$XS_PROG_PID"
    xs_must "$1: still running after $ending_bound s" xs_wait_program_exit "$ending_bound"
    xs_must "$1: status $XS_PROG_STATUS" test "$XS_PROG_STATUS" == $((128 + $(kill -l "$1")))
    check_left "$1" "$2" "$3"
}
part_grown() { (($(stat -c %s "$1") > size)); } # whether FILE has grown past size bytes
program_ticks() { awk '{ print $14 + $15 }' "/proc/$XS_PROG_PID/stat"; } # CPU time used
xs_start_display
echo none >"$XS_TMP/encoder.pid"
watched=$(fake_ffmpeg watched 'exec /usr/bin/ffmpeg "$@"')
stuck=$(fake_ffmpeg stuck 'exec sleep 600')
textures=$(xs_texture_folder textures "$build_dir")
cd "$textures"

# Options: help and version to stdout; every command line that cannot run ends with status 2,
# one line naming what is wrong and the usage hint, before any display is opened. GLUT's own
# options are passed on to it.
run "$program" --help
expect 0 "--help"
xs_must "--help: $out" grep -q -- "--record FILE" "$XS_TMP/out"
run "$program" --version
xs_must "--version: $out" grep -Eqx "bemo-world [0-9]+\.[0-9]+\.[0-9]+" "$XS_TMP/out"
nl=$'\n'
for args in "--fly" "--frames 0 --record c.mp4" "--benchmark ten" "--camera 1,2" \
    "--data $XS_TMP/none" "--record c.avi --frames 2" "--skip 2" "--data"; do
    read -ra words <<<"$args"
    run env -u DISPLAY "$program" "${words[@]}"
    expect 2 "$args" "^bemo-world: [^$nl]*${words[0]}[^$nl]*${nl}Try 'bemo-world --help' for more"
done
run env -u DISPLAY "$program" -display "$DISPLAY" -geometry 10x10+0+0 -sync --benchmark 2
expect 0 "GLUT's options"

# Output that cannot be written fails with status 1.
for args in --help "--benchmark 2"; do
    run sh -c "\"\$0\" $args >/dev/full" "$program"
    expect 1 "$args >/dev/full" "cannot write the output: No space left on device"
done

# A named pipe or a folder in place of a texture counts as a missing file: status 1, at once.
for kind in mkfifo mkdir; do
    folder=$(xs_texture_folder "$kind" "$build_dir" hole.raw)
    "$kind" "$folder/hole.raw"
    run "$program" --data "$folder"
    expect 1 "hole.raw made by $kind"
done

# Recordings: the frames asked for, whole, with every standard stream closed, and under any
# name the shell can pass, even where a stale FILE.part links to another file.
xs_must "standard streams closed" /usr/bin/timeout 60 "$program" --record "$XS_TMP/clip.mp4" \
    --frames 12 --skip 2 <&- >&- 2>&-
check_left "standard streams closed" "$XS_TMP/clip.mp4" 12
echo "kept" >"$XS_TMP/victim"
for name in 12:30.mp4 take-2024-01-01T10:30.mp4 -x.mp4 pipe:1.mp4 "a b%d.gif"; do
    ln -sf "$XS_TMP/victim" "./$name.part"
    run "$program" --record "$name" --frames 3
    expect 0 "recording to $name"
    check_left "recording to $name" "./$name" 3
done
xs_must "a recording wrote through a stale link" grep -qx kept "$XS_TMP/victim"

# Failures before any window, status 2: no ffmpeg, a folder that cannot be written, a folder
# of the clip's name, another user's file in a sticky folder (tried as nobody, by root alone).
mkdir -m 1777 "$XS_TMP/taken.mp4" "$XS_TMP/sticky"
chmod 711 "$XS_TMP"
touch "$XS_TMP/sticky/theirs.mp4"
cases=("env PATH=/none|$XS_TMP/c.mp4|ffmpeg" "env|$XS_TMP/none/c.mp4|be written"
    "env|$XS_TMP/taken.mp4|a folder")
if ((EUID == 0)); then
    cases+=("setpriv --reuid=65534 --regid=65534 --clear-groups|$XS_TMP/sticky/theirs.mp4|sticky")
fi
for case in "${cases[@]}"; do
    IFS='|' read -r runner clip problem <<<"$case"
    run $runner "$program" --record "$clip" --frames 2
    expect 2 "$clip" "$problem"
done
dying=$(fake_ffmpeg dying 'head -c 3000000 >/dev/null; exit 1')
PATH=$dying:$PATH run "$program" --record "$XS_TMP/dead.mp4" --frames 30
expect 1 "encoder dying part way" "ffmpeg stopped taking frames"
check_left "encoder dying part way" "$XS_TMP/dead.mp4" ""
mkdir "$XS_TMP/full"
if mount -t tmpfs -o size=64k tmpfs "$XS_TMP/full" 2>/dev/null; then
    for clip in "$XS_TMP/full/c.mp4" "$XS_TMP/full/c.gif"; do
        run "$program" --record "$clip" --frames 60
        expect 1 "a full disk" "recording $clip failed.*No space left on device"
        check_left "a full disk" "$clip" ""
    done
    umount "$XS_TMP/full"
else
    echo "skipped: the full disk (no tmpfs may be mounted here)"
fi

# SIGTERM, SIGHUP, Ctrl-C: a whole, shorter clip. Meanwhile a second recording of the same clip
# is refused, and a hidden window waits without spinning, and goes on when shown again.
ending_bound=60
for signal in TERM HUP INT; do
    if [[ $signal == TERM ]]; then
        trap '' HUP # the first starts with SIGHUP ignored, as under nohup, and xs_must keep it so
    fi
    start_recording "$watched" "$XS_TMP/$signal.mp4"
    trap - HUP
    xs_must "$signal: nothing recorded" xs_poll 60 test -s "$XS_TMP/$signal.mp4.part"
    if [[ $signal == TERM ]]; then
        kill -s HUP "$XS_PROG_PID"
        run "$program" --record "$XS_TMP/TERM.mp4" --frames 2
        expect 2 "a second recording of one clip" "another bemo-world"
        xdotool windowunmap --sync "$XS_WINDOW"
        ticks=$(program_ticks)
        sleep 2
        xs_must "the hidden window spins" test $(($(program_ticks) - ticks)) -lt 20
        size=$(stat -c %s "$XS_TMP/TERM.mp4.part")
        xdotool windowmap --sync "$XS_WINDOW"
        xs_must "no frame after the window shows" xs_poll 30 part_grown "$XS_TMP/TERM.mp4.part"
    fi
    expect_ending "$signal" "$XS_TMP/$signal.mp4" +
done

# With an encoder that never reads, each of them ends the program and the encoder within 5 s
# and leaves nothing. The program has stopped drawing at a frame the first clip holds, with
# its neighbours: the clip shows the screen's picture, frame by frame.
ending_bound=5
for signal in INT TERM HUP; do
    start_recording "$stuck" "$XS_TMP/stuck.mp4"
    sleep 1
    xs_capture "$XS_TMP/screen.png"
    expect_ending "$signal" "$XS_TMP/stuck.mp4" ""
done
ffmpeg -v error -i "$XS_TMP/clip.mp4" "$XS_TMP/frame%d.png"
for n in {1..12}; do
    differing[n]=$(/usr/bin/compare -metric AE -fuzz 10% "$XS_TMP/screen.png" \
        "$XS_TMP/frame$n.png" null: 2>&1 || true)
done
best=$(printf '%s\n' "${differing[@]}" | grep -n '' | sort -t: -k2,2n -k1,1n | cut -d: -f1 |
    head -n 1)
psnr=$(/usr/bin/compare -metric PSNR "$XS_TMP/screen.png" "$XS_TMP/frame$best.png" null: 2>&1 ||
    true)
if ((best == 1 || best == 12 || ${psnr%.*} < 35 || differing[best + 1] == differing[best])); then
    fail "screen against the clip's frames: ${differing[*]} pixels differ; frame $best, PSNR $psnr"
fi

# Installed under a prefix with a space: the desktop entry is valid, and its command started
# from / finds the installed textures; from a folder of textures the program reads those, so a
# named pipe there ends it with status 1 as the program itself would; `man bemo-world` works.
prefix="$XS_TMP/pre fix"
xs_must "install" cmake --install "$build_dir" --prefix "$prefix" >/dev/null
run env -C "$XS_TMP/mkfifo" "$prefix/bin/bemo-world"
expect 1 "installed, from a folder of textures"
entry=$prefix/share/applications/bemo-world.desktop
xs_must "desktop entry: $(cat "$entry")" desktop-file-validate "$entry"
eval "command=($(sed -n 's/^Exec=//p' "$entry"))"
run env -C / "${command[@]}" --benchmark 2
expect 0 "installed, started from / by the desktop entry's command"
run env -u MANPATH PATH="$prefix/bin:$PATH" MANPAGER=cat man bemo-world
xs_must "man bemo-world: $err" grep -q -- --record "$XS_TMP/out"

# The display goes away during a recording: status 1, nothing left.
start_recording "$watched" "$XS_TMP/lost.mp4"
xs_must "nothing recorded" xs_poll 60 test -s "$XS_TMP/lost.mp4.part"
kill "$XS_XVFB_PID"
xs_must "display lost: still running" xs_wait_program_exit 60
xs_must "display lost: status $XS_PROG_STATUS" test "$XS_PROG_STATUS" == 1
check_left "display lost" "$XS_TMP/lost.mp4" ""

echo "options, textures, recordings, their endings and failures, install: $failures failed"
exit $((failures > 0))
