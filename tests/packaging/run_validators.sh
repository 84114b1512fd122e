#!/usr/bin/env bash
# Installs the build into a temporary prefix, as a packager would, and checks what the desktop
# reads from there: the desktop entry and the AppStream metainfo pass their validators without
# an error, a warning, a hint or a note; the entry starts one Harmonote per document and names an
# icon that the hicolor theme holds at every size; the entry, the metainfo and the MIME type
# speak of the same document type.
set -u
build=$1
prefix=$(mktemp -d); trap 'rm -rf "$prefix"' EXIT
failures=0
fail() { echo "validators: $*"; failures=$((failures + 1)); }

for tool in desktop-file-validate appstreamcli; do
  command -v "$tool" >/dev/null || { echo "validators: $tool is missing (scripts/bootstrap installs it)"; exit 1; }
done
cmake --install "$build" --prefix "$prefix" >"$prefix.log" 2>&1 || { cat "$prefix.log"; rm -f "$prefix.log"; fail "cmake --install failed"; exit 1; }
rm -f "$prefix.log"

share=$prefix/share
desktop=$share/applications/harmonote.desktop
metainfo=$(ls "$share"/metainfo/*.metainfo.xml 2>/dev/null)
mime=$share/mime/packages/harmonote.xml
for f in "$desktop" "$mime"; do [ -f "$f" ] || fail "not installed: ${f#"$prefix"/}"; done
[ "$(wc -w <<<"$metainfo")" -eq 1 ] || fail "expected one metainfo file, found: ${metainfo:-none}"
[ $failures -eq 0 ] || exit 1

# The validators: silent for the desktop entry, strict (nothing above pedantic) for AppStream.
out=$(desktop-file-validate "$desktop" 2>&1); rc=$?
[ $rc -eq 0 ] && [ -z "$out" ] || fail "desktop-file-validate (status $rc): $out"
out=$(appstreamcli validate --no-net --strict "$metainfo" 2>&1); rc=$?
echo "$out"
[ $rc -eq 0 ] && ! grep -qE '^ *[EWI]: ' <<<"$out" || fail "appstreamcli validate (status $rc)"
out=$(appstreamcli validate-tree --no-net --strict "$prefix" 2>&1); rc=$?
echo "$out"
[ $rc -eq 0 ] && ! grep -qE '^ *[EWI]: ' <<<"$out" || fail "appstreamcli validate-tree (status $rc)"

# One launch per file, and the icon by its theme name.
key() { sed -n "s/^$1=//p" "$desktop"; }
[ "$(key Exec)" = "harmonote %f" ] || fail "Exec is '$(key Exec)', not 'harmonote %f'"
[ "$(key Icon)" = harmonote ] || fail "Icon is '$(key Icon)', not 'harmonote'"
[ -x "$prefix/bin/$(key Exec | cut -d' ' -f1)" ] || fail "the entry's program is not installed in bin/"
hicolor=$share/icons/hicolor
[ -s "$hicolor/scalable/apps/harmonote.svg" ] || fail "no scalable icon"
grep -q '<svg[^>]*viewBox="0 0 256 256"' "$hicolor/scalable/apps/harmonote.svg" || fail "the scalable icon is not a 256-unit SVG"
for side in 16 22 24 32 48 64 128 256; do
  png=$hicolor/${side}x${side}/apps/harmonote.png
  if [ ! -f "$png" ]; then fail "no ${side}x${side} icon"; continue; fi
  # A PNG's width and height are the big-endian words at bytes 16 and 20.
  read -r w h < <(od -An -tu1 -j16 -N8 "$png" | awk '{print $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8}')
  [ "$w" = "$side" ] && [ "$h" = "$side" ] || fail "the ${side}x${side} icon is ${w}x${h}"
done

# The same document type everywhere: the MIME type's name, the entry's and the metainfo's.
type=$(sed -n 's/.*<mime-type type="\([^"]*\)".*/\1/p' "$mime")
[ -n "$type" ] || fail "the MIME type file names no type"
[ "$(key MimeType)" = "$type;" ] || fail "MimeType is '$(key MimeType)', not '$type;'"
grep -q "<mediatype>$type</mediatype>" "$metainfo" || fail "the metainfo does not provide $type"
grep -q '<glob pattern="\*.hmnt"/>' "$mime" || fail "the MIME type does not match *.hmnt"
grep -q '<launchable type="desktop-id">harmonote.desktop</launchable>' "$metainfo" || fail "the metainfo does not launch harmonote.desktop"

[ $failures -eq 0 ] || exit 1
echo "validators: passed"
