# Shared by the scripted sessions (sourced, not run): a virtual X screen, the screenshot helper,
# the real program started from a scratch folder in beginner mode, and mouse helpers in the
# main window's coordinates. Expects $1 = build folder, $2 = screenshot folder (optional),
# and optionally app_args for the program.

build=$(cd "${1:?build folder}" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/../.." && pwd)
shots=${2:-$repo/docs}
app="$build/src/ui/rovalis"
[ -x "$app" ] || { echo "no program at $app" >&2; exit 2; }

work=$(mktemp -d)
display=:$((70 + $$ % 20))
cleanup() {
  [ -n "${app_pid:-}" ] && kill "$app_pid" 2>/dev/null || true
  [ -n "${x_pid:-}" ] && kill "$x_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
x_pid=$!
export DISPLAY="$display"
sleep 1

# The screenshot helper: a few lines of Qt, built here.
g++ -std=c++20 -fPIC -o "$work/grab-screen" "$here/grab-screen.cpp" $(pkg-config --cflags --libs Qt6Gui)
# The main window's rectangle once it is known (MX, MY, MW, MH), else the whole screen.
shot() {
  QT_QPA_PLATFORM=xcb "$work/grab-screen" "$shots/$1.png" ${MW:+"$MX" "$MY" "$MW" "$MH"}
  echo "screenshot $shots/$1.png"
}

# The program with its own settings folder and a start folder for the files.
# Both file dialogs first open in the program's own folder, so a copy of the program runs from
# the files' folder and a bare file name is enough (a typed path would race the completer).
mkdir -p "$work/home" "$work/files"
cp "$app" "$work/files/rovalis"
app="$work/files/rovalis"
cd "$work/files"
# The sessions drive and picture the Spanish windows (the pictures beside the README's captions).
HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" QT_QPA_PLATFORM=xcb LC_ALL=C.UTF-8 "$app" --lang es ${app_args:-} &
app_pid=$!

intro=$(xdotool search --sync --onlyvisible --name '^Rovalis v')
eval "$(xdotool getwindowgeometry --shell "$intro")"
xdotool mousemove $((X + 134)) $((Y + 32)) click 1  # Beginner mode
main=$(xdotool search --sync --onlyvisible --name '^Rovalis$')
sleep 1
eval "$(xdotool getwindowgeometry --shell "$main")"
MX=$X
MY=$Y
MW=$WIDTH
MH=$HEIGHT
at() { xdotool mousemove $((MX + $1)) $((MY + $2)); }
# A button shows its clickable look while the mouse moves over it, as a user's hand does.
press() {
  at $(($1 - 6)) $(($2 - 4)); sleep 0.1
  at "$1" "$2"; sleep 0.1
  xdotool click 1
  sleep 0.4
}

# A palette drag: press on the tile, move in steps to the grid, release.
drag() {
  at "$1" "$2"
  xdotool mousedown 1
  fx=$1 fy=$2
  for i in 1 2 3 4 5 6 7 8; do
    at $((fx + ($3 - fx) * i / 8)) $((fy + ($4 - fy) * i / 8))
    sleep 0.05
  done
  xdotool mouseup 1
  sleep 0.6
}

