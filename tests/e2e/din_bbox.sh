#!/usr/bin/env bash
# A letter rendered in DIN 5008 Form A and Form B puts its parts where the
# forms want them on the sheet: pdftotext reads every word's box back from
# the PDF, and each lies within 0.5 mm of its place; continued pages carry
# "Seite n von N" at the top right, page 1 carries none.
#   din_bbox.sh PATH/TO/quillory-cli PATH/TO/letter.json
set -uo pipefail
cli=$1
letter_json=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

command -v pdftotext >/dev/null || { echo "SKIP: pdftotext is not installed"; exit 77; }
command -v python3 >/dev/null || { echo "SKIP: python3 is not installed"; exit 77; }
"$cli" convert "$letter_json" "$work/brief.bri" || fail "could not make the letter"
for form in a b; do
    pages=$("$cli" render "$work/brief.bri" -o "$work/din-$form.pdf" --layout "din-$form") ||
        fail "render --layout din-$form failed"
    pdftotext -bbox "$work/din-$form.pdf" "$work/din-$form.html" || fail "pdftotext failed"
    python3 - "$form" "$pages" "$work/din-$form.html" <<'PY' || exit 1
import re, sys
form, pages, html = sys.argv[1], int(sys.argv[2]), open(sys.argv[3], encoding="utf-8").read()
mm = 25.4 / 72
field = 27 if form == "a" else 45
word = re.compile(r'<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>')
sheets = [[(float(a) * mm, float(b) * mm, float(c) * mm, float(d) * mm, t) for a, b, c, d, t in word.findall(p)]
          for p in html.split("<page ")[1:]]
if len(sheets) != pages or pages < 2:
    sys.exit(f"FAIL: Form {form}: {len(sheets)} pages in the PDF, render said {pages}")
problems = []
def near(what, actual, expected):
    print(f"Form {form}: {what} at {actual:.2f} mm, wanted {expected:.2f} mm")
    if abs(actual - expected) > 0.5:
        problems.append(what)
def first(page, text, left=None):
    hits = [w for w in sheets[page] if w[4] == text and (left is None or w[0] < left)]
    if not hits:
        sys.exit(f"FAIL: Form {form}: '{text}' not on page {page + 1}")
    return min(hits, key=lambda w: w[1])
recipient = first(0, "Stadtwerke")
near("recipient's left", recipient[0], 25)
near("recipient's top", recipient[1], field + 17.7)
ret = first(0, "Erika", left=100)  # the return line, not the letterhead at the right
near("return line's left", ret[0], 25)
near("return line's bottom", ret[3], field + 5)
date = first(0, "Datum")
near("information block's left", date[0], 125)
# Without rows the date is the block's first line; its label stands on its baseline.
near("information block's top", first(0, "08.12.2026")[1], field + 5)
footer = first(0, "Musterbank")
near("footer's bottom", footer[3], 287)
for page, words in enumerate(sheets):
    labels = [i for i, w in enumerate(words) if w[4] == "Seite" and i + 3 < len(words)
              and words[i + 2][4] == "von"]
    if page == 0:
        if labels:
            problems.append("a page number on page 1")
        continue
    if len(labels) != 1:
        sys.exit(f"FAIL: Form {form}: page {page + 1} has {len(labels)} page labels")
    i = labels[0]
    text = " ".join(w[4] for w in words[i:i + 4])
    if text != f"Seite {page + 1} von {pages}":
        problems.append(f"page {page + 1} says '{text}'")
    near(f"page {page + 1} label's right", words[i + 3][2], 190)
    if not (10 <= words[i][1] and words[i][3] <= 25):
        problems.append(f"page {page + 1} label outside 10 to 25 mm")
if problems:
    sys.exit(f"FAIL: Form {form}: " + ", ".join(problems))
PY
done
echo "PASS"
