#!/usr/bin/env bash
# Builds the Debian package from this build and checks it as a user's machine
# would take it: the desktop entry and the AppStream metadata validate,
# lintian finds no error, the manual pages name every command and option, and
# the unpacked tree holds every file, finds every library and runs.
# Usage: package.sh BUILD_DIR VERSION
set -euo pipefail
build=$1
version=$2
fail() { echo "FAIL: $*" >&2; exit 1; }
for tool in cpack dpkg-deb dpkg-shlibdeps lintian desktop-file-validate appstreamcli ldd; do
  command -v "$tool" >/dev/null || fail "$tool is missing (scripts/bootstrap installs it)"
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

started=$SECONDS
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log" >&2; fail "cpack could not build the package"; }
deb=$work/out/quillory_${version}_$(dpkg --print-architecture).deb
[ -f "$deb" ] || fail "no $(basename "$deb"): $(ls "$work/out")"

field() { dpkg-deb -f "$deb" "$1"; }
# Libraries come from dpkg-shlibdeps, the plug-in and font packages by name.
for dep in libc6 libqt6gui6 libqt6widgets6 libqt6printsupport6 libhunspell fonts-liberation \
           libqt6sql6-sqlite; do
  field Depends | grep -q "$dep" || fail "Depends lacks $dep: $(field Depends)"
done
field Recommends | grep -q hunspell-de-de || fail "hunspell-de-de is not recommended"

root=$work/root
dpkg-deb -x "$deb" "$root"
share=$root/usr/share
for f in usr/bin/quillory usr/bin/quillory-cli \
         usr/share/applications/quillory.desktop \
         usr/share/mime/packages/quillory-letter.xml \
         usr/share/metainfo/de.quillory.Quillory.metainfo.xml \
         usr/share/icons/hicolor/scalable/apps/quillory.svg \
         usr/share/doc/quillory/copyright usr/share/doc/quillory/changelog.gz \
         usr/share/man/man1/quillory.1.gz usr/share/man/man1/quillory-cli.1.gz \
         usr/share/man/de/man1/quillory.1.gz usr/share/man/de/man1/quillory-cli.1.gz; do
  [ -f "$root/$f" ] || fail "$f is not in the package"
done
for size in 16 32 48 64 128 256; do
  png=$share/icons/hicolor/${size}x${size}/apps/quillory.png
  [ -f "$png" ] || fail "no ${size}x${size} icon"
  file "$png" | grep -q "PNG image data, $size x $size" || fail "$(file "$png")"
done

# The desktop entry, the letter type and the metadata name the same things.
desktop=$share/applications/quillory.desktop
metainfo=$share/metainfo/de.quillory.Quillory.metainfo.xml
out=$(desktop-file-validate "$desktop" 2>&1) || fail "desktop-file-validate: $out"
[ -z "$out" ] || fail "desktop-file-validate warns: $out"
out=$(appstreamcli validate --no-net "$metainfo" 2>&1) || fail "appstreamcli: $out"
if grep -E '^[EW]:' <<<"$out"; then fail "appstreamcli reports the lines above"; fi
type=$(sed -n 's/.*mime-type type="\([^"]*\)".*/\1/p' "$share/mime/packages/quillory-letter.xml")
grep -q "MimeType=$type;" "$desktop" || fail "the desktop entry does not open $type"
grep -q "<mediatype>$type</mediatype>" "$metainfo" || fail "the metadata does not provide $type"
grep -q '<launchable type="desktop-id">quillory.desktop</launchable>' "$metainfo" ||
  fail "the metadata does not launch quillory.desktop"
grep -q "<release version=\"$version\" date=\"2026-12-08\">" "$metainfo" || fail "no release $version"

# Both programs find every library and tell the version, without a display.
for program in quillory quillory-cli; do
  libs=$(ldd "$root/usr/bin/$program")
  if grep 'not found' <<<"$libs"; then fail "$program lacks the libraries above"; fi
  said=$(env -u DISPLAY -u WAYLAND_DISPLAY "$root/usr/bin/$program" --version)
  [ "$said" = "$program $version" ] || fail "$program --version says '$said'"
done

# Every command and option the command line knows is in both of its pages.
help=$("$root/usr/bin/quillory-cli" --help)
words=$(sed -n 's/^  \([a-z]*\) .*/\1/p' <<<"$help"; grep -oE -- '(^| |\[|\()--?[a-z][a-z-]*' <<<"$help" |
        tr -d ' [(' | sort -u)
[ "$(wc -w <<<"$words")" -gt 20 ] || fail "too few commands and options read from --help: $words"
for page in man/man1 man/de/man1; do
  text=$(zcat "$share/$page/quillory-cli.1.gz")
  for word in $words; do
    grep -qF -- "$word" <<<"$text" || fail "$page/quillory-cli.1 does not mention $word"
  done
done

lintian --no-tag-display-limit "$deb" >"$work/lintian.log" 2>&1 || true
cat "$work/lintian.log"
if grep -q '^E:' "$work/lintian.log"; then fail "lintian reports errors"; fi
echo "package checked in $((SECONDS - started)) s"
