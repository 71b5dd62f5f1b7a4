#!/usr/bin/env bash
# Installs what is missing, builds the program and runs it. The program keeps
# its settings and logs in the folder run/ of the checkout.
set -euo pipefail
top="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$top/tools/install-deps.sh"
build="$top/build"
cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" --target rtv482_2
mkdir -p "$top/run"
cd "$top/run"
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" && -z "${QT_QPA_PLATFORM:-}" ]]; then
  echo "No display found: the program runs without a visible window (Ctrl+C ends it)."
  export QT_QPA_PLATFORM=offscreen
fi
exec "$build/bin/rtv482_2"
