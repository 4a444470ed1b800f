# What the test, benchmark and build scripts share. Source it: . "$(dirname "$0")/../lib.sh"
# It sets no shell options of its own; the scripts set -euo pipefail themselves.

# Ends the script with a failure.
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Notes a failure and goes on, so that one run lists them all; `finish` ends the script with their count.
failures=0
problem() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}
finish() {
    if [ "$failures" -ne 0 ]; then
        echo "$failures failure(s)" >&2
        exit 1
    fi
}

# need_tools PACKAGES TOOL...: fails naming the first tool not on the PATH and the packages that bring them.
need_tools() {
    local packages=$1 tool
    shift
    for tool in "$@"; do
        command -v "$tool" >/dev/null || fail "$tool is missing (packages: $packages; ./daywick.sh test installs them)"
    done
}

# CTest takes this exit status as "skipped" (the tests set SKIP_RETURN_CODE 77).
skip() {
    echo "SKIPPED: $*"
    exit 77
}

# Runs a command as root: directly when we are root, through sudo otherwise.
as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# wait_for SECONDS COMMAND...: runs the command every tenth of a second until it succeeds; false after the
# deadline.
wait_for() {
    local seconds=$1
    shift
    local tenth
    for ((tenth = 0; tenth < seconds * 10; tenth++)); do
        "$@" >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    return 1
}

# The processes a script started, stopped by `stop_started` (last started, first stopped), each by its own
# process id and with what it started itself, deepest first: a daemon's helpers would outlive it. A process
# is asked to end, then made to after five seconds. Nothing else is ever signalled.
started_pids=()
started() {
    started_pids+=("$1")
}
descendants() {
    local child
    for child in $(ps -o pid= --ppid "$1" 2>/dev/null); do
        descendants "$child"
        echo "$child"
    done
}
stop_process() {
    local tenth
    kill "$1" 2>/dev/null || return 0
    for ((tenth = 0; tenth < 50; tenth++)); do
        kill -0 "$1" 2>/dev/null || break
        sleep 0.1
    done
    kill -KILL "$1" 2>/dev/null || true
    wait "$1" 2>/dev/null || true
}
stop_started() {
    local i pid
    for ((i = ${#started_pids[@]} - 1; i >= 0; i--)); do
        for pid in $(descendants "${started_pids[i]}"); do stop_process "$pid"; done
        stop_process "${started_pids[i]}"
    done
    started_pids=()
}

# start_xvfb WORK_DIR: a private X display, exported as DISPLAY. Xvfb picks a display number nobody uses and
# tells it: another X server on this machine (another test run, another chroot sharing the network
# namespace) could hold any number the lock files would suggest.
# Without -noreset the server resets when its last client leaves, and turns the next one away meanwhile.
start_xvfb() {
    local work=$1
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$work/display" >"$work/xvfb.log" 2>&1 &
    started $!
    wait_for 20 test -s "$work/display" || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
    DISPLAY=:$(head -n 1 "$work/display")
    export DISPLAY
    wait_for 20 xdotool getdisplaygeometry || fail "Xvfb did not answer on $DISPLAY: $(cat "$work/xvfb.log")"
}

# start_openbox WORK_DIR: a window manager on $DISPLAY, managing the screen once it names the current desktop.
start_openbox() {
    local work=$1
    openbox >"$work/openbox.log" 2>&1 &
    started $!
    wait_for 20 xdotool get_desktop || fail "openbox did not start: $(cat "$work/openbox.log")"
}

# visible_windows TITLE: the ids of the visible windows whose title is exactly TITLE; false when none is.
# xdotool's --name matches its pattern against the title as the locale reads it, so a Japanese title never
# matches in the C locale; the titles it prints are the window's own.
visible_windows() {
    local window found=1
    for window in $(xdotool search --onlyvisible --name . 2>/dev/null); do
        if [ "$(xdotool getwindowname "$window" 2>/dev/null)" = "$1" ]; then
            echo "$window"
            found=0
        fi
    done
    return $found
}
