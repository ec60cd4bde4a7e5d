#!/usr/bin/env bash
# Starts the real program in a virtual display, waits for MainWindow to appear, closes it with
# Esc and expects exit code 0. Exits 77 (skipped) when the virtual display tools are missing.
#   smoke_test.sh PROGRAM
set -u
program=$1

if [ "${QUORVIN_SMOKE_INSIDE:-}" != 1 ]; then
  for tool in xvfb-run xdotool; do
    if ! command -v "$tool" >/dev/null; then
      echo "smoke test skipped: $tool is not installed"
      exit 77
    fi
  done
  export QUORVIN_SMOKE_INSIDE=1
  unset QT_QPA_PLATFORM
  exec xvfb-run -a -s '-screen 0 1280x1024x24' "$0" "$program"
fi

"$program" &
pid=$!
window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Quorvin v2.0$' | head -n 1)
if [ -z "$window" ]; then
  echo "no visible window titled Quorvin v2.0 appeared"
  kill "$pid" 2>/dev/null
  wait "$pid"
  exit 1
fi
echo "MainWindow is window $window"
xdotool windowfocus --sync "$window"
xdotool key Escape

# Esc must end the program by itself; wait for it at most 30 seconds.
for _ in $(seq 300); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$pid" 2>/dev/null; then
  echo "the program was still running after Esc"
  kill "$pid"
  wait "$pid"
  exit 1
fi
wait "$pid"
status=$?
echo "exit code $status"
[ "$status" -eq 0 ]
