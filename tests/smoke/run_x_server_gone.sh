#!/usr/bin/env bash
# The X server goes away under the running program (a desktop session ends, a remote display
# drops): the program must end with an exit status of its own, never by a signal such as a
# segmentation fault. Checked with the main window showing a song, and with a message box open
# over it (a folder on the command line), each on an X server with a window manager
# (tests/support/x_session.sh) that is then killed.
set -u
exe=$1; src=$2
if [ "${3:-}" != --inside ]; then
  status=0
  for what in song folder; do
    "$src/tests/support/x_session.sh" 1366x768 "$0" "$exe" "$src" --inside "$what"
    rc=$?
    [ $rc -eq 77 ] && exit 77
    [ $rc -eq 0 ] || status=1
  done
  [ $status -eq 0 ] && echo "x_server_gone: passed"
  exit $status
fi
what=$4
work=$X_SESSION_WORK
export LSAN_OPTIONS="suppressions=$src/tests/smoke/lsan.supp:${LSAN_OPTIONS:-}"
if [ "$what" = song ]; then
  argument="$src/examples/Amazing Grace.hmnt"
else
  mkdir "$work/a folder"
  argument="$work/a folder"
fi
"$exe" "$argument" >"$work/app.log" 2>&1 &
app=$!
# Waits until the main window shows the song, or (for the folder) until the message box has come
# over it: a second window named after the application.
up=
for _ in $(seq 200); do
  titles=$(xwininfo -root -tree 2>/dev/null | grep -o '"[^"]*"')
  if [ "$what" = song ]; then
    grep -q '^"Harmonote - Amazing Grace' <<<"$titles" && up=yes
  else
    [ "$(grep -c '"Harmonote' <<<"$titles")" -ge 2 ] && up=yes
  fi
  [ -n "$up" ] && break
  kill -0 $app 2>/dev/null || break
  sleep 0.1
done
[ -n "$up" ] || { echo "x_server_gone ($what): the window never showed"; cat "$work/app.log"; kill $app 2>/dev/null; exit 1; }
sleep 0.5
kill "$X_SESSION_XVFB_PID"
# Wait for the program, a little at most.
for _ in $(seq 200); do kill -0 $app 2>/dev/null || break; sleep 0.1; done
if kill -0 $app 2>/dev/null; then
  kill -9 $app
  echo "x_server_gone ($what): the program did not end when the X server went away"
  exit 1
fi
wait $app
rc=$?
if [ $rc -ge 128 ]; then
  echo "x_server_gone ($what): the program was ended by signal $((rc - 128)) instead of exiting:"
  cat "$work/app.log"
  exit 1
fi
echo "x_server_gone ($what): exit status $rc"
