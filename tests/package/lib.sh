# Shared by the package tests: a temporary folder, an X server, and the palette of a Ravo
# started on it. Sourced, not run.

id=fi.tervaso.Ravo
tmp=$(mktemp -d)
x_pid=
ravo_pid=

fail() {
    echo "FAILED: $*" >&2
    exit 1
}

# Xvfb chooses a free display itself, so that tests running at the same time never share one.
start_x() {
    Xvfb -displayfd 1 -screen 0 1280x1024x24 -nolisten tcp >"$tmp/display" 2>"$tmp/xvfb.log" &
    x_pid=$!
    local i
    for i in $(seq 100); do
        [ -s "$tmp/display" ] && break
        sleep 0.1
    done
    [ -s "$tmp/display" ] || fail "Xvfb did not start: $(cat "$tmp/xvfb.log")"
    DISPLAY=:$(head -n1 "$tmp/display")
    export DISPLAY
}

# Starts COMMAND with the environment given before it (env's NAME=VALUE words) and waits
# for Ravo's palette, the window named "  Ravo", of that very process: the command ends in
# an exec of the program.
start_ravo() {
    env "$@" >"$tmp/ravo.log" 2>&1 &
    ravo_pid=$!
    local i
    for i in $(seq 200); do
        if xdotool search --onlyvisible --pid "$ravo_pid" --name '^  Ravo$' >/dev/null 2>&1; then
            return 0
        fi
        kill -0 "$ravo_pid" 2>/dev/null || break
        sleep 0.1
    done
    fail "no palette from $*: $(cat "$tmp/ravo.log")"
}

stop_ravo() {
    if [ -n "$ravo_pid" ]; then
        kill "$ravo_pid" 2>/dev/null || true
        wait "$ravo_pid" 2>/dev/null || true
        ravo_pid=
    fi
}

cleanup_x() {
    stop_ravo
    if [ -n "$x_pid" ]; then
        kill "$x_pid" 2>/dev/null || true
        wait "$x_pid" 2>/dev/null || true
    fi
    rm -rf "$tmp"
}

# FILE holds exactly the bytes of the file EXPECTED.
same_bytes() {
    cmp -s "$1" "$2" || fail "$1 is not as expected:
$(cat "$1" 2>&1)
--- expected:
$(cat "$2")"
}
