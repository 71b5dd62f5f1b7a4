#!/usr/bin/env bash
# Installs what is missing, builds the program and runs it in the folder run/
# of the checkout, which keeps its settings and logs.
#
# Unless a port is configured, the program talks to the device simulator:
# the simulator starts on a pseudo-terminal that the program knows as COM1.
# A port is configured when SERIAL_COM1 is set, or when run/rs232.ini names a
# port of the user's choice (the "RS232-Parameter" dialog stores it there).
set -euo pipefail
top="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$top/tools/install-deps.sh"
build="$top/build"
cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target rtv482_2 devsim
mkdir -p "$top/run"
cd "$top/run"

# run/.simulated marks an rs232.ini that this script wrote for the simulator.
use_simulator=0
if [[ -z "${SERIAL_COM1:-}" ]]; then
  if [[ ! -f rs232.ini ]]; then
    use_simulator=1
  elif [[ -f .simulated ]] && grep -qiE '^[[:space:]]*Port[[:space:]]*=[[:space:]]*COM1[[:space:]]*$' rs232.ini; then
    use_simulator=1
  fi
fi

if ((use_simulator)); then
  coproc SIM { exec "$build/bin/devsim" --address 1; }
  trap 'kill "$SIM_PID" 2>/dev/null || true' EXIT
  read -r -u "${SIM[0]}" pty
  export SERIAL_COM1="$pty"
  if [[ ! -f rs232.ini ]]; then
    printf '[ComPort]\nPort=COM1\nBaudRate=9600\nDataBits=8\nParity=None\nStopBits=1\n' > rs232.ini
  fi
  touch .simulated
  echo "Device simulator on $pty (COM1). To use a real device, choose its port in \"RS232-Parameter\"."
fi

if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" && -z "${QT_QPA_PLATFORM:-}" ]]; then
  echo "No display found: the program runs without a visible window (Ctrl+C ends it)."
  export QT_QPA_PLATFORM=offscreen
fi
"$build/bin/rtv482_2"
