#!/bin/bash
# Runs a test program on X11 against a virtual display of its own:
# run_on_xvfb.sh program [arguments].
set -u
dir=$(mktemp -d)
pid=
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; wait 2>/dev/null; rm -rf "$dir"' EXIT
mkfifo "$dir/display"
# Xvfb picks a free display itself and writes its number once it takes clients.
Xvfb -displayfd 3 -nolisten tcp -screen 0 1280x1024x24 3>"$dir/display" 2>/dev/null &
pid=$!
# A generous deadline: the server is slow to start on a loaded machine.
if ! read -r -t 60 number <"$dir/display" || [ -z "$number" ]; then
  echo "Xvfb did not start" >&2
  exit 1
fi
DISPLAY=":$number" QT_QPA_PLATFORM=xcb "$@"
