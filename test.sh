#!/usr/bin/env bash
# Builds the bemo world and runs every test, then the behaviour tests again under sanitizers,
# then the web build in a browser.
set -euo pipefail
source "$(dirname "$0")/scripts/common.sh"

failed=() # build folders whose suite failed; the other suite still runs

# Runs the CTest suite of the build folder NAME; a failing test, or no test at all, counts
# as a failure of that suite.
run_tests() {
    local name=$1
    (cd "$BEMO_ROOT/$name" && ctest --output-on-failure --no-tests=error -j "$BEMO_JOBS") ||
        failed+=("$name/")
}

# The browser test drives Chromium through puppeteer-core, installed from web/'s lock file.
install_browser_driver() {
    [[ -d $BEMO_ROOT/web/node_modules/puppeteer-core ]] ||
        bemo_logged "$BEMO_ROOT/build-web/logs/npm.log" \
            npm ci --prefix "$BEMO_ROOT/web" --no-audit --no-fund
}

bemo_install_missing
bemo_build build -DBEMO_SANITIZE=OFF -DBEMO_BEHAVIOUR_ONLY=OFF
bemo_stage "testing build/: all tests"
run_tests build
bemo_build build-asan -DBEMO_SANITIZE=ON -DBEMO_BEHAVIOUR_ONLY=ON
bemo_stage "testing build-asan/: behaviour tests with AddressSanitizer and UBSan"
run_tests build-asan
# A web build that fails counts as a failure of its suite, like a failing test.
if "$BEMO_ROOT/scripts/build-web.sh"; then
    bemo_stage "testing build-web/: the web build in headless Chromium"
    { install_browser_driver && bash "$BEMO_ROOT/tests/web/browser_test.sh" "$BEMO_ROOT/build" \
        "$BEMO_ROOT/build-web"; } || failed+=("build-web/")
else
    failed+=("build-web/")
fi
((${#failed[@]} == 0)) || bemo_fail "tests failed in ${failed[*]}"
bemo_stage "all tests passed"
