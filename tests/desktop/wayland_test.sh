#!/usr/bin/env bash
# QXM on a Wayland desktop (sway, headless): é typed on the splash in the very
# moment the desktop hands the splash the keyboard must bring up the converter
# window, not crash the program. Qt learns which of its windows has the focus
# a moment after the desktop says so; a key that closes the splash in between
# can leave the closed splash as Qt's focus window just as the converter
# window asks to be activated. Each run lines the key up with the focus: the
# desktop takes the keyboard away from the splash (another workspace), then,
# with QXM frozen, gives it back while é is typed, so that QXM finds both at
# once.
#   wayland_test.sh QXM_BINARY [RUNS]
set -euo pipefail

qxm=$1
runs=${2:-15}
source "$(dirname "${BASH_SOURCE[0]}")/session.sh"

# sway refuses to run as root (as CI runs): there it runs as nobody, in a
# runtime folder of its own that the programs here still reach as root.
sway_dir=$scratch/sway
runtime_dir=$scratch/runtime
log=$scratch/log
mkdir -m 700 "$sway_dir" "$runtime_dir"
printf 'xwayland disable\n' >"$sway_dir/config"
as_user=()
if [[ $(id -u) -eq 0 ]]; then
    chmod o+x "$scratch"
    chown -R nobody:nogroup "$sway_dir"
    as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
fi
start env -u WAYLAND_DISPLAY -u DISPLAY XDG_RUNTIME_DIR="$sway_dir" WLR_BACKENDS=headless WLR_RENDERER=pixman \
    "${as_user[@]}" sway -c "$sway_dir/config" >"$log" 2>&1

sockets_ready() {
    compgen -G "$sway_dir/wayland-[0-9]" >/dev/null && compgen -G "$sway_dir/sway-ipc.*.sock" >/dev/null
}
wait_for 20 sockets_ready || { cat "$log"; echo "FAILED: sway did not start"; exit 1; }
WAYLAND_DISPLAY=$(compgen -G "$sway_dir/wayland-[0-9]" | head -n1)
SWAYSOCK=$(compgen -G "$sway_dir/sway-ipc.*.sock" | head -n1)
export WAYLAND_DISPLAY SWAYSOCK XDG_RUNTIME_DIR=$runtime_dir
export QT_QPA_PLATFORM=wayland LC_ALL=C.UTF-8
unset DISPLAY

# A keyboard for the whole test, so that QXM has one from its start: a key
# from a keyboard that has only just appeared is often lost, as QXM takes up
# the new keyboard only after the key came. (Each wtype below types with a
# keyboard of its own besides.)
start wtype -s 3600000
has_keyboard() { swaymsg -t get_inputs | grep -q '"type": "keyboard"'; }
wait_for 10 has_keyboard || { cat "$log"; echo "FAILED: no keyboard on sway"; exit 1; }

# The splash has no caption: the desktop shows the program's name.
shows() { swaymsg -t get_tree | grep -q "\"name\": \"$1\""; }
splash_title='QXM'
main_title='QXM 1\.0 - www\.quorvel\.example'

for run in $(seq "$runs"); do
    start "$qxm" 2>>"$log"
    qxm_pid=$!
    wait_for 20 shows "$splash_title" || { check "run $run: the splash appears" false; stop "$qxm_pid"; continue; }
    swaymsg -q workspace 2
    # Time for QXM to take in that it lost the keyboard; on a slow machine
    # the run only lines the key up less well.
    sleep 0.3
    kill -STOP "$qxm_pid"
    swaymsg -q workspace 1
    wtype é
    kill -CONT "$qxm_pid"
    wait_for 10 shows "$main_title" || true
    check "run $run: QXM is still running after é on the splash" kill -0 "$qxm_pid"
    check "run $run: the converter window shows" shows "$main_title"
    stop "$qxm_pid"
done
[[ $failures -eq 0 ]] || { echo "sway's and QXM's messages:"; cat "$log"; }
finish
