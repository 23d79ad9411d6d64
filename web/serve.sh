# Serving a folder to a browser, for the browser test and the benchmark. Source it after
# scripts/xsession.sh and start the session's display first: the session's end ends the server.

# Serves FOLDER on 127.0.0.1 at a free port until the session ends; SERVED_URL is its address.
serve_folder() {
    python3 -u -m http.server --bind 127.0.0.1 --directory "$1" 0 >"$XS_TMP/server.log" 2>&1 &
    # shellcheck disable=SC2064 # the server's process id is meant to expand now
    trap "xs_stop_pid $!; xs_cleanup" EXIT
    xs_poll 20 grep -q ' port ' "$XS_TMP/server.log"
    SERVED_URL=$(sed -n 's|.*(\(http://127.0.0.1:[0-9]*/\)).*|\1|p' "$XS_TMP/server.log")
}
