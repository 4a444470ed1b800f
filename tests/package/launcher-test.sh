#!/bin/bash
# launcher-test.sh PREFIX CASE: starts the installed launcher PREFIX/bin/daywick as a user would, offscreen,
# in a fresh home directory, and checks that it prepares the user's data directory and runs the program in it.
#   first-start       the data directory is made from the sample (under XDG_DATA_HOME, or ~/.local/share)
#   second-start      a second start keeps what the user added and only puts back what is missing
#   moved-read-only   a copy of the installed tree, moved elsewhere and made read-only, still works
#   two-at-once       two first starts at the same moment both start the program
#   hostile-environment  no HOME, or a relative XDG_DATA_HOME, makes nothing elsewhere
#   full-disk         (root) a first start on a disk too small leaves nothing and says why; the next one works
#   left-behind       what an earlier cut copy left is told file by file, missing files come back, none is
#                     overwritten
#   locked            a lock someone else holds stops the start with a message after a while
# The program runs until it is closed: each start waits until the program runs in the complete data
# directory and is still alive a second later, then kills it.
set -euo pipefail
prefix=$(readlink -f "$1")
case=$2
sample=$prefix/share/daywick
work=$(mktemp -d)
pid=

. "$(dirname "$(readlink -f "$0")")/../lib.sh"

# On a failure, what the launcher said goes with it.
cleanup() {
    local status=$?
    if [ "$status" -ne 0 ] && [ -s "$work/launcher.log" ]; then sed 's/^/  launcher: /' "$work/launcher.log" >&2; fi
    if [ -n "$pid" ]; then kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; fi
    stop_started
    if [ -n "${mounted:-}" ]; then umount "$mounted" 2>/dev/null || true; fi
    chmod -R u+w "$work"
    rm -rf "$work"
}
trap cleanup EXIT

# start LAUNCHER HOME [XDG_DATA_HOME]: a start from the menu, in a session with no display.
start() {
    local launcher=$1 home=$2
    local -a xdg=()
    [ $# -ge 3 ] && xdg=("XDG_DATA_HOME=$3")
    mkdir -p "$home"
    env -u XDG_DATA_HOME -u DISPLAY -u WAYLAND_DISPLAY HOME="$home" QT_QPA_PLATFORM=offscreen "${xdg[@]}" \
        "$launcher" >"$work/launcher.log" 2>&1 &
    pid=$!
}

alive() { [ -e "/proc/$pid" ] && ! grep -q '^[0-9]* ([^)]*) Z' "/proc/$pid/stat"; }

complete() {  # complete DATA_DIR: every file of the sample is there
    (cd "$sample" && find . -type f) | while read -r file; do [ -f "$1/$file" ] || return 1; done
}

# expect_running DATA_DIR PROGRAM: the launcher has become PROGRAM, running in the complete DATA_DIR.
expect_running() {
    local data=$1 program=$2
    for _ in $(seq 600); do
        alive || fail "the launcher ended (status $(wait "$pid"; echo $?)) before the program ran"
        if [ "$(readlink "/proc/$pid/exe")" = "$program" ] && complete "$data"; then break; fi
        sleep 0.1
    done
    [ "$(readlink "/proc/$pid/exe")" = "$program" ] || fail "the launcher never started $program"
    complete "$data" || fail "$data is not complete"
    sleep 1
    alive || fail "the program ended within a second of its start"
    local cwd
    cwd=$(readlink "/proc/$pid/cwd")
    [ "$cwd" = "$data" ] || fail "the program runs in $cwd, not in $data"
}

stop() {
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    pid=
}

# The user's copy must take the birthday dialog's appends, whatever the sample's modes.
expect_writable() {
    local readonly
    readonly=$(find "$1" ! -perm -u+w)
    [ -z "$readonly" ] || fail "not writable by the user: $readonly"
}

launcher=$prefix/bin/daywick
program=$prefix/libexec/daywick/Daywick
case $case in
first-start)
    start "$launcher" "$work/home" "$work/xdg"
    expect_running "$work/xdg/daywick" "$program"
    stop
    diff -r "$sample" "$work/xdg/daywick" >/dev/null || fail "the data directory is not the sample's copy"
    expect_writable "$work/xdg/daywick"
    [ ! -e "$work/home/.local/share/daywick" ] || fail "made ~/.local/share/daywick despite XDG_DATA_HOME"

    start "$launcher" "$work/home2"
    expect_running "$work/home2/.local/share/daywick" "$program"
    stop
    diff -r "$sample" "$work/home2/.local/share/daywick" >/dev/null || fail "not the sample's copy"
    ;;
