#!/usr/bin/env bash
# The program's start-up and a calendar click under valgrind's memcheck, offscreen: no invalid read or write,
# no use of uninitialised memory, no bad free.
# usage: tests/static/valgrind.sh BUILD_DIR    (a normal build, not a sanitizer one)
set -euo pipefail
build=$(readlink -f "${1:-build/release}")
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen

# Start-up and a click, as the widget tests drive them.
valgrind --error-exitcode=1 --leak-check=no -q "$build/tests/app_tests" \
    --gtest_filter='StartupFailures.AllFilesPresentShowsNoBox:MainWindow.ClickingADayShowsItAndBeepsOnce:MainWindow.MonthArrowTakesTheSelectionAlongAndRefreshes' \
    >"$work/tests.log" 2>&1 || { cat "$work/tests.log"; echo "valgrind: errors in start-up or a click"; exit 1; }

# The program itself on the sample data, until it has started and idled a while.
cp -R "$root/data/." "$work/data/" 2>/dev/null || { mkdir -p "$work/data" && cp -R "$root/data/." "$work/data/"; }
(cd "$work/data" && exec valgrind --leak-check=no --log-file="$work/program.log" "$build/app/Daywick") &
program=$!
sleep 20
kill -TERM "$program" 2>/dev/null || true
wait "$program" 2>/dev/null || true
if ! grep -q "ERROR SUMMARY: 0 errors" "$work/program.log"; then
    cat "$work/program.log"
    echo "valgrind: errors in the program's start-up"
    exit 1
fi
echo "valgrind: start-up and a calendar click clean"
