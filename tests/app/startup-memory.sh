#!/usr/bin/env bash
# startup-memory.sh PROGRAM WRITE_LARGEST_PICTURES SAMPLE_DATA: the program's peak memory until its main
# window shows, under Xvfb, once with each of the costliest pictures its limits let through as every picture
# of the folder (the one drawn at start-up is random). Each must stay under 100 MB.
set -euo pipefail
program=$1
writer=$2
sample=$3
. "$(dirname "$(readlink -f "$0")")/../lib.sh"
work=$(mktemp -d)
pid=
trap 'if [ -n "$pid" ]; then stop_process "$pid"; fi; stop_started; rm -rf "$work"' EXIT
limit_kb=$((100 * 1024))

mkdir "$work/pictures"
"$writer" "$work/pictures"
start_xvfb "$work"
for picture in "$work"/pictures/*.jpg; do
    data=$work/data-$(basename "$picture" .jpg)
    mkdir "$data"
    cp -R "$sample/." "$data/"
    for file in "$data"/Picture/*.jpg; do ln -sf "$picture" "$file"; done
    log=$work/$(basename "$picture" .jpg).log
    (cd "$data" && exec "$program") >"$log" 2>&1 &
    pid=$!
    # The main window shows once its start-up, the picture's decoding included, is done.
    wait_for 120 visible_windows Daywick || fail "$(basename "$picture"): the main window did not show: $(cat "$log")"
    peak=$(awk '/^VmHWM:/ { print $2 }' "/proc/$pid/status") || fail "$(basename "$picture"): the program ended: $(cat "$log")"
    stop_process "$pid"
    pid=
    echo "$(basename "$picture"): start-up took $((peak / 1024)) MB at most"
    [ "$peak" -lt "$limit_kb" ] || problem "$(basename "$picture"): start-up took $peak kB, over 100 MB"
done
finish
