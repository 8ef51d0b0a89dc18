#!/usr/bin/env bash
# The PDFs quillory-cli writes are PDF/A-1b that a real validator (Apache
# PDFBox Preflight) accepts: the sample letter, a letter of 100 pages and one
# with a scanned signature (a transparent PNG); a
# plain PDF 1.4 is refused, so the validator is known to look. Title, author
# and creator read back with pdfinfo, and the text copies out with its spaces.
#   pdfa.sh PATH/TO/quillory-cli PATH/TO/letter.json
set -uo pipefail
cli=$1
letter_json=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

for tool in pdfinfo pdftotext pdfimages python3; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
java -version >/dev/null 2>&1 || { echo "SKIP: no Java runtime starts here (default-jre-headless)"; exit 77; }
classpath=
for jar in preflight pdfbox2 pdfbox2-tools fontbox2 xmpbox commons-logging javax.activation jaxb-api; do
  [ -f "/usr/share/java/$jar.jar" ] ||
    fail "/usr/share/java/$jar.jar is missing (scripts/bootstrap installs libpdfbox2-java, libactivation-java, libjaxb-api-java)"
  classpath+="${classpath:+:}/usr/share/java/$jar.jar"
done

# The verdict of Preflight on a PDF: 0 when it is a valid PDF/A-1b.
preflight() { java -cp "$classpath" org.apache.pdfbox.preflight.Validator_A1b "$1" >"$work/verdict" 2>&1; }

"$cli" convert "$letter_json" "$work/brief.bri" || fail "could not make the sample letter"
python3 - "$letter_json" "$work/long.json" <<'PY' || fail "could not make the long letter"
import json, sys
letter = json.load(open(sys.argv[1], encoding="utf-8"))
letter["body"] = "\r\n\r\n".join([letter["body"]] * 700)
json.dump(letter, open(sys.argv[2], "w", encoding="utf-8"), ensure_ascii=False)
PY
"$cli" convert "$work/long.json" "$work/long.bri" || fail "could not make the long letter"

"$cli" render "$work/brief.bri" -o "$work/brief.pdf" >/dev/null || fail "render of the sample failed"
pages=$("$cli" render "$work/long.bri" -o "$work/long.pdf") || fail "render of the long letter failed"
[ "$pages" -ge 100 ] || fail "the long letter has $pages pages, not 100"
"$cli" render "$work/brief.bri" -o "$work/plain.pdf" --pdf 1.4 >/dev/null || fail "render --pdf 1.4 failed"
# A wavy stroke of ink on a transparent ground, 240 x 80 pixels.
python3 - "$work/signature.png" <<'PY' || fail "could not make the signature image"
import math, struct, sys, zlib
w, h = 240, 80
rows = b"".join(b"\0" + b"".join(bytes([20, 30, 120, 255 if abs(y - 40 - 25 * math.sin(x / 15)) < 4 else 0])
                                   for x in range(w)) for y in range(h))
chunk = lambda t, d: struct.pack(">I", len(d)) + t + d + struct.pack(">I", zlib.crc32(t + d))
open(sys.argv[1], "wb").write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 6, 0, 0, 0))
                               + chunk(b"IDAT", zlib.compress(rows)) + chunk(b"IEND", b""))
PY
"$cli" render "$work/brief.bri" -o "$work/signed.pdf" --signature-image "$work/signature.png" >/dev/null ||
  fail "render --signature-image failed"

for pdf in brief long signed; do
  preflight "$work/$pdf.pdf" || { cat "$work/verdict" >&2; fail "Preflight refuses $pdf.pdf"; }
  echo "$pdf.pdf: $(head -1 "$work/verdict")"
done
preflight "$work/plain.pdf" && fail "Preflight takes a plain PDF 1.4 for PDF/A-1b"
grep -q "not a valid PDF/A-1b" "$work/verdict" || { cat "$work/verdict" >&2; fail "Preflight did not run"; }

# The signature is one opaque image (PDF/A-1 has no soft masks) in place of the dots.
images=$(pdfimages -list "$work/signed.pdf" | tail -n +3)
[ "$(wc -l <<<"$images")" -eq 1 ] && ! grep -q smask <<<"$images" || fail "signature image: $images"
[ -z "$(pdfimages -list "$work/brief.pdf" | tail -n +3)" ] || fail "an image without a signature"
pdftotext "$work/signed.pdf" - | grep -q '\.\.\.\.' && fail "the dotted line stays beside the signature"
pdftotext "$work/brief.pdf" - | grep -q '\.\.\.\.' || fail "no dotted line without a signature"

# Title, author and creator in the document information; the XMP packet names
# the PDF/A part. The plain PDF carries the same information without XMP.
for pdf in brief plain; do
  info=$(pdfinfo "$work/$pdf.pdf") || fail "pdfinfo cannot read $pdf.pdf"
  grep -qx "Title: *Kündigung Stromliefervertrag Nr. 34534345" <<<"$info" || fail "title of $pdf.pdf: $info"
  grep -qx "Author: *Erika Mustermann" <<<"$info" || fail "author of $pdf.pdf: $info"
  grep -qx "Creator: *Quillory" <<<"$info" || fail "creator of $pdf.pdf: $info"
done
meta=$(pdfinfo -meta "$work/brief.pdf")
grep -q "<pdfaid:part>1</pdfaid:part>" <<<"$meta" || fail "no PDF/A part in the XMP packet: $meta"
grep -q "<pdfaid:conformance>B</pdfaid:conformance>" <<<"$meta" || fail "no conformance B: $meta"
grep -q "<dc:creator><rdf:Seq><rdf:li>Erika Mustermann</rdf:li>" <<<"$meta" || fail "no author in XMP"
[ -z "$(pdfinfo -meta "$work/plain.pdf")" ] || fail "the plain PDF carries an XMP packet"

# Body lines keep their spaces in both of pdftotext's modes.
body="hiermit kündige ich den oben genannten Vertrag fristgerecht zum 31.01.2027."
for mode in -nopgbrk -layout; do
  pdftotext "$mode" -f 1 -l 1 "$work/brief.pdf" - | grep -qF "$body" ||
    fail "pdftotext $mode does not read the body line with its spaces"
done
# The page label: pdftotext reads a line of single characters as spaced-out
# letters and joins "- 1 -", so the label is read where it has two digits, and
# on page 1 through PDFBox, which reads a space where the PDF leaves room.
pdftotext -layout -f 12 -l 12 "$work/long.pdf" - | grep -q -- "- 12 -" ||
  fail "pdftotext -layout does not read the label of page 12 as - 12 -"
java -cp "$classpath" org.apache.pdfbox.tools.ExtractText -endPage 1 "$work/brief.pdf" "$work/brief.txt" ||
  fail "PDFBox cannot extract the text"
grep -qx -- "- 1 -" "$work/brief.txt" || fail "PDFBox does not read the label as - 1 -"
grep -qF "$body" "$work/brief.txt" || fail "PDFBox does not read the body line with its spaces"
! grep -q $'\t' "$work/brief.txt" || fail "spaces copy out as tabs"
echo "ok"
