# X-session helpers for run.sh and the end-to-end tests: private Xvfb, program, captures, keys.
#
# Source this file. Routines return non-zero with a one-line reason on stderr when their step
# fails, so callers can write `xs_find_window || fail`. State lives in XS_* variables:
#   XS_TMP           private scratch folder (program output, Xvfb log), removed by xs_cleanup
#   XS_XVFB_PID      the Xvfb server; DISPLAY is exported once it answers
#   XS_PROG_PID      the program; XS_PROG_OUT / XS_PROG_ERR hold what it printed
#   XS_PROG_STATUS   its exit status once collected
#   XS_WINDOW        id of its window
#   XS_FIRST_FRAME_MS  milliseconds from program start to the first non-black capture
# xs_start_display installs an EXIT trap that ends the program and the server.

XS_SCREEN="1024x768x24"       # the program's viewport, true colour
XS_TITLE="the bemo world"     # title of the program's one window
XS_POLL_SECONDS=0.05          # interval of every wait loop
XS_STOP_SECONDS=5             # grace between SIGTERM and SIGKILL when ending a process
XS_STEADY_SECONDS=0.5         # interval of the two equal captures that show a still picture
export LIBGL_ALWAYS_SOFTWARE=1

xs_now_ms() { date +%s%3N; }

# Runs "$@" every XS_POLL_SECONDS until it succeeds or TIMEOUT seconds pass.
xs_poll() {
    local timeout=$1
    shift
    local deadline=$(($(xs_now_ms) + timeout * 1000))
    until "$@"; do
        (($(xs_now_ms) < deadline)) || return 1
        sleep "$XS_POLL_SECONDS"
    done
}

xs_display_answers() { xdpyinfo >/dev/null 2>&1; }

# Starts Xvfb on a display number it picks itself (-displayfd, so parallel sessions never
# collide) with a black root window, and waits until it answers. Arg: timeout seconds (20).
xs_start_display() {
    local timeout=${1:-20}
    XS_TMP=$(mktemp -d "${TMPDIR:-/tmp}/bemo-xsession.XXXXXX") || return 1
    XS_OWNER_PID=$BASHPID
    trap xs_cleanup EXIT
    trap 'xs_on_signal HUP' HUP
    trap 'xs_on_signal INT' INT
    trap 'xs_on_signal TERM' TERM
    Xvfb -displayfd 3 -screen 0 "$XS_SCREEN" -nolisten tcp -br \
        3>"$XS_TMP/display-number" >"$XS_TMP/xvfb.log" 2>&1 </dev/null &
    XS_XVFB_PID=$!
    if ! xs_poll "$timeout" test -s "$XS_TMP/display-number"; then
        echo "error: Xvfb did not start: $(tail -n 1 "$XS_TMP/xvfb.log")" >&2
        return 1
    fi
    export DISPLAY=":$(head -n 1 "$XS_TMP/display-number")"
    if ! xs_poll "$timeout" xs_display_answers; then
        echo "error: display $DISPLAY does not answer" >&2
        return 1
    fi
}

# Starts PROGRAM (made absolute) with FOLDER as its working directory, stdin closed and
# stdout/stderr captured. Extra args go to the program.
xs_start_program() {
    local program folder
    program=$(realpath "$1") || return 1
    folder=$2
    shift 2
    XS_PROG_OUT="$XS_TMP/program.stdout"
    XS_PROG_ERR="$XS_TMP/program.stderr"
    XS_PROG_STATUS=""
    XS_WINDOW=""
    XS_PROG_START_MS=$(xs_now_ms)
    env -C "$folder" "$program" "$@" >"$XS_PROG_OUT" 2>"$XS_PROG_ERR" </dev/null &
    XS_PROG_PID=$!
}

xs_program_running() { [[ -n ${XS_PROG_PID:-} ]] && kill -0 "$XS_PROG_PID" 2>/dev/null; }
xs_program_ended() { ! xs_program_running; }

# Collects the exit status of a program that has ended into XS_PROG_STATUS.
xs_collect_status() {
    XS_PROG_STATUS=0
    wait "$XS_PROG_PID" 2>/dev/null || XS_PROG_STATUS=$?
    XS_PROG_PID=""
}

# Waits up to TIMEOUT seconds for the program to end by itself and collects its status.
xs_wait_program_exit() {
    local timeout=$1
    if ! xs_poll "$timeout" xs_program_ended; then
        echo "error: program still running after ${timeout}s" >&2
        return 1
    fi
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
    local timeout=$1
    if ! xs_poll "$timeout" xs_try_find_window; then
        echo "error: no window \"$XS_TITLE\" after ${timeout}s" >&2
        return 1
    fi
    if [[ -z $XS_WINDOW ]]; then
        xs_collect_status
        echo "error: program ended (status $XS_PROG_STATUS) before its window appeared" >&2
        head -c 300 "$XS_PROG_ERR" >&2
        return 1
    fi
    xdotool windowfocus "$XS_WINDOW"
}

# Captures the program's window to an image file (format from the name, e.g. .png).
xs_capture() { /usr/bin/import -silent -window "$XS_WINDOW" "$1" 2>/dev/null; }

# True when every pixel of the image is black.
xs_is_black() { [[ $(/usr/bin/convert "$1" -format '%[max]' info: 2>/dev/null) == 0 ]]; }

