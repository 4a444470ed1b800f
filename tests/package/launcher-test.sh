#!/bin/bash
# launcher-test.sh PREFIX CASE: starts the installed launcher PREFIX/bin/daywick as a user would, offscreen,
# in a fresh home directory, and checks that it prepares the user's data directory and runs the program in it.
#   first-start       the data directory is made from the sample (under XDG_DATA_HOME, or ~/.local/share)
#   second-start      a second start keeps what the user added and only puts back what is missing
#   moved-read-only   a copy of the installed tree, moved elsewhere and made read-only, still works
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
*)
    echo "usage: launcher-test.sh PREFIX first-start|second-start|moved-read-only|two-at-once|hostile-environment" >&2
    exit 2
    ;;
esac
echo "$case: passed"
