#!/usr/bin/env bash
# Start-up and calendar clicks under valgrind's memcheck: no invalid read or write, no use of uninitialised
# memory, no bad free. First the widget tests labelled memcheck (offscreen; none found is a failure), then the
# real program on the sample data under Xvfb, until its main window has shown and its clock has ticked.
# usage: tests/static/valgrind.sh BUILD_DIR    (a normal build, not a sanitizer one)
set -euo pipefail
build=$(readlink -f "${1:-build/release}")
root=$(cd "$(dirname "$0")/../.." && pwd)
. "$root/tests/lib.sh"
work=$(mktemp -d)
trap 'stop_started; rm -rf "$work"' EXIT

QT_QPA_PLATFORM=offscreen ctest --test-dir "$build" -L memcheck -T memcheck --no-tests=error \
    --output-on-failure >"$work/tests.log" 2>&1 || {
    cat "$work/tests.log"
    fail "valgrind: errors in start-up or a click"
}
grep -E "tests passed" "$work/tests.log"

mkdir "$work/data"
cp -R "$root/data/." "$work/data/"
start_xvfb "$work"
(cd "$work/data" && exec valgrind --leak-check=no --suppressions="$root/tests/static/xcb.supp" --log-file="$work/program.log" "$build/app/Daywick") &
program=$!
started $program
# The main window (696 pixels wide; the splash has the same title) shown and the splash gone: start-up is
# over and the event loop runs, the clock's timer, due long before, among its first events.
started_up() {
    local windows
    windows=$(visible_windows Daywick) || return 1
    [ "$(wc -l <<<"$windows")" -eq 1 ] && xdotool getwindowgeometry "$windows" | grep -q 'Geometry: 696x'
}
wait_for 300 started_up || {
    cat "$work/program.log"
    fail "valgrind: the program's main window did not show, or the splash stayed"
}
kill -TERM "$program"
wait "$program" 2>/dev/null || true
grep -q "ERROR SUMMARY: 0 errors" "$work/program.log" || {
    cat "$work/program.log"
    fail "valgrind: errors in the program's start-up"
}
echo "valgrind: start-up and calendar clicks clean"