# Prints how many pixels differ between images A and B, within REGION (WxH+X+Y) if given.
xs_pixels_differing() {
    local count
    count=$(/usr/bin/compare -metric AE ${3:+-extract "$3"} "$1" "$2" null: 2>&1) || true
    [[ $count =~ ^[0-9]+$ ]] || { echo "error: comparing $1 with $2: $count" >&2; return 1; }
    echo "$count"
}

# Captures the window to FILE; true when the capture differs from REFERENCE (within REGION).
xs_capture_differs() {
    local count
    xs_capture "$1" && count=$(xs_pixels_differing "$2" "$1" "${3:-}") && ((count > 0))
}

# Captures the window to FILE; true when the capture equals REFERENCE (within REGION).
xs_capture_same() {
    local count
    xs_capture "$1" && count=$(xs_pixels_differing "$2" "$1" "${3:-}") && ((count == 0))
}

# Captures the window to FILE until two captures XS_STEADY_SECONDS apart are the same, at most
# TIMEOUT seconds: every key sent so far has been drawn and nothing on screen moves.
xs_wait_steady() {
    local file=$1 timeout=$2 count
    local next="${file%.*}.next.${file##*.}" # same image format as FILE
    local deadline=$(($(xs_now_ms) + timeout * 1000))
    xs_capture "$file" || return 1
    until sleep "$XS_STEADY_SECONDS" && xs_capture "$next" &&
        count=$(xs_pixels_differing "$file" "$next") && ((count == 0)); do
        mv -f "$next" "$file" 2>/dev/null || true
        if (($(xs_now_ms) >= deadline)); then
            echo "error: the picture still changes after ${timeout}s" >&2
            return 1
        fi
    done
    rm -f "$next"
}

xs_try_first_frame() {
    xs_program_running || return 0
    xs_capture "$1" && ! xs_is_black "$1"
}

# Captures the window to FILE until it shows more than black, at most TIMEOUT seconds;
# sets XS_FIRST_FRAME_MS.
xs_wait_first_frame() {
    local file=$1 timeout=$2
    if ! xs_poll "$timeout" xs_try_first_frame "$file"; then
        echo "error: window still black after ${timeout}s" >&2
        return 1
    fi
    if ! xs_program_running; then
        xs_collect_status
        echo "error: program ended (status $XS_PROG_STATUS) before its first frame" >&2
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

# Presses Esc and waits up to TIMEOUT seconds (default 20) for the program to end; its
# status lands in XS_PROG_STATUS. Only the press is sent: the program acts on it and its
# window is gone before a release could be delivered.
xs_end_program() {
    xdotool keydown --window "$XS_WINDOW" Escape || return 1
    xs_wait_program_exit "${1:-20}"
}

# True when no window titled XS_TITLE exists, mapped or not.
xs_no_window_left() { [[ -z $(xs_window_ids) ]]; }

# Checks how the program ended: status EXPECTED, nothing on stdout or stderr, no window of
# its title left. Prints each mismatch on stderr and fails if there is one.
xs_check_ending() {
    local expected=$1 ok=0
    if [[ $XS_PROG_STATUS != "$expected" ]]; then
        echo "error: exit status $XS_PROG_STATUS, expected $expected" >&2
        ok=1
    fi
    if [[ -s $XS_PROG_OUT ]]; then
        echo "error: program printed on stdout: $(head -c 300 "$XS_PROG_OUT")" >&2
        ok=1
    fi
    if [[ -s $XS_PROG_ERR ]]; then
        echo "error: program printed on stderr: $(head -c 300 "$XS_PROG_ERR")" >&2
        ok=1
    fi
    if ! xs_no_window_left; then
        echo "error: a window \"$XS_TITLE\" is still there" >&2
        ok=1
    fi
    return "$ok"
}

# Signal handler of the session: the starting shell ends through its EXIT trap with the
# usual 128+signal status; a child forked for a background start, which holds these traps
# until it execs, just dies of the signal.
xs_on_signal() {
    local signal=$1
    if [[ ${BASHPID} != "${XS_OWNER_PID:-}" ]]; then
        trap - EXIT "$signal"
        kill -s "$signal" "$BASHPID"
    fi
    exit $((128 + $(kill -l "$signal")))
}

# Ends the process PID that this session started: SIGTERM, then SIGKILL if it is still
# there after XS_STOP_SECONDS, then reaps it. Never fails, so it is safe under `set -e`.
xs_stop_pid() {
    local pid=$1
    kill "$pid" 2>/dev/null || return 0
    xs_poll "$XS_STOP_SECONDS" eval "! kill -0 $pid 2>/dev/null" || kill -KILL "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
}

xs_stop_display() {
    if [[ -n ${XS_XVFB_PID:-} ]]; then
        xs_stop_pid "$XS_XVFB_PID"
    fi
    XS_XVFB_PID=""
}

# Ends whatever this session started; safe to call more than once and from a trap. A
# child forked for a background start holds the trap until it execs, so only the shell
# that started the session acts.
xs_cleanup() {
    [[ ${BASHPID} == "${XS_OWNER_PID:-}" ]] || return 0
    if [[ -n ${XS_PROG_PID:-} ]]; then
        xs_stop_pid "$XS_PROG_PID"
    fi
    XS_PROG_PID=""
    xs_stop_display
    if [[ -n ${XS_TMP:-} ]]; then
        rm -rf "$XS_TMP"
    fi
    XS_TMP=""
}
