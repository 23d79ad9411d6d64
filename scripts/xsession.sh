# X-session helpers for run.sh and the end-to-end tests: private Xvfb, program, captures, keys.
#
# Source this file. Routines fail with a one-line reason on stderr. State: XS_TMP (scratch
# folder), XS_PROG_PID, XS_PROG_STATUS (once collected), XS_WINDOW, XS_FIRST_FRAME_MS (from
# program start to the first non-black capture). xs_start_display installs traps that end the
# program and the server, and remove XS_TMP, with the calling shell.
# ImageMagick is called by absolute path: /usr/local/bin may hold a stand-in of the same name.

XS_TITLE="the bemo world" # title of the program's one window
export LIBGL_ALWAYS_SOFTWARE=1

xs_now_ms() { date +%s%3N; }
xs_error() { echo "error: $*" >&2; }

# xs_must WHAT COMMAND...: runs COMMAND; its failure goes to the caller's `fail` as WHAT.
xs_must() {
    if ! "${@:2}"; then
        fail "$1"
    fi
}

# Runs "$@" every 0.05 s until it succeeds or TIMEOUT seconds pass.
xs_poll() {
    local deadline=$(($(xs_now_ms) + $1 * 1000))
    shift
    until "$@"; do
        (($(xs_now_ms) < deadline)) || return 1
        sleep 0.05
    done
}

# Starts Xvfb, 1024x768 true colour with a black root window, on a display number it picks
# itself (-displayfd: parallel sessions never collide); exports DISPLAY once it answers. With
# -noreset the server stays up when that first client leaves: a program connecting during the
# reset that would follow is refused ("failed to open display").
xs_start_display() {
    local signal
    XS_TMP=$(mktemp -d "${TMPDIR:-/tmp}/bemo-xsession.XXXXXX") || return 1
    XS_OWNER_PID=$BASHPID
    trap xs_cleanup EXIT
    # shellcheck disable=SC2064 # the signal's name is meant to expand now
    for signal in HUP INT TERM; do trap "xs_on_signal $signal" "$signal"; done
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -br -noreset \
        3>"$XS_TMP/display-number" >"$XS_TMP/xvfb.log" 2>&1 </dev/null &
    XS_XVFB_PID=$!
    xs_poll 20 test -s "$XS_TMP/display-number" ||
        { xs_error "Xvfb did not start: $(tail -n 1 "$XS_TMP/xvfb.log")"; return 1; }
    export DISPLAY=":$(head -n 1 "$XS_TMP/display-number")"
    xs_poll 20 xdpyinfo >/dev/null 2>&1 ||
        { xs_error "display $DISPLAY does not answer"; return 1; }
}

# Starts PROGRAM [ARGS] with FOLDER as its working directory, stdin closed, output kept.
xs_start_program() {
    local program
    program=$(realpath "$1") || return 1
    XS_PROG_OUT="$XS_TMP/program.stdout" XS_PROG_ERR="$XS_TMP/program.stderr"
    XS_PROG_STATUS="" XS_WINDOW="" XS_PROG_START_MS=$(xs_now_ms)
    env -C "$2" "$program" "${@:3}" >"$XS_PROG_OUT" 2>"$XS_PROG_ERR" </dev/null &
    XS_PROG_PID=$!
}

# Makes the folder XS_TMP/NAME holding the textures of BUILD_DIR, less the file LEFT_OUT if given,
# and prints its path.
xs_texture_folder() {
    local folder="$XS_TMP/$1" texture
    mkdir "$folder" || return 1
    for texture in fire2.raw candy.raw wood.raw fire.raw hole.raw yant.raw; do
        [[ $texture == "${3:-}" ]] || cp "$2/$texture" "$folder/" || return 1
    done
    echo "$folder"
}

xs_program_running() { [[ -n ${XS_PROG_PID:-} ]] && kill -0 "$XS_PROG_PID" 2>/dev/null; }
# Collects the exit status of a program that has ended into XS_PROG_STATUS.
xs_collect_status() {
    XS_PROG_STATUS=0
    wait "$XS_PROG_PID" 2>/dev/null || XS_PROG_STATUS=$?
    XS_PROG_PID=""
}

# Waits up to TIMEOUT seconds for the program to end by itself; collects its status.
xs_wait_program_exit() {
    xs_poll "$1" eval '! xs_program_running' ||
        { xs_error "program still running after ${1}s"; return 1; }
    xs_collect_status
}

# Prints the ids of windows titled exactly XS_TITLE (mapped ones only with --onlyvisible).
xs_window_ids() { xdotool search "$@" --name "^${XS_TITLE}\$" 2>/dev/null; }
xs_try_find_window() {
    XS_WINDOW=$(xs_window_ids --onlyvisible | head -n 1)
    [[ -n $XS_WINDOW ]] || ! xs_program_running
}

# Waits up to TIMEOUT seconds for the program's window to be mapped, sets XS_WINDOW and
# gives it the keyboard focus (there is no window manager to do so).
xs_find_window() {
    xs_poll "$1" xs_try_find_window || { xs_error "no window \"$XS_TITLE\" after ${1}s"; return 1; }
    if [[ -z $XS_WINDOW ]]; then
        xs_collect_status
        xs_error "program ended (status $XS_PROG_STATUS), no window: $(head -c 300 "$XS_PROG_ERR")"
        return 1
    fi
    xdotool windowfocus "$XS_WINDOW"
}

# Captures the program's window to an image file (format from the name, e.g. .png).
xs_capture() { /usr/bin/import -silent -window "$XS_WINDOW" "$1" 2>/dev/null; }

