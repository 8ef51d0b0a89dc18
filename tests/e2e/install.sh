#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks that Quillory arrives as
# a desktop citizen: both programs, the menu entry, the icon and a letter file
# type that shared-mime-info accepts.
# Usage: install.sh BUILD_DIR
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build" --prefix "$prefix" >/dev/null

fail() { echo "FAIL: $*" >&2; exit 1; }
for f in bin/quillory bin/quillory-cli share/applications/quillory.desktop \
         share/mime/packages/quillory-letter.xml share/icons/hicolor/128x128/apps/quillory.png; do
  [ -e "$prefix/$f" ] || fail "$f was not installed"
done

desktop=$prefix/share/applications/quillory.desktop
grep -qx 'Name=Quillory' "$desktop" || fail "the entry is not named Quillory"
grep -q '^Name\[de\]=' "$desktop" || fail "no German name"
grep -q '^Comment\[de\]=' "$desktop" || fail "no German comment"
grep -q '^Categories=.*Office;' "$desktop" || fail "not in the Office category"
grep -q '^MimeType=.*application/x-quillory-letter;' "$desktop" || fail "letters are not its type"
grep -q '^Exec=quillory %f$' "$desktop" || fail "a double-clicked letter is not passed on"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$desktop"
fi

if command -v update-mime-database >/dev/null; then
  XDG_DATA_DIRS="$prefix/share" update-mime-database "$prefix/share/mime"
  grep -q '^application/x-quillory-letter:\*\.bri$' "$prefix/share/mime/globs" ||
    fail "shared-mime-info does not map *.bri to application/x-quillory-letter"
else
  grep -q '<glob pattern="\*\.bri"/>' "$prefix/share/mime/packages/quillory-letter.xml" ||
    fail "no *.bri glob"
fi
echo "installed and registered: $(cd "$prefix" && find . -type f -path './share/*' | sort | tr '\n' ' ')"
