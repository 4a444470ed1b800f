#!/usr/bin/env bash
# The splash reaches a Wayland screen before start-up's slow steps.
#   SplashOnWayland.sh DAYWICK DATA_DIR
# The real program runs through Qt's own Wayland support under a weston of the test's own (headless, drawn in
# memory, on a black desktop with no panel), on a copy of DATA_DIR. gdb stops it at the first slow step of
# start-up, the day report pass; while it stands there, weston's screenshots must show the splash: a
# 450 x 338 picture, alone on the black screen. Without the splash's flush, the screen stays black until
# start-up ends, and the splash is gone by then.
# Packages: weston qt6-wayland gdb imagemagick (./daywick.sh test installs them).
set -euo pipefail

. "$(dirname "$(readlink -f "$0")")/../lib.sh"

[ $# -eq 2 ] || fail "usage: SplashOnWayland.sh DAYWICK DATA_DIR"
program=$(readlink -f "$1")
data_dir=$(readlink -f "$2")

packages="weston qt6-wayland gdb imagemagick"
need_tools "$packages" weston weston-screenshooter gdb convert
qt_plugins=$(dirname "$(find /usr/lib -path '*qt6/plugins/platforms/libqwayland-generic.so' -print -quit)")
[ -e "$qt_plugins/libqwayland-generic.so" ] ||
    fail "Qt's Wayland platform is missing (packages: $packages; ./daywick.sh test installs them)"

work=$(mktemp -d /tmp/daywick-wayland.XXXXXX)
trap 'stop_started; rm -rf "$work"' EXIT

export XDG_RUNTIME_DIR=$work/run
mkdir -m 700 "$XDG_RUNTIME_DIR"
cp -r "$data_dir" "$work/data"
mkdir "$work/shots"
printf '[core]\nidle-time=0\n[shell]\nbackground-color=0xff000000\npanel-position=none\n' >"$work/weston.ini"

# --debug lets weston-screenshooter take the screen.
weston --config="$work/weston.ini" --backend=headless-backend.so --use-pixman --debug --socket=daywick \
    --width=1024 --height=768 >"$work/weston.log" 2>&1 &
started $!
wait_for 30 test -S "$XDG_RUNTIME_DIR/daywick" || { cat "$work/weston.log" >&2; fail "weston did not start"; }

# Run by gdb while the program stands at the breakpoint: screenshots until one shows the splash, for a
# while, since weston draws in its own time. Writes what the last one showed.
cat >"$work/look.sh" <<'EOF'
#!/usr/bin/env bash
cd "$1"
for ((try = 0; try < 20; try++)); do
    rm -f wayland-screenshot*.png
    weston-screenshooter >/dev/null 2>&1 || true
    shot=$(ls wayland-screenshot*.png 2>/dev/null | head -1)
    if [ -n "$shot" ]; then
        # The box around what is not black, and how many pixels in it are not.
        seen="$(convert "$shot" -format '%@' info: 2>/dev/null) $(convert "$shot" -fill white +opaque black -format '%[fx:round(mean*w*h)]' info:)"
        echo "$seen" >../seen
        case $seen in 450x338+*) exit 0 ;; esac
    fi
    sleep 0.5
done
EOF
chmod +x "$work/look.sh"
cat >"$work/gdb.cmds" <<EOF
set pagination off
set breakpoint pending on
break daywick::Hyoji
run
shell $work/look.sh $work/shots
kill
quit
EOF

(cd "$work/data" && WAYLAND_DISPLAY=daywick QT_QPA_PLATFORM=wayland timeout 120 \
    gdb -q -batch -x "$work/gdb.cmds" "$program" >"$work/gdb.log" 2>&1) || true
grep -q "Breakpoint 1, " "$work/gdb.log" || { cat "$work/gdb.log" >&2; fail "the program never reached the day report pass"; }
[ -s "$work/seen" ] || fail "weston took no screenshot"
read -r box pixels <"$work/seen"
echo "during the pass the screen showed ${box} with ${pixels} pixels that are not black"
# The splash alone: its size, nearly all of it drawn (its text has black in it).
case $box in 450x338+*) ;; *) fail "no splash on the screen during start-up (saw ${box})" ;; esac
[ "$pixels" -gt 140000 ] && [ "$pixels" -le $((450 * 338)) ] || fail "the splash is not whole: ${pixels} pixels"
echo "PASS: the splash is on the Wayland screen during the day report pass"