second-start)
    data=$work/xdg/daywick
    start "$launcher" "$work/home" "$work/xdg"
    expect_running "$data" "$program"
    stop

    # What the birthday dialog does: one Shift_JIS record with CR LF at the end of Tanjyou.txt.
    printf '03151990年試験花子\r\n' | iconv -f UTF-8 -t SHIFT_JIS >>"$data/Tanjyou.txt"
    cp "$data/Tanjyou.txt" "$work/Tanjyou.expected"
    printf 'edited by the user\r\n' >"$data/Readme.txt"
    rm "$data/Picture/image007.jpg"

    start "$launcher" "$work/home" "$work/xdg"
    expect_running "$data" "$program"
    stop
    cmp -s "$work/Tanjyou.expected" "$data/Tanjyou.txt" || fail "the second start changed Tanjyou.txt"
    [ "$(cat "$data/Readme.txt")" = $'edited by the user\r' ] || fail "the second start overwrote Readme.txt"
    cmp -s "$sample/Picture/image007.jpg" "$data/Picture/image007.jpg" || fail "image007.jpg is not back"
    if cmp -s "$sample/Tanjyou.txt" "$work/Tanjyou.expected"; then fail "the record was not appended"; fi
    ;;
moved-read-only)
    # A package's files are read-only to the user; a staged tree may end up anywhere.
    moved=$work/elsewhere/usr
    mkdir -p "$moved"
    cp -a "$prefix/." "$moved/"
    chmod -R a-w "$moved"
    sample=$moved/share/daywick
    start "$moved/bin/daywick" "$work/home" "$work/xdg"
    expect_running "$work/xdg/daywick" "$moved/libexec/daywick/Daywick"
    stop
    expect_writable "$work/xdg/daywick"
    ;;
two-at-once)
    # Two starts at the same moment on a first run (a double click in the menu): both copy under the lock,
    # and both become the program in a complete data directory.
    for round in $(seq 20); do
        home=$work/twice$round
        mkdir -p "$home"
        pids=()
        for copy in 1 2; do
            env -u XDG_DATA_HOME -u DISPLAY -u WAYLAND_DISPLAY HOME="$home" QT_QPA_PLATFORM=offscreen \
                "$launcher" >"$work/launcher$copy.log" 2>&1 &
            pids+=($!)
        done
        for pid in "${pids[@]}"; do
            for _ in $(seq 300); do
                [ "$(readlink "/proc/$pid/exe")" = "$program" ] && break
                [ -e "/proc/$pid" ] || break
                sleep 0.1
            done
            [ "$(readlink "/proc/$pid/exe")" = "$program" ] ||
                fail "round $round: a launcher did not start the program: $(cat "$work"/launcher?.log)"
        done
        complete "$home/.local/share/daywick" || fail "round $round: the data directory is not complete"
        for pid in "${pids[@]}"; do kill "$pid"; wait "$pid" 2>/dev/null || true; done
    done
    ;;
hostile-environment)
    # A relative XDG_DATA_HOME is ignored, as the XDG rules say: it would make a data directory under
    # whatever directory the launcher happens to start in.
    mkdir -p "$work/somewhere"
    (cd "$work/somewhere" && start "$launcher" "$work/home" "relative/xdg" && expect_running "$work/home/.local/share/daywick" "$program" && stop)
    [ -z "$(ls -A "$work/somewhere")" ] || fail "a relative XDG_DATA_HOME made $(ls -A "$work/somewhere") in the working directory"

    # No home, or an empty one (as root that would be /.local/share): a clear message and status 1.
    for home in unset empty; do
        if [ $home = unset ]; then
            (cd "$work/somewhere" && env -u HOME -u XDG_DATA_HOME QT_QPA_PLATFORM=offscreen "$launcher") >"$work/launcher.log" 2>&1 && status=0 || status=$?
        else
            (cd "$work/somewhere" && env -u XDG_DATA_HOME HOME= QT_QPA_PLATFORM=offscreen "$launcher") >"$work/launcher.log" 2>&1 && status=0 || status=$?
        fi
        [ "$status" -eq 1 ] || fail "HOME $home: the launcher ended with status $status, not 1"
        grep -q "HOME is not set" "$work/launcher.log" || fail "HOME $home: no message saying why: $(cat "$work/launcher.log")"
        [ -z "$(ls -A "$work/somewhere")" ] || fail "HOME $home: something was made in the working directory"
    done
    [ ! -e /.local/share/daywick ] || fail "a data directory exists at /.local/share/daywick"
    ;;
