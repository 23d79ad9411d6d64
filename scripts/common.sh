# Install and build steps shared by run.sh and test.sh, each announced on one progress line.
#
# Source this file from a script run with `set -euo pipefail`. BEMO_ROOT is the repository.

BEMO_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# Debian packages that building, running and testing need.
BEMO_PACKAGES=(cmake g++ make pkg-config freeglut3-dev libglu1-mesa-dev libgl1-mesa-dev
    libgl1-mesa-dri libgtest-dev xvfb xdotool imagemagick x11-utils ffmpeg help2man
    desktop-file-utils emscripten chromium)
# npm drives the browser test; Node installs from elsewhere bring their own.
command -v npm >/dev/null || BEMO_PACKAGES+=(npm)

BEMO_JOBS=2 # parallel compile jobs: the machines have two cores

bemo_stage() { echo "==> $*"; }

bemo_fail() {
    echo "error: $*" >&2
    exit 1
}

# Runs "$@" with its output in LOG; when it fails, shows the end of the log and fails too.
bemo_logged() {
    local log=$1
    shift
    mkdir -p "$(dirname "$log")"
    if ! "$@" >"$log" 2>&1; then
        tail -n 40 "$log" >&2
        echo "(full output in $log)" >&2
        return 1
    fi
}

bemo_package_installed() {
    dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q '^install ok installed$'
}

# Installs the packages of BEMO_PACKAGES that are missing. As root it uses apt-get; as
# anyone else it prints the command to run and stops.
bemo_install_missing() {
    command -v dpkg-query >/dev/null ||
        bemo_fail "no dpkg here; install these Debian packages by hand: ${BEMO_PACKAGES[*]}"
    local missing=() package
    for package in "${BEMO_PACKAGES[@]}"; do
        bemo_package_installed "$package" || missing+=("$package")
    done
    if ((${#missing[@]} == 0)); then
        bemo_stage "installing: nothing missing"
        return
    fi
    ((EUID == 0)) || bemo_fail "missing packages; as root run: apt-get install -y ${missing[*]}"
    bemo_stage "installing ${missing[*]}"
    local logs="$BEMO_ROOT/build/logs"
    export DEBIAN_FRONTEND=noninteractive
    bemo_logged "$logs/apt-update.log" apt-get update || bemo_fail "apt-get update failed"
    bemo_logged "$logs/apt-install.log" apt-get install -y "${missing[@]}" ||
        bemo_fail "apt-get install failed"
}

# Configures and builds the folder NAME of the repository with the extra CMake options given
# after it; compiler warnings, which the code base keeps at none, are shown. BEMO_CONFIGURE is
# the command that wraps the configure step, if any (emcmake for the web build).
BEMO_CONFIGURE=()
bemo_build() {
    local name=$1
    local dir="$BEMO_ROOT/$name"
    shift
    bemo_stage "building $name/"
    bemo_logged "$dir/logs/configure.log" \
        "${BEMO_CONFIGURE[@]}" cmake -S "$BEMO_ROOT" -B "$dir" "$@" ||
        bemo_fail "configuring $name/ failed"
    bemo_logged "$dir/logs/build.log" cmake --build "$dir" -j "$BEMO_JOBS" ||
        bemo_fail "building $name/ failed"
    grep -A 3 'warning:' "$dir/logs/build.log" >&2 || true
}
