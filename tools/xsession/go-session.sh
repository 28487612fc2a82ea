#!/bin/sh
# A scripted session of Go with the virtual robot on a virtual X screen: two steps into the
# main list, Ejecutar downloads them to the virtual robot, whose "Robot virtual" window then
# shows the robot driving them (screenshots of it and of the virtual robot's panel); the main window is dragged by its background and
# Salir, declining to save, ends the program.
#
#   tools/xsession/go-session.sh <build folder> [screenshot folder]
set -eu

app_args=--virtual-robot
. "$(cd "$(dirname "$0")" && pwd)/session-common.sh"

fail() { echo "$1" >&2; exit 1; }

# Forward, then rotate left, into the main list; then Ejecutar.
drag 51 142 250 300
drag 51 270 250 300
xdotool windowraise "$main"
press 56 448
# The download runs at the wire's speed; the robot program waits 3.5 s before it drives.
arena=$(xdotool search --sync --onlyvisible --name '^Robot virtual$')
sleep 12
xdotool windowraise "$arena"
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$arena")"
QT_QPA_PLATFORM=xcb "$work/grab-screen" "$shots/virtual-robot.png" "$X" "$Y" "$WIDTH" "$HEIGHT"
echo "screenshot $shots/virtual-robot.png"
# The virtual robot's own small window, with its sensor boxes and the button that brings the
# "Robot virtual" window back.
panel=$(xdotool search --onlyvisible --name '^Sensores del robot virtual$' | head -n 1 || true)
if [ -n "$panel" ]; then
  xdotool windowraise "$panel"
  sleep 0.5
  eval "$(xdotool getwindowgeometry --shell "$panel")"
  QT_QPA_PLATFORM=xcb "$work/grab-screen" "$shots/virtual-robot-panel.png" "$X" "$Y" "$WIDTH" "$HEIGHT"
  echo "screenshot $shots/virtual-robot-panel.png"
fi

# Drag the main window by its background, beside the title.
xdotool windowraise "$main"
at 300 40
xdotool mousedown 1
for i in 1 2 3 4 5; do at $((300 - 8 * i)) $((40 + 6 * i)); sleep 0.05; done
xdotool mouseup 1
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$main")"
[ "$X" -ne "$MX" ] && [ "$Y" -ne "$MY" ] || fail "the main window did not move with its background"
echo "the main window moved from $MX,$MY to $X,$Y"
MX=$X
MY=$Y

press 476 448   # Salir
sleep 0.5
xdotool key alt+n   # the two steps are not to be saved
for i in 1 2 3 4 5 6 7 8 9 10; do
  kill -0 "$app_pid" 2>/dev/null || { echo "Salir ended the program"; app_pid=; exit 0; }
  sleep 0.5
done
fail "the program is still running after Salir"
