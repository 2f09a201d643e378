#!/usr/bin/env bash
# QXM used as a person uses it, on a real X server without a window manager:
# the splash, typing, the clipboard read from outside the program, Clear all,
# the About window, and the start-up without a key.
#   desktop_test.sh QXM_BINARY SCREENSHOT_FOLDER
# For another system's build, QXM_RUNNER names the program that runs it (Wine),
# QXM_WINDOW_CLASS the X11 class its windows get, QXM_SPLASH_CAPTION the
# caption the system gives the splash (Qt on Windows names a window without
# one after the program), and QXM_CLIPBOARD_READER a program, run the same
# way, that prints the clipboard's text.
set -euo pipefail

qxm=$1
shots=$2
runner=()
[[ -n ${QXM_RUNNER:-} ]] && runner=("$QXM_RUNNER")
mkdir -p "$shots"
source "$(dirname "${BASH_SOURCE[0]}")/session.sh"

start_xvfb
unset QT_QPA_PLATFORM WAYLAND_DISPLAY
export XDG_RUNTIME_DIR=$scratch

# The program's visible windows whose title matches an extended regular
# expression (the splash has an empty one), one id a line.
windows_named() {
    local window
    for window in $(xdotool search --onlyvisible --classname "^${QXM_WINDOW_CLASS:-qxm}$" 2>/dev/null); do
        [[ $(xdotool getwindowname "$window" 2>/dev/null) =~ $1 ]] && echo "$window"
    done
    return 0
}
shows() { [[ -n $(windows_named "$1") ]]; }
window_gone() { ! shows "$1"; }
# Waits until such a window shows, for up to $2 seconds; prints its id.
find_window() {
    wait_for "${2:-60}" shows "$1" || true
    windows_named "$1" | head -n1
}
# Clicks a point given in the window's client coordinates.
click_at() {
    local window=$1 x=$2 y=$3
    eval "$(xdotool getwindowgeometry --shell "$window")"
    xdotool mousemove $((X + x)) $((Y + y)) click 1
    sleep 0.3
}
screenshot() {
    import -window root "$shots/$1.png" 2>/dev/null || true
}
clipboard() {
    if [[ -n ${QXM_CLIPBOARD_READER:-} ]]; then
        "${runner[@]}" "$QXM_CLIPBOARD_READER"
    else
        xclip -selection clipboard -o 2>/dev/null
    fi
}
# The window's frame stands in the middle of the screen, to the pixel: the
# frame a window manager draws (_NET_FRAME_EXTENTS), or without one the
# window itself. QXM_UNDRAWN_CAPTION: the height of a caption the system
# reserves above the window but draws nowhere (Wine without a window
# manager), which the centred frame holds.
centred() {
    local left=0 right=0 top=${QXM_UNDRAWN_CAPTION:-0} bottom=0 x y width height extents
    eval "$(xwininfo -id "$1" | awk '/Absolute upper-left X/ {print "x=" $4} /Absolute upper-left Y/ {print "y=" $4}
        /Width:/ {print "width=" $2} /Height:/ {print "height=" $2}')"
    extents=$(xprop -id "$1" _NET_FRAME_EXTENTS 2>/dev/null | sed -n 's/.* = //p')
    [[ -n $extents ]] && IFS=', ' read -r left right top bottom <<<"$extents"
    local dx=$((2 * (x - left) + left + width + right - 1024)) dy=$((2 * (y - top) + top + height + bottom - 768))
    echo "frame at $((x - left)),$((y - top)), $((left + width + right))x$((top + height + bottom)); off centre by $dx/2,$dy/2"
    ((dx >= -2 && dx <= 2 && dy >= -2 && dy <= 2))
}
# The window asks to stay out of the taskbar, whatever the window manager.
skips_taskbar() {
    [[ $(xprop -id "$1" _NET_WM_STATE 2>/dev/null) == *_NET_WM_STATE_SKIP_TASKBAR* ]]
}

splash_caption=${QXM_SPLASH_CAPTION:-}
splash_title="^$splash_caption\$"
main_title='^QXM 1\.0 - www\.quorvel\.example$'
about_title='^About www\.quorvel\.example$'