full-disk)
    # The sample takes about a megabyte; this disk has half of that.
    [ "$(id -u)" -eq 0 ] || skip "needs root, to mount a small filesystem"
    mounted=$work/small
    mkdir -p "$mounted"
    mount -t tmpfs -o size=512k,mode=0755 tmpfs "$mounted" || skip "cannot mount a tmpfs here"
    status=0
    env -u DISPLAY -u WAYLAND_DISPLAY HOME="$work/home" XDG_DATA_HOME="$mounted" QT_QPA_PLATFORM=offscreen \
        "$launcher" >"$work/launcher.log" 2>&1 || status=$?
    [ "$status" -eq 1 ] || fail "on a full disk the launcher ended with status $status, not 1"
    grep -q "could not be copied into $mounted/daywick (the disk is full: " "$work/launcher.log" ||
        fail "no message saying the disk is full: $(cat "$work/launcher.log")"
    [ -z "$(ls -A "$mounted")" ] || fail "the failed copy left $(ls -A "$mounted")"

    # Room again: the next start copies the whole sample.
    mount -o remount,size=8m "$mounted"
    start "$launcher" "$work/home" "$mounted"
    expect_running "$mounted/daywick" "$program"
    stop
    diff -r "$sample" "$mounted/daywick" >/dev/null || fail "the data directory is not the sample's copy"
    ;;
left-behind)
    # What the launcher before this one left after its copy ran out of room, and a user's own edit.
    data=$work/xdg/daywick
    mkdir -p "$data"
    cp -R --no-preserve=mode "$sample/." "$data/"
    : >"$data/Tanjyou.txt"
    head -c 20010 "$sample/Event.txt" >"$data/Event.txt"
    head -c 4096 "$sample/Picture/image018.jpg" >"$data/Picture/image018.jpg"
    : >"$data/Picture/image019.jpg"
    rm "$data/Picture/image017.jpg"
    # A prefix that ends at a line end is a text the user cut down to whole records.
    head -c "$(grep -b -a -o $'\r' "$sample/Hana.txt" | sed -n '10p' | cut -d: -f1)" "$sample/Hana.txt" >"$data/Hana.txt"
    printf '\r\n' >>"$data/Hana.txt"
    cp "$data/Hana.txt" "$work/Hana.expected"

    start "$launcher" "$work/home" "$work/xdg"
    expect_running "$data" "$program"
    stop
    cmp -s "$sample/Picture/image017.jpg" "$data/Picture/image017.jpg" || fail "image017.jpg is not back"
    [ ! -s "$data/Tanjyou.txt" ] || fail "the empty Tanjyou.txt was overwritten"
    cmp -s "$work/Hana.expected" "$data/Hana.txt" || fail "Hana.txt was changed"
    [ "$(wc -c <"$data/Event.txt")" -eq 20010 ] || fail "Event.txt was changed"
    grep -q "$data/Tanjyou.txt is empty, while the sample's holds $(wc -c <"$sample/Tanjyou.txt") bytes: .*cp '$sample/Tanjyou.txt' '$data/Tanjyou.txt'" "$work/launcher.log" ||
        fail "Tanjyou.txt not told: $(cat "$work/launcher.log")"
    grep -q "$data/Event.txt holds only the first 20010 of the sample's $(wc -c <"$sample/Event.txt") bytes" "$work/launcher.log" ||
        fail "Event.txt not told"
    grep -q "$data/Picture/image018.jpg holds only the first 4096 of" "$work/launcher.log" || fail "image018.jpg not told"
    grep -q "$data/Picture/image019.jpg is empty" "$work/launcher.log" || fail "image019.jpg not told"
    if grep -q "Hana.txt\|image017" "$work/launcher.log"; then fail "a whole or restored file was told"; fi
    ;;
locked)
    # Another program holds the launcher's lock (the directory that holds the data directory) for as long as
    # it likes: the launcher gives up with a message instead of waiting for ever.
    data=$work/xdg/daywick
    mkdir -p "$work/xdg"
    (exec 8<"$work/xdg" && flock 8 && exec sleep 600) &
    started $!
    wait_for 20 sh -c "! flock -n '$work/xdg' true" || fail "the lock was not taken"
    status=0
    env -u DISPLAY -u WAYLAND_DISPLAY HOME="$work/home" XDG_DATA_HOME="$work/xdg" QT_QPA_PLATFORM=offscreen \
        timeout 120 "$launcher" >"$work/launcher.log" 2>&1 || status=$?
    [ "$status" -eq 1 ] || fail "the launcher ended with status $status, not 1: $(cat "$work/launcher.log")"
    grep -q "another program has held a lock on $work/xdg for 10 seconds" "$work/launcher.log" ||
        fail "no message saying why: $(cat "$work/launcher.log")"
    [ ! -e "$data" ] || fail "the data directory was made all the same"
    stop_started

    # A lock on the data directory itself is nobody's business of the launcher's: the program starts.
    start "$launcher" "$work/home" "$work/xdg"
    expect_running "$data" "$program"
    stop
    (exec 8<"$data" && flock 8 && exec sleep 600) &
    started $!
    wait_for 20 sh -c "! flock -n '$data' true" || fail "the lock was not taken"
    start "$launcher" "$work/home" "$work/xdg"
    expect_running "$data" "$program"
    stop
    ;;
*)
    echo "usage: launcher-test.sh PREFIX first-start|second-start|moved-read-only|two-at-once|hostile-environment|full-disk|left-behind|locked" >&2
    exit 2
    ;;
esac
echo "$case: passed"
