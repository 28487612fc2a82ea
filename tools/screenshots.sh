#!/bin/sh
# Pictures of the real program for the documentation: the intro window and the main window in
# both modes, drawn on the offscreen platform (no display needed).
#
#   tools/screenshots.sh [build folder] [picture folder]
#
# Writes intro.png, main-beginner.png and main-advanced.png in Spanish, the language the
# pictures beside the README's captions show, and the same in English into <folder>/en/.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/.." && pwd)
build=${1:-$repo/build}
shots=${2:-$repo/docs}
app="$build/src/ui/rovalis"
[ -x "$app" ] || { echo "no program at $app (build it first)" >&2; exit 2; }
mkdir -p "$shots"
# The settings of the person running this must not change the pictures.
settings=$(mktemp -d)
trap 'rm -rf "$settings"' EXIT
mkdir -p "$shots/en"
for mode in beginner advanced; do
  XDG_CONFIG_HOME="$settings" QT_QPA_PLATFORM=offscreen \
    "$app" --lang es --screenshot-dir "$shots" --screenshot-mode "$mode"
  XDG_CONFIG_HOME="$settings" QT_QPA_PLATFORM=offscreen \
    "$app" --lang en --screenshot-dir "$shots/en" --screenshot-mode "$mode"
done
echo "pictures in $shots"