echo "--- a key ends the splash"
start "${runner[@]}" "$qxm"
qxm_pid=$!
splash=$(find_window "$splash_title")
check "the splash appears, with the caption \"$splash_caption\"" test -n "$splash"
check "the splash stays out of the taskbar" skips_taskbar "$splash"
check "the converter window is not shown while the splash is" window_gone "$main_title"
sleep 0.5
screenshot splash
xdotool key x
main=$(find_window "$main_title" 30)
check "a key on the splash brings up the converter window" test -n "$main"
check "the splash is gone" wait_for 30 window_gone "$splash_title"
check "the converter window stands in the middle of the screen" centred "$main"
screenshot converter-empty

echo "--- typing and the clipboard"
xdotool type --delay 50 "Hi'"
sleep 0.5
xdotool key Tab Tab Tab Return sleep 0.3 # Put Text in Clip Board, from the keyboard
expected=$(printf "Data &H7F , &H08 , &H08 , &H08 , &H7F  'H\r\nData &H00 , &H11 , &H5F , &H01 , &H00  'i\r\nData &H00 , &H50 , &H60 , &H00 , &H00  ''\r\n" | od -An -tx1)
actual=$(clipboard | od -An -tx1)
[[ $actual == "$expected" ]] || { echo "clipboard:"; clipboard | od -c; }
check "Return on the focused Put Text in Clip Board copies exactly the lines, CR LF included" test "$actual" = "$expected"
screenshot converter-typed

click_at "$main" 132 284 # Clear all
click_at "$main" 240 284
check "after Clear all the clipboard command gives empty text" test -z "$(clipboard | od -An -tx1)"

echo "--- the About window"
xdotool key Tab KP_Enter # from Put Text in Clip Board on to Help
about=$(find_window "$about_title" 30)
check "the keypad's Enter on the focused Help opens the About window" test -n "$about"
eval "$(xdotool getwindowgeometry --shell "$about")"
check "the About window stands where its design puts it (156, 129)" test "$X,$Y" = "156,129"
check "the About window stays out of the taskbar" skips_taskbar "$about"
sleep 0.3
screenshot about
xdotool key Escape
check "Escape closes the About window" wait_for 30 window_gone "$about_title"
check "the converter window stays" test -n "$(find_window "$main_title" 2)"
stop "$qxm_pid"

echo "--- without a key, the converter window comes after about 12 seconds"
start "${runner[@]}" "$qxm"
qxm_pid=$!
find_window "$splash_title" >/dev/null
began=$(date +%s%N)
main=$(find_window "$main_title" 60)
elapsed_ms=$((($(date +%s%N) - began) / 1000000))
check "the converter window appears on its own" test -n "$main"
check "after 11 seconds or more, within a minute (took ${elapsed_ms} ms)" test "$elapsed_ms" -ge 11000 -a "$elapsed_ms" -le 60000
check "the splash is gone" wait_for 30 window_gone "$splash_title"

# xfwm4 keeps its settings on a session bus: one of its own, whose settings
# service is in xfwm4's process group.
if command -v xfwm4 >/dev/null && command -v dbus-run-session >/dev/null; then
    echo "--- under a window manager (xfwm4), the frame is centred"
    stop "$qxm_pid"
    start dbus-run-session -- env NO_AT_BRIDGE=1 xfwm4 --compositor=off --sm-client-disable >/dev/null 2>&1
    sleep 2
    start "${runner[@]}" "$qxm"
    qxm_pid=$!
    find_window "$splash_title" >/dev/null
    sleep 0.5
    xdotool key x
    main=$(find_window "$main_title" 5)
    sleep 1
    framed() { [[ -n $(xprop -id "$main" _NET_FRAME_EXTENTS 2>/dev/null | sed -n 's/.* = //p') ]]; }
    check "xfwm4 frames the converter window" framed
    QXM_UNDRAWN_CAPTION=0 check "the framed converter window stands in the middle of the screen" centred "$main"
    screenshot converter-xfwm4
fi

finish
