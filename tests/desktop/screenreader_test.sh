#!/usr/bin/env bash
# QXM as a screen reader (Orca) meets it over AT-SPI, on Xvfb with a session
# bus of its own: every part the three windows show has a name, and a stopped
# conversion is announced, once, as a notification that starts showing (what
# Orca reads out), with the message as its name.
#   screenreader_test.sh QXM_BINARY
set -euo pipefail

qxm=$1
here=$(dirname "${BASH_SOURCE[0]}")
source "$here/session.sh"
# pyatspi is Debian's, for Debian's own Python.
atspi=(/usr/bin/python3 "$here/atspi.py")

start_xvfb
unset QT_QPA_PLATFORM WAYLAND_DISPLAY QT_LINUX_ACCESSIBILITY_ALWAYS_ON
export XDG_RUNTIME_DIR=$scratch

# A session bus of the test's own, the services it starts in its group, and
# on it the accessibility bus, switched on as a screen reader switches it on.
start dbus-daemon --session --nofork --print-address=3 3>"$scratch/bus"
wait_for 10 test -s "$scratch/bus"
export DBUS_SESSION_BUS_ADDRESS=$(head -n1 "$scratch/bus")
start /usr/libexec/at-spi-bus-launcher --launch-immediately
for flag in IsEnabled ScreenReaderEnabled; do
    wait_for 5 dbus-send --session --dest=org.a11y.Bus --type=method_call /org/a11y/bus \
        org.freedesktop.DBus.Properties.Set string:org.a11y.Status string:$flag variant:boolean:true || true
done
start "${atspi[@]}" listen >"$scratch/events" 2>&1

# Waits up to 20 seconds for a line of the event log matching an extended
# regular expression.
wait_event() { wait_for 20 grep -qE "$1" "$scratch/events"; }
announcements() {
    grep -cE "^object:state-changed:showing	notification	$(printf '%s' "$1" | sed 's/[][().^$*+?{}|\\]/\\&/g')	1" \
        "$scratch/events" || true
}
# Types text into the focused window and waits until the input box has taken
# its last character: every event the program sent before is logged by then.
type_and_settle() {
    xdotool type --delay 50 "$1"
    wait_event "^object:text-changed:insert	text	Enter your text	[0-9]+	${1: -1}\$"
}

wait_event '^listening'
start "$qxm"
check "the splash shows on the accessibility bus" wait_event '^window:activate	frame	Quorvel Text Generator \(QXM\)'
echo "--- the splash"
check "every part of the splash has a name, in one frame" "${atspi[@]}" check-names

xdotool key x
check "the converter window follows" wait_event '^focus:	text	Enter your text'
message="Subscript out of range: character 3, tab (code 9), has no glyph"
printf 'Hi\tthere' | xclip -selection clipboard
xdotool key ctrl+v
check "a stop is announced as a notification with the message" \
    wait_event "^object:state-changed:showing	notification	Subscript out of range: character 3, tab \(code 9\), has no glyph	1"
type_and_settle "!"
xdotool key Home
type_and_settle "a"
check "heard once while it stands, however the text changes" test "$(announcements "$message")" -eq 1
xdotool key ctrl+a BackSpace
type_and_settle "b"
printf '\t' | xclip -selection clipboard
xdotool key ctrl+v
check "the next stop after a completed run is heard again" \
    wait_event "^object:state-changed:showing	notification	Subscript out of range: character 2, tab \(code 9\), has no glyph	1"

window=$(xdotool search --onlyvisible --name '^QXM 1\.0 - ' | head -n1)
eval "$(xdotool getwindowgeometry --shell "$window")"
xdotool mousemove $((X + 260)) $((Y + 348)) click 1 # Help
check "the About window shows" wait_event '^object:state-changed:showing	dialog	About www\.quorvel\.example	1'
sleep 0.5
echo "--- the converter and About windows"
check "every part of the converter and About windows has a name" "${atspi[@]}" check-names
finish
