#!/usr/bin/env bash
# End to end: Japanese typed through a real input method (ibus with Mozc) reaches Tanjyou.txt.
#   TypeThroughIbus.sh DAYWICK DATA_DIR
# The real program runs under Xvfb with openbox on a copy of DATA_DIR, with a D-Bus session bus, ibus-daemon
# and Mozc of the test's own, in a home and XDG folders of its own: the machine's X server, buses and input
# method settings are not touched. Mozc starts in Hiragana. Through the birthday dialog it checks that
#   - the year box takes keys past the input method: H10 arrives as typed;
#   - the month and day boxes keep the input method, which commits full-width digits, read as the numbers;
#   - romaji in the name box commit as hiragana (tanaka, Enter: たなか) and as kanji (nihon, Space, Enter:
#     日本, the first candidate of a fresh Mozc), and 登録 appends their exact Shift_JIS bytes.
# Mozc will not run as root, so as root the test runs as nobody. Whatever it cannot set up is a failure,
# never a skip.
# Packages: ibus ibus-mozc mozc-server dbus xvfb openbox xdotool xclip (./daywick.sh test installs them).
set -euo pipefail

. "$(dirname "$(readlink -f "$0")")/../lib.sh"

[ $# -eq 2 ] || fail "usage: TypeThroughIbus.sh DAYWICK DATA_DIR"
program=$(readlink -f "$1")
data_dir=$(readlink -f "$2")

packages="ibus ibus-mozc mozc-server dbus xvfb openbox xdotool xclip"
need_tools "$packages" Xvfb openbox xdotool xclip dbus-daemon ibus-daemon ibus iconv setpriv unshare
for file in /usr/share/ibus/component/mozc.xml /usr/lib/mozc/mozc_server; do
    [ -e "$file" ] || fail "$file is missing (packages: $packages; ./daywick.sh test installs them)"
done

if [ "$(id -u)" -eq 0 ]; then
    # Mozc's server and client refuse to work for root, so the test runs as nobody; and in a process namespace
    # of its own, so that nothing it started outlives it, whatever ends it.
    if [ ! -x "$program" ] || [ ! -r "$data_dir/Tanjyou.txt" ]; then fail "$program or $data_dir is missing"; fi
    # Nobody may not read a checkout in root's home: the script, the program and the data go to a folder
    # nobody can read first.
    stage=$(mktemp -d /tmp/daywick-ime-stage.XXXXXX)
    mkdir "$stage/ime"
    cp "$0" "$stage/ime/"
    cp "$(dirname "$(readlink -f "$0")")/../lib.sh" "$stage/"
    cp "$program" "$stage/Daywick"
    cp -R "$data_dir" "$stage/data"
    chmod -R a+rX "$stage"
    run_as_nobody=(setpriv --reuid=nobody --regid=nogroup --clear-groups --
                   bash "$stage/ime/$(basename "$0")" "$stage/Daywick" "$stage/data")
    # (The namespace's first process stays root: a change of user would cancel its death signal.) Where no
    # process namespace can be had (a chroot, whose root is no mount point), the test's own clean-up stops
    # what it started, by pid, as everywhere.
    status=0
    if unshare --pid --fork --kill-child --mount-proc true 2>/dev/null; then
        unshare --pid --fork --kill-child --mount-proc -- bash -c '"$@"; exit $?' bash "${run_as_nobody[@]}" ||
            status=$?
    else
        "${run_as_nobody[@]}" || status=$?
    fi
    rm -rf "$stage"
    exit "$status"
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/daywick-ime.XXXXXX")
# On a failure, what the test saw goes with it. Mozc's engine runs under ibus-daemon and its server under
# the engine: stop_started stops them with it.
stop_all() {
    local status=$?
    # Nothing may stop the clean-up half way, not even a reader of the output gone away.
    set +e
    trap '' PIPE
    if [ "$status" -ne 0 ]; then
        echo "--- what the test saw" >&2
        for log in "$work"/*.log; do
            [ -s "$log" ] && { echo "--- $(basename "$log")"; tail -20 "$log"; } >&2
        done
        if [ -n "${DISPLAY:-}" ]; then
            echo "--- windows on the screen" >&2
            for window in $(xdotool search --onlyvisible --name . 2>/dev/null); do
                xdotool getwindowname "$window" >&2
            done
            if command -v import >/dev/null; then
                shot=$(mktemp --suffix=.png "${TMPDIR:-/tmp}/daywick-ime-failure.XXXXXX")
                import -window root "$shot" 2>/dev/null && echo "--- screenshot: $shot" >&2
            fi
        fi
    fi
    stop_started
    rm -rf "$work"
}
trap stop_all EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

# --- A home, XDG folders and a session of the test's own ---------------------------------------------------
export HOME=$work/home
export XDG_CONFIG_HOME=$HOME/.config XDG_CACHE_HOME=$HOME/.cache XDG_DATA_HOME=$HOME/.local/share
export XDG_STATE_HOME=$HOME/.local/state XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$XDG_CONFIG_HOME/mozc" "$XDG_CACHE_HOME" "$XDG_DATA_HOME" "$XDG_STATE_HOME"
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset DBUS_SESSION_BUS_ADDRESS IBUS_ADDRESS SESSION_MANAGER XMODIFIERS GTK_IM_MODULE QT_QPA_PLATFORM
# ibus writes its address here, and the program's ibus plugin reads it; no one else's settings are read.
export IBUS_ADDRESS_FILE=$work/ibus-address GSETTINGS_BACKEND=memory

# Mozc in a fresh home starts in direct input; this makes it start in Hiragana.
cat >"$XDG_CONFIG_HOME/mozc/ibus_config.textproto" <<'EOF'
engines {
  name : "mozc-jp"
  longname : "Mozc"
  layout : "default"
  layout_variant : ""
  layout_option : ""
  rank : 80
}
active_on_launch: True
EOF

start_xvfb "$work"
start_openbox "$work"

# A session bus that starts nothing on demand, so every process on it is one the test started.
cat >"$work/bus.conf" <<EOF
<busconfig>
  <type>session</type>
  <listen>unix:path=$work/bus</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
EOF
dbus-daemon --nofork --config-file="$work/bus.conf" --print-address=3 3>"$work/bus-address" 2>"$work/dbus.log" &
started $!
wait_for 20 test -s "$work/bus-address" || fail "dbus-daemon did not start"
DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$work/bus-address")
export DBUS_SESSION_BUS_ADDRESS

ibus-daemon --panel=disable --emoji-extension=disable --config=disable --cache=none \
    --address="unix:path=$work/ibus" >"$work/ibus.log" 2>&1 &
started $!
wait_for 30 test -s "$IBUS_ADDRESS_FILE" || fail "ibus-daemon did not start"
# Mozc is the engine of every input context from here on; no panel or settings pick one.
# (ibus 1.5.27 exits with 1 also when it has set the engine.)
mozc_engine() {
    ibus engine mozc-jp || true
    [ "$(ibus engine)" = mozc-jp ]
}
wait_for 30 mozc_engine || fail "ibus did not take Mozc as its engine: $(ibus engine mozc-jp 2>&1)"

# --- The program ------------------------------------------------------------------------------------------
run=$work/data
mkdir -p "$run"
cp -R "$data_dir"/. "$run/"
chmod -R u+w "$run"

(cd "$run" && QT_IM_MODULE=ibus QT_QPA_PLATFORM=xcb exec "$program") >"$work/daywick.log" 2>&1 &
daywick_pid=$!
started "$daywick_pid"

visible() {  # the first visible window of the title; false when there is none
    local ids
    ids=$(visible_windows "$1") || return 1
    echo "${ids%%$'\n'*}"
}
key() { xdotool key --clearmodifiers "$@"; }
dialog_up() {
    visible 誕生日登録 | grep -q . && return 0
    # The menu keys again: the main window may have been behind the splash the last time.
    xdotool windowactivate --sync "$(visible Daywick)" >/dev/null 2>&1 || true
    key alt+e b
    sleep 1
    return 1
}
wait_for 60 visible Daywick || fail "the main window did not appear"
wait_for 30 dialog_up || fail "登録(&E) → 誕生日(&B) did not show the birthday dialog"
dialog=$(visible 誕生日登録)
xdotool windowactivate --sync "$dialog" >/dev/null 2>&1 || true

# The middles of the boxes and of 登録, in the dialog's client area.
declare -A place=([year]="76 60" [month]="176 60" [day]="260 60" [name]="180 124" [register]="157 164")
click() {
    local x y
    read -r x y <<<"${place[$1]}"
    xdotool mousemove --window "$dialog" "$x" "$y" click 1
}

# What the focused box holds, read through the clipboard: select all, copy.
box_text() {
    key ctrl+a ctrl+c
    timeout 5 xclip -o -selection clipboard 2>/dev/null
}
holds() { [ "$(box_text)" = "$1" ]; }

# Types into the focused box as a user does: the keys, then the keys that commit; then what the box holds.
enter() {  # enter BOX TEXT [KEY...] EXPECTED
    local box=$1
    xdotool type --clearmodifiers --delay 40 "$2"
    shift 2
    while [ $# -gt 1 ]; do
        key "$1"
        shift
    done
    wait_for 10 holds "$1" || fail "the $box box holds '$(box_text || true)', not '$1'"
}

tanjyou_changed() { ! cmp -s "$run/Tanjyou.txt" "$work/Tanjyou.before"; }
# Clicks 登録: Tanjyou.txt must be what it was and the record's Shift_JIS bytes with CR LF.
register() {  # register RECORD (UTF-8)
    cp "$run/Tanjyou.txt" "$work/Tanjyou.before"
    cp "$run/Tanjyou.txt" "$work/Tanjyou.expected"
    printf '%s\r\n' "$1" | iconv -f UTF-8 -t CP932 >>"$work/Tanjyou.expected" || fail "no CP932 for '$1'"
    click register
    # The file is renamed into place whole, so the first change is the whole change.
    wait_for 20 tanjyou_changed || fail "登録 appended nothing to Tanjyou.txt for '$1'"
    cmp -s "$run/Tanjyou.txt" "$work/Tanjyou.expected" || fail "Tanjyou.txt ends in
$(tail -c 48 "$run/Tanjyou.txt" | od -An -tx1)
and not in the bytes of '$1':
$(tail -c 48 "$work/Tanjyou.expected" | od -An -tx1)"
    echo "registered: $1"
}

# --- Hiragana --------------------------------------------------------------------------------------------
# The year box gets the keys as typed although Mozc is in Hiragana.
click year
enter year H10 H10
# The month and day boxes keep the input method: Mozc composes full-width digits and Enter commits them.
click month
enter month 12 Return "１２"
click day
enter day 25 Return "２５"
click name
enter name tanaka Return "たなか"
register "12251998年たなか"

# --- Kanji -----------------------------------------------------------------------------------------------
# A registration empties the boxes and puts the focus in the year box, so the next entry starts there.
enter year S40 S40
click month
enter month 3 Return "３"
click day
enter day 8 Return "８"
click name
enter name nihon space Return "日本"
register "03081965年日本"

kill -0 "$daywick_pid" 2>/dev/null || fail "the program ended: $(cat "$work/daywick.log")"
echo "PASSED"
