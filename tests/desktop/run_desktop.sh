#!/usr/bin/env bash
# Runs the real executable on a real desktop: a 1366x768 X server (Xvfb) with a window manager
# (openbox) and a session bus carrying the accessibility bus, then checks it from outside through
# AT-SPI, the way a screen reader sees it (check_desktop.py). Skips (status 77) with the reason
# printed where a tool is missing.
set -u
exe=$1; src=$2
python=/usr/bin/python3
skip() { echo "desktop: skipped: $*"; exit 77; }
for tool in Xvfb openbox dbus-launch xwininfo xprop; do
  command -v "$tool" >/dev/null || skip "$tool is missing"
done
[ -x /usr/libexec/at-spi-bus-launcher ] || skip "at-spi2-core is missing"
"$python" -c 'import pyatspi' 2>/dev/null || skip "python3-pyatspi is missing"

work=$(mktemp -d)
pids=()
cleanup() {
  local p
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done
  for p in "${pids[@]}"; do wait "$p" 2>/dev/null; done
  [ -n "${DBUS_SESSION_BUS_PID:-}" ] && kill "$DBUS_SESSION_BUS_PID" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
export HOME="$work" XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/run"
mkdir -m 700 "$work/run"
export LSAN_OPTIONS="suppressions=$src/tests/smoke/lsan.supp:${LSAN_OPTIONS:-}"

# A free display number.
display=
for n in $(seq 70 120); do
  [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || { display=":$n"; break; }
done
[ -n "$display" ] || skip "no free X display"
Xvfb "$display" -screen 0 1366x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.05; done
export DISPLAY=$display
xwininfo -root >/dev/null 2>&1 || { cat "$work/xvfb.log"; echo "desktop: the X server did not start"; exit 1; }

eval "$(dbus-launch --sh-syntax)"
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 NO_AT_BRIDGE=0 QT_QPA_PLATFORM=xcb
openbox >"$work/openbox.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q window && break; sleep 0.05; done

song="$work/Amazing Grace.hmnt"
cp "$src/examples/Amazing Grace.hmnt" "$song"
"$exe" "$song" >"$work/app.log" 2>&1 &
app=$!
pids+=($app)

timeout 90 "$python" "$src/tests/desktop/check_desktop.py" 1366 768
rc=$?
if [ $rc -ne 0 ]; then
  echo "--- application output"; cat "$work/app.log"
  echo "desktop: failed"
  exit 1
fi
echo "desktop: passed"
