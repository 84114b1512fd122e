#!/usr/bin/env bash
# Runs a command on a desktop of its own: an X server (Xvfb) of the size given, with a window
# manager (openbox) and a session bus, so that windows are framed, placed and focused as on a
# user's screen. The command sees DISPLAY and QT_QPA_PLATFORM=xcb, and HOME, XDG_CONFIG_HOME and
# XDG_RUNTIME_DIR in a fresh folder ($X_SESSION_WORK) removed afterwards. Its exit status is the
# command's; 77 (skipped, the reason printed) where a tool is missing.
#
#   x_session.sh WIDTHxHEIGHT COMMAND [ARGUMENT...]
set -u
size=$1
shift
skip() { echo "x_session: skipped: $*"; exit 77; }
for tool in Xvfb openbox dbus-launch xprop; do
  command -v "$tool" >/dev/null || skip "$tool is missing"
done

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
export X_SESSION_WORK=$work HOME="$work/home" XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/run"
mkdir -p "$HOME" "$XDG_CONFIG_HOME"
mkdir -m 700 "$XDG_RUNTIME_DIR"

# Xvfb picks a free display and writes its number on the descriptor given.
exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp >"$work/xvfb.log" 2>&1 &
pids+=($!)
exec 3>&-
X_SESSION_XVFB_PID=${pids[0]}
export X_SESSION_XVFB_PID
for _ in $(seq 200); do [ -s "$work/display" ] && break; sleep 0.05; done
[ -s "$work/display" ] || { cat "$work/xvfb.log"; echo "x_session: the X server did not start"; exit 1; }
export DISPLAY=":$(tr -d '\n' <"$work/display")"

eval "$(dbus-launch --sh-syntax)"
openbox >"$work/openbox.log" 2>&1 &
pids+=($!)
# openbox announces itself more than once while it starts: it is ready once the announcement stays.
seen=0
for _ in $(seq 200); do
  if xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q window; then seen=$((seen + 1)); else seen=0; fi
  [ $seen -ge 4 ] && break
  sleep 0.05
done
[ $seen -ge 4 ] || { cat "$work/openbox.log"; echo "x_session: the window manager did not start"; exit 1; }

export QT_QPA_PLATFORM=xcb
"$@"
