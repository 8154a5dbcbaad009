#!/usr/bin/env bash
# Starts the instrument simulator and the program connected to it through a
# temporary settings profile: COM1 is the simulated instrument, COM2 its GPS
# receiver. The operator's own settings are not touched.
#
#   scripts/demo.sh                 with a display: the program starts, press
#                                   Connect; without one: under Xvfb, Connect
#                                   is pressed and a screenshot of the live
#                                   echogram is saved as
#                                   <build>/pelagrix-screenshot.png
#   scripts/demo.sh --record FILE   under Xvfb: connects, records about 250
#                                   pings (fixed 500 samples, with GPS) and
#                                   disconnects; the data log is copied to FILE
#
# <build> is $PELAGRIX_BUILD_DIR, or build/; it must hold pelagrix,
# pelagrix-sim and pelagrix-screenshot (scripts/run.sh builds them).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${PELAGRIX_BUILD_DIR:-$here/build}
record=""
sim_args=(--gps --interval 0.2)
if [ "${1:-}" = "--record" ]; then
  record=$(realpath -m "${2:?--record needs a file name}")
  # The instrument starts in the recording's mode (fixed 500 samples).
  sim_args+=(--mode 5)
fi

demo=$(mktemp -d "${TMPDIR:-/tmp}/pelagrix-demo.XXXXXX")
sim_pid=""
cleanup() {
  if [ -n "$sim_pid" ]; then
    kill "$sim_pid" 2>/dev/null || true
    wait "$sim_pid" 2>/dev/null || true
  fi
  rm -rf "$demo"
}
trap cleanup EXIT

# The simulator prints "DEVICE <path>", "GPS <path>" and "READY".
"$build/pelagrix-sim" "${sim_args[@]}" > "$demo/sim.out" &
sim_pid=$!
for _ in $(seq 100); do
  grep -q '^READY' "$demo/sim.out" 2>/dev/null && break
  sleep 0.05
done
device=$(awk '$1 == "DEVICE" { print $2 }' "$demo/sim.out")
gps=$(awk '$1 == "GPS" { print $2 }' "$demo/sim.out")
if [ -z "$device" ] || [ -z "$gps" ]; then
  echo "The instrument simulator did not start." >&2
  exit 1
fi
echo "Simulated instrument on $device (COM1), GPS on $gps (COM2)"

# The temporary settings profile: the port map and the port choices.
mkdir -p "$demo/config/Halvorn"
cat > "$demo/config/Halvorn/Vessa.ini" <<INI
[Ports]
COM1=$device
COM2=$gps

[Pelagrix01]
SerialPortNumber=COM1
SerialPortSpeed=115200 (default)
SerialGPSPortNumber=COM2
SerialGPSPortSpeed=4800 (default)
INI
if [ -n "$record" ]; then
  # A small log: 500 samples a ping, written into a temporary home.
  echo "Output%20Mode=Echosounder Fixed 500 Samples" >> "$demo/config/Halvorn/Vessa.ini"
  mkdir -p "$demo/home"
  export HOME="$demo/home"
fi
export XDG_CONFIG_HOME="$demo/config"

if [ -z "$record" ] && { [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; }; then
  echo "Press Connect to see the live echogram."
  "$build/pelagrix"
  exit 0
fi

shot="$build/pelagrix-screenshot.png"
if [ -n "$record" ]; then
  echo "Recording about 250 pings under Xvfb into $record"
else
  echo "No display: running under Xvfb, pressing Connect; a screenshot goes to $shot"
  rm -f "$shot"
fi
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1100x850x24" bash -c '
  set -u
  build=$1 shot=$2 record=$3
  "$build/pelagrix" &
  pid=$!
  title="PELAGRIX Echosounder/Altimeter Control Program"
  window=""
  for _ in $(seq 100); do
    window=$(xdotool search --name "$title" 2>/dev/null | head -n 1) && [ -n "$window" ] && break
    sleep 0.1
  done
  if [ -z "$window" ]; then
    echo "The main window did not appear." >&2
  else
    # Start-up pauses 2 s; then press Connect (the centre of its button,
    # in window coordinates).
    sleep 3
    xdotool mousemove --window "$window" 389 51 click 1
    if [ -n "$record" ]; then
      # About 4 s of connect, then 5 pings a second; the same button
      # disconnects, which closes the log (8 s for the two ports).
      sleep 55
      xdotool mousemove --window "$window" 389 51 click 1
      sleep 12
    else
      # The connect sends all parameters (about 4 s); the echogram is
      # redrawn every 2 s once pings arrive.
      sleep 35
      "$build/pelagrix-screenshot" "$shot"
    fi
  fi
  kill "$pid"; wait "$pid" 2>/dev/null || true
' _ "$build" "$shot" "$record"

if [ -n "$record" ]; then
  log=$(ls -t "$demo/home/DataEcho/"*.log 2>/dev/null | head -n 1 || true)
  if [ -z "$log" ]; then
    echo "No data log was written." >&2
    exit 1
  fi
  mkdir -p "$(dirname "$record")"
  cp "$log" "$record"
  echo "Data log: $record ($(grep -c '##DataEnd' "$record") pings)"
elif [ -f "$shot" ]; then
  echo "Screenshot of the live echogram: $shot"
else
  echo "No screenshot was saved." >&2
  exit 1
fi
