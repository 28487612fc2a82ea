#!/bin/sh
# A scripted session with the real window on a virtual X screen: drags three palette tiles
# into the main list, changes a duration with the arrows, undoes it, saves, clears, opens the
# file again and saves it once more; both saved files must be the same. Screenshots go to
# docs/ (or the folder given as the second argument).
#
#   tools/xsession/grids-session.sh <build folder> [screenshot folder]
set -eu

. "$(cd "$(dirname "$0")" && pwd)/session-common.sh"

# Tiles in the palette box (19, 103): Forward (5, 12), Backward (69, 12), Turn left (5, 76).
# The main grid lies at (159, 103); its rows are 28 pixels apart below a 28-pixel header.
below_steps_y=300
drag 51 142 250 $below_steps_y
drag 115 142 250 $below_steps_y
drag 51 206 250 $below_steps_y
shot grids-session-1-three-steps

# The up arrow of step 1's value: the arrows lie at the right end of the action cell.
for i in 1 2 3; do at 362 135; xdotool click 1; sleep 0.2; done
shot grids-session-2-arrows-up
press 354 395   # Undo, three times
press 354 395
press 354 395
shot grids-session-3-undone

# The file dialogs take the keyboard when they open: the file name is typed into the name box.
type_path() {
  sleep 1.5
  xdotool key ctrl+a
  xdotool type --delay 20 "$1"
  xdotool key Return
  sleep 1
}
save_as() {
  press 392 448                                     # Save
  type_path "$1"
}
save_as first.rvl
press 140 448                                        # Clear
shot grids-session-4-cleared
press 308 448                                        # Open
sleep 0.5
xdotool key alt+n                                    # the cleared lists are not to be saved
type_path first.rvl
shot grids-session-5-reopened
save_as second.rvl

if cmp -s "$work/files/first.rvl" "$work/files/second.rvl" && [ -s "$work/files/first.rvl" ]; then
  echo "the reopened lists are the same"
  result=0
else
  echo "the reopened lists differ or were not saved" >&2
  result=1
fi
exit $result
