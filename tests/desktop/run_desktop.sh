#!/usr/bin/env bash
# Runs the real executable on a real desktop: an X server of the size given (1366x768 unless told)
# with a window manager and a session bus carrying the accessibility bus (tests/support/
# x_session.sh), then checks it from outside through AT-SPI, the way a screen reader sees it
# (check_desktop.py). Skips (status 77) with the reason printed where a tool is missing.
#
#   run_desktop.sh EXECUTABLE SOURCE_DIR [WIDTHxHEIGHT]
set -u
exe=$1; src=$2; size=${3:-1366x768}
python=/usr/bin/python3
skip() { echo "desktop: skipped: $*"; exit 77; }
if [ "${4:-}" != --inside ]; then
  command -v xwininfo >/dev/null || skip "xwininfo is missing"
  [ -x /usr/libexec/at-spi-bus-launcher ] || skip "at-spi2-core is missing"
  "$python" -c 'import pyatspi' 2>/dev/null || skip "python3-pyatspi is missing"
  exec "$src/tests/support/x_session.sh" "$size" "$0" "$exe" "$src" "$size" --inside
fi

work=$X_SESSION_WORK
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 NO_AT_BRIDGE=0
export LSAN_OPTIONS="suppressions=$src/tests/smoke/lsan.supp:${LSAN_OPTIONS:-}"
song="$work/Amazing Grace.hmnt"
cp "$src/examples/Amazing Grace.hmnt" "$song"
"$exe" "$song" >"$work/app.log" 2>&1 &
app=$!
trap 'kill $app 2>/dev/null; wait $app 2>/dev/null' EXIT

timeout 90 "$python" "$src/tests/desktop/check_desktop.py" "${size%x*}" "${size#*x}"
rc=$?
if [ $rc -ne 0 ]; then
  echo "--- application output"; cat "$work/app.log"
  echo "desktop: failed at $size"
  exit 1
fi
echo "desktop: passed at $size"
