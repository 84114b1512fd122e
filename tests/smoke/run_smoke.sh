#!/usr/bin/env bash
# Starts the real executable under Xvfb with the example song on its command line, and checks
# that it comes up, shows the song and quits cleanly when asked; then with a folder on its command
# line, and checks that the message naming it comes over the main window once that is shown.
set -u
exe=$1; src=$2
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
export HOME="$work" XDG_CONFIG_HOME="$work/config" HARMONOTE_SMOKE=1
export LSAN_OPTIONS="suppressions=$src/tests/smoke/lsan.supp:${LSAN_OPTIONS:-}"
out=$(timeout 60 xvfb-run -a "$exe" "$src/examples/Amazing Grace.hmnt" 2>"$work/err")
rc=$?
echo "$out"
cat "$work/err" >&2
[ $rc -eq 0 ] || { echo "smoke: exit status $rc"; exit 1; }
grep -qx 'title: Harmonote - Amazing Grace' <<<"$out" || { echo "smoke: the example song is not shown"; exit 1; }
mkdir "$work/a folder"
out=$(timeout 60 xvfb-run -a "$exe" "$work/a folder" 2>"$work/err")
rc=$?
echo "$out"
cat "$work/err" >&2
[ $rc -eq 0 ] || { echo "smoke: exit status $rc with a folder"; exit 1; }
grep -qx 'message: The document cannot be opened: "a folder" is a folder.' <<<"$out" || { echo "smoke: the folder is not named"; exit 1; }
grep -qx 'message over the main window: yes' <<<"$out" || { echo "smoke: the message did not come over the shown window"; exit 1; }
echo "smoke: passed"
