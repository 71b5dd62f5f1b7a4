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
# Without a display the program runs on a virtual X server (Xvfb) of its own,
# shown by a VNC server (x11vnc) that listens on the loopback interface only:
# reach it through an SSH tunnel to port 5900 (or the next free one). To let
# other machines connect, set RTV_VNC_LISTEN to an address of this machine
# (0.0.0.0: every interface); that needs a VNC password in ~/.vnc/passwd
# (made with "x11vnc -storepasswd").
set -euo pipefail
top="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$top/tools/install-deps.sh" "$top/tools/run-packages.txt"
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

# Helpers started below end with the script.
helpers=()
x_dir=""
end_helpers() {
  ((${#helpers[@]} == 0)) || kill "${helpers[@]}" 2>/dev/null || true
  [[ -z "$x_dir" ]] || rm -rf "$x_dir"
}
trap end_helpers EXIT

# Starts Xvfb on a free display, with a cookie that only this user can read,
# and x11vnc on it; sets DISPLAY and XAUTHORITY for the program.
start_virtual_display() {
  local listen="${RTV_VNC_LISTEN:-localhost}" access=(-localhost -nopw)
  if [[ "$listen" != "localhost" && "$listen" != "127.0.0.1" ]]; then
    if [[ ! -f "$HOME/.vnc/passwd" ]]; then
      echo "RTV_VNC_LISTEN=$listen lets other machines connect: make a VNC password first (x11vnc -storepasswd)." >&2
      exit 1
    fi
    access=(-listen "$listen" -rfbauth "$HOME/.vnc/passwd")
  fi
  x_dir="$(mktemp -d)"
  export XAUTHORITY="$x_dir/Xauthority"
  : >"$XAUTHORITY"
  local n=99
  while [[ -e "/tmp/.X$n-lock" || -e "/tmp/.X11-unix/X$n" ]]; do n=$((n + 1)); done
  xauth -q -f "$XAUTHORITY" add ":$n" . "$(mcookie)"
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp -auth "$XAUTHORITY" >"$x_dir/xvfb.log" 2>&1 &
  helpers+=("$!")
  local tries=0
  until [[ -S "/tmp/.X11-unix/X$n" ]]; do
    if ((++tries > 100)) || ! kill -0 "${helpers[-1]}" 2>/dev/null; then
      echo "The virtual X server did not start:" >&2
      cat "$x_dir/xvfb.log" >&2
      exit 1
    fi
    sleep 0.1
  done
  export DISPLAY=":$n"
  x11vnc -display "$DISPLAY" -auth "$XAUTHORITY" "${access[@]}" -autoport 5900 -forever -shared -quiet \
    >"$x_dir/x11vnc.out" 2>"$x_dir/x11vnc.log" &
  helpers+=("$!")
  local port=""
  tries=0
  until port="$(sed -n 's/^PORT=//p' "$x_dir/x11vnc.out")" && [[ -n "$port" ]]; do
    if ((++tries > 100)) || ! kill -0 "${helpers[-1]}" 2>/dev/null; then
      echo "The VNC server did not start:" >&2
      cat "$x_dir/x11vnc.log" >&2
      exit 1
    fi
    sleep 0.1
  done
  if [[ "$listen" == "localhost" || "$listen" == "127.0.0.1" ]]; then
    echo "No display found: the program runs on display $DISPLAY, shown by VNC on 127.0.0.1:$port only."
    echo "From your machine: ssh -L $port:localhost:$port $(id -un)@$(hostname), then connect a VNC viewer to localhost:$port (Ctrl+C ends it)."
  else
    echo "No display found: the program runs on display $DISPLAY, shown by VNC on $listen:$port (password of ~/.vnc/passwd)."
  fi
}

if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" && -z "${QT_QPA_PLATFORM:-}" ]]; then
  start_virtual_display
fi

if ((use_simulator)); then
  coproc SIM { exec "$build/tests/bin/devsim" --address 1; }
  # Bash forgets SIM_PID once the simulator has ended: keep it.
  helpers+=("$SIM_PID")
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

status=0
"$build/bin/rtv482_2" || status=$?
exit "$status"