# Prints how many pixels differ between images A and B, within REGION (WxH+X+Y) if given.
xs_pixels_differing() {
    local count
    count=$(/usr/bin/compare -metric AE ${3:+-extract "$3"} "$1" "$2" null: 2>&1) || true
    [[ $count =~ ^[0-9]+$ ]] || { xs_error "comparing $1 with $2: $count"; return 1; }
    echo "$count"
}

# xs_capture_differs / xs_capture_same FILE REFERENCE [REGION]: capture the window to FILE;
# true when it differs from REFERENCE within REGION, or when it is the same there.
xs_capture_count() { xs_capture "$1" && xs_pixels_differing "$2" "$1" "${3:-}"; }
xs_capture_differs() { local n; n=$(xs_capture_count "$@") && ((n > 0)); }
xs_capture_same() { local n; n=$(xs_capture_count "$@") && ((n == 0)); }

# True when a capture to NEXT half a second after FILE equals it; else NEXT becomes FILE.
xs_still() { sleep 0.5; xs_capture_same "$2" "$1" || { mv -f "$2" "$1" 2>/dev/null; false; }; }

# Captures the window to FILE until two captures half a second apart are the same, at most
# TIMEOUT seconds: every key sent so far has been drawn and nothing on screen moves.
xs_wait_steady() {
    local next="${1%.*}.next.${1##*.}" # same image format as FILE
    xs_capture "$1" || return 1
    xs_poll "$2" xs_still "$1" "$next" ||
        { xs_error "the picture still changes after ${2}s"; return 1; }
    rm -f "$next"
}

# True once the program has ended or its window, captured to FILE, shows more than black.
xs_try_first_frame() {
    xs_program_running || return 0
    xs_capture "$1" && [[ $(/usr/bin/convert "$1" -format '%[max]' info: 2>/dev/null) != 0 ]]
}

# Captures the window to FILE until it shows more than black, at most TIMEOUT seconds.
xs_wait_first_frame() {
    xs_poll "$2" xs_try_first_frame "$1" || { xs_error "window still black after ${2}s"; return 1; }
    if ! xs_program_running; then
        xs_collect_status
        xs_error "program ended (status $XS_PROG_STATUS) before its first frame"
        return 1
    fi
    XS_FIRST_FRAME_MS=$(($(xs_now_ms) - XS_PROG_START_MS))
}

# Sends key presses (xdotool key names, e.g. s Escape Left) to the program's window.
# XS_KEY_DELAY_MS sets the pause between presses (default 20).
xs_key() { xdotool key --window "$XS_WINDOW" --delay "${XS_KEY_DELAY_MS:-20}" "$@"; }

# Sends keys given as (KEY COUNT ...) pairs, each KEY COUNT times, 1 ms apart.
xs_press_keys() {
    local keys=() n
    while (($# > 1)); do
        for ((n = 0; n < $2; n++)); do keys+=("$1"); done
        shift 2
    done
    XS_KEY_DELAY_MS=1 xs_key "${keys[@]}"
}

# Presses Esc and waits up to TIMEOUT seconds (20) for the program to end. The program acts on
# the press and its window is gone before a release could reach it; the key is released after,
# or the server would repeat it into the next program started on the display.
xs_end_program() {
    xdotool keydown --window "$XS_WINDOW" Escape || return 1
    xs_wait_program_exit "${1:-20}" || return 1
    xdotool keyup Escape
}

# Checks how the program ended: status EXPECTED, nothing on stdout or stderr, no window of
# its title left, mapped or not. Prints each mismatch on stderr and fails if there is one.
xs_check_ending() {
    local errors=()
    [[ $XS_PROG_STATUS == "$1" ]] || errors+=("exit status $XS_PROG_STATUS, expected $1")
    [[ ! -s $XS_PROG_OUT ]] || errors+=("program printed on stdout: $(head -c 300 "$XS_PROG_OUT")")
    [[ ! -s $XS_PROG_ERR ]] || errors+=("program printed on stderr: $(head -c 300 "$XS_PROG_ERR")")
    [[ -z $(xs_window_ids) ]] || errors+=("a window \"$XS_TITLE\" is still there")
    ((${#errors[@]} == 0)) || { printf 'error: %s\n' "${errors[@]}" >&2; return 1; }
}

# On a signal the starting shell exits with 128+signal through its EXIT trap; a child forked
# for a background start, which holds the traps until it execs, just dies of the signal.
xs_on_signal() {
    [[ $BASHPID == "${XS_OWNER_PID:-}" ]] || { trap - EXIT "$1" && kill -s "$1" "$BASHPID"; }
    exit $((128 + $(kill -l "$1")))
}

# Ends process PID, a child of this shell: SIGTERM, SIGKILL after 5 s; never fails.
xs_stop_pid() {
    kill "$1" 2>/dev/null || return 0
    xs_poll 5 eval "! kill -0 $1 2>/dev/null" || kill -KILL "$1" 2>/dev/null || true
    wait "$1" 2>/dev/null || true
}

# The EXIT trap: ends whatever the session started. A child forked for a background start
# holds the trap until it execs, so only the shell that started the session acts.
xs_cleanup() {
    [[ $BASHPID == "${XS_OWNER_PID:-}" ]] || return 0
    [[ -z ${XS_PROG_PID:-} ]] || xs_stop_pid "$XS_PROG_PID"
    [[ -z ${XS_XVFB_PID:-} ]] || xs_stop_pid "$XS_XVFB_PID"
    [[ -z ${XS_TMP:-} ]] || rm -rf "$XS_TMP"
}
