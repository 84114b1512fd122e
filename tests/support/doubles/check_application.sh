#!/usr/bin/env bash
# The application's executable links no test double: no scripted dialogs, no recording print job,
# no hook made for the tests, no smoke-run check. Read from its symbol table (nm).
set -u
exe=$1
symbols=$(nm -C "$exe" 2>&1) || { echo "$symbols"; echo "no_test_doubles: nm cannot read $exe"; exit 1; }
[ "$(wc -l <<<"$symbols")" -gt 100 ] || { echo "no_test_doubles: $exe has no symbol table to check"; exit 1; }
found=$(grep -E 'ScriptedDialogs|RecordingPrintJob|PrinterAnswer|ForTests|SmokeCheck|SmokeWatch' <<<"$symbols")
if [ -n "$found" ]; then
  echo "$found"
  echo "no_test_doubles: $exe links test doubles (above)"
  exit 1
fi
if grep -q HARMONOTE_SMOKE "$exe"; then
  echo "no_test_doubles: $exe reads HARMONOTE_SMOKE, the smoke run's switch"
  exit 1
fi
echo "no_test_doubles: passed"
