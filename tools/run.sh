#!/usr/bin/env bash
# Installs what is missing, builds the program and runs it in the folder run/
# of the checkout, which keeps "rs232.ini" and the logs. The program ini
# (rtv482_2.ini) lies beside the program file, in build/bin/.
#
# Unless a port is configured, the program talks to the device simulator on
# a pseudo-terminal: run/rs232.ini then names that terminal's path, and
# run/.simulated holds the same path. A port is configured when SERIAL_COM1
# is set, or when rs232.ini names any other port (the "RS232-Parameter"
# dialog stores the user's choice there when the program ends).
#
# Without a display the program is shown through Qt's VNC platform: connect
# a VNC viewer to port 5900 of this machine.
set -euo pipefail
top="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$top/tools/install-deps.sh"
build="$top/build"
cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target rtv482_2 devsim
mkdir -p "$top/run"
cd "$top/run"

port_in_ini() { sed -n 's/^[[:space:]]*Port[[:space:]]*=[[:space:]]*\(.*[^[:space:]]\)[[:space:]]*$/\1/Ip' rs232.ini | head -n 1; }
simulated_port() { [[ -f .simulated ]] && cat .simulated || true; }

use_simulator=0
if [[ ! -f rs232.ini ]]; then
  [[ -z "${SERIAL_COM1:-}" ]] && use_simulator=1
elif [[ -n "$(simulated_port)" && "$(port_in_ini)" == "$(simulated_port)" ]]; then
  if [[ -z "${SERIAL_COM1:-}" ]]; then
    use_simulator=1
  else
    # The simulator's settings give way to the device named by SERIAL_COM1.
    sed -i 's|^[[:space:]]*Port[[:space:]]*=.*$|Port=COM1|I' rs232.ini
    rm -f .simulated
  fi
fi

if ((use_simulator)); then
  coproc SIM { exec "$build/tests/bin/devsim" --address 1; }
  # Bash forgets SIM_PID once the simulator has ended: keep it.
  sim_pid=$SIM_PID
  trap 'kill "$sim_pid" 2>/dev/null || true' EXIT
  if ! read -r -u "${SIM[0]}" pty; then
    echo "The device simulator did not start." >&2
    exit 1
  fi
  if [[ -f rs232.ini ]]; then
    sed -i "s|^[[:space:]]*Port[[:space:]]*=.*\$|Port=$pty|I" rs232.ini
  else
    printf '[ComPort]\nPort=%s\nBaudRate=9600\nDataBits=8\nParity=None\nStopBits=1\n' "$pty" > rs232.ini
  fi
  printf '%s\n' "$pty" > .simulated
  echo "Device simulator on $pty. To use a real device, choose its port in \"RS232-Parameter\"."
fi

if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" && -z "${QT_QPA_PLATFORM:-}" ]]; then
  echo "No display found: the program is shown through VNC; connect a VNC viewer to port 5900 (Ctrl+C ends it)."
  export QT_QPA_PLATFORM=vnc:size=1280x900:port=5900
fi
status=0
"$build/bin/rtv482_2" || status=$?
exit "$status"
