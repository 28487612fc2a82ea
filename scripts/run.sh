#!/usr/bin/env bash
# Sets up the machine, builds Rovalis and starts it. Without a robot, the virtual robot
# is started too and its port joins the port list. Arguments go to the program.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/setup.sh"
"$top/scripts/build.sh"
build=${ROVALIS_BUILD_DIR:-$top/build}
if [[ $# -eq 0 ]]; then set -- --virtual-robot; fi
exec "$build/src/ui/rovalis" "$@"
