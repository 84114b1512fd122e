#!/usr/bin/env bash
# Starts the real executable under Xvfb with the example song on its command line, and checks
# that it comes up, shows the song and quits cleanly when asked; then with a folder on its command
# line, and checks that the message naming it comes over the main window once that is shown.
set -u
exe=$1; src=$2
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
export HOME="$work" XDG_CONFIG_HOME="$work/config" HARMONOTE_SMOKE=1
export LSAN_OPTIONS="suppressions=$src/tests/smoke/lsan.supp:${LSAN_OPTIONS:-}"
# Runs the executable with one argument under Xvfb; its output is left in $out, and a non-zero
# exit status ends the test.
run() {
  out=$(timeout 60 xvfb-run -a "$exe" "$1" 2>"$work/err")
  local rc=$?
  echo "$out"
  cat "$work/err" >&2
  [ $rc -eq 0 ] || { echo "smoke: exit status $rc with $1"; exit 1; }
}
run "$src/examples/Amazing Grace.hmnt"
grep -qx 'title: Harmonote - Amazing Grace' <<<"$out" || { echo "smoke: the example song is not shown"; exit 1; }
mkdir "$work/a folder"
run "$work/a folder"
grep -qx 'message: The document cannot be opened: "a folder" is a folder.' <<<"$out" || { echo "smoke: the folder is not named"; exit 1; }
grep -qx 'message over the main window: yes' <<<"$out" || { echo "smoke: the message did not come over the shown window"; exit 1; }
echo "smoke: passed"
