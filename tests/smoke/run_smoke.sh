#!/usr/bin/env bash
# Starts the real executable under Xvfb with the example song on its command line, and checks
# that it comes up, shows the song and quits cleanly when asked.
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
echo "smoke: passed"
