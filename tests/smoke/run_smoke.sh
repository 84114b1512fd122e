#!/usr/bin/env bash
# Starts the real executable under Xvfb with the example song on its command line, and checks
# that it comes up, shows the song and quits cleanly when asked; then with a folder on its command
# line, and checks that the message naming it comes over the main window once that is shown; then,
# where the run may hide folders from itself (a mount namespace of its own), without any en_US
# dictionary, and checks that it starts and shows the song all the same.
#
# The executable is watched by a Qt plugin of the test's own (smoke_watch.cpp), loaded through Qt's
# environment: the application carries nothing for the test.
set -u
exe=$1; src=$2; plugins=$3
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
export HOME="$work" XDG_CONFIG_HOME="$work/config"
export QT_PLUGIN_PATH="$plugins" QT_QPA_GENERIC_PLUGINS=harmonote_smoke_watch
export LSAN_OPTIONS="suppressions=$src/tests/smoke/lsan.supp:${LSAN_OPTIONS:-}"
song="$src/examples/Amazing Grace.hmnt"
# Runs the executable with one argument under Xvfb, after the command words before it (none, or a
# wrapper); its output is left in $out, and a non-zero exit status ends the test.
run() {
  out=$("$@" 2>"$work/err")
  local rc=$?
  echo "$out"
  cat "$work/err" >&2
  [ $rc -eq 0 ] || { echo "smoke: exit status $rc with ${*: -1}"; exit 1; }
}
run timeout 60 xvfb-run -a "$exe" "$song"
grep -qx 'title: Harmonote - Amazing Grace' <<<"$out" || { echo "smoke: the example song is not shown"; exit 1; }
mkdir "$work/a folder"
run timeout 60 xvfb-run -a "$exe" "$work/a folder"
grep -qx 'message: The document cannot be opened: "a folder" is a folder.' <<<"$out" || { echo "smoke: the folder is not named"; exit 1; }
grep -qx 'message over the main window: yes' <<<"$out" || { echo "smoke: the message did not come over the shown window"; exit 1; }

# Every folder the program looks for its dictionary in, emptied for this run only.
hide_dictionaries='
  mkdir -p "$1"
  for d in /usr/share/hunspell /usr/local/share/hunspell /usr/share/myspell /usr/share/myspell/dicts; do
    [ -d "$d" ] && { mount --bind "$1" "$d" || exit 1; }
  done
  [ ! -e /usr/share/hunspell/en_US.dic ] || exit 1
  shift
  exec "$@"'
if unshare -m true 2>/dev/null; then
  run unshare -m bash -c "$hide_dictionaries" hide "$work/empty" timeout 60 xvfb-run -a "$exe" "$song"
  grep -qx 'title: Harmonote - Amazing Grace' <<<"$out" || { echo "smoke: without a dictionary the song is not shown"; exit 1; }
else
  echo "smoke: the run without a dictionary is left out: this user cannot make a mount namespace"
fi
echo "smoke: passed"
