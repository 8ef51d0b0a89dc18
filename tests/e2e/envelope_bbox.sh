#!/usr/bin/env bash
# The envelope check measures the address where the PDF really prints it:
# the recipient lines' positions that pdftotext reads from the rendered PDF
# agree with "quillory-cli check --json" within 0.5 mm.
#   envelope_bbox.sh PATH/TO/quillory-cli PATH/TO/letter.json
set -uo pipefail
cli=$1
letter_json=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

command -v pdftotext >/dev/null || { echo "SKIP: pdftotext is not installed"; exit 77; }
command -v python3 >/dev/null || { echo "SKIP: python3 is not installed"; exit 77; }
"$cli" convert "$letter_json" "$work/brief.bri" || fail "could not make the letter"
"$cli" render "$work/brief.bri" -o "$work/brief.pdf" >/dev/null || fail "render failed"
pdftotext -bbox -f 1 -l 1 "$work/brief.pdf" "$work/words.html" || fail "pdftotext failed"
"$cli" check "$work/brief.bri" --envelope DL --json >"$work/check.json"
status=$?
[ "$status" -eq 0 ] || [ "$status" -eq 3 ] || fail "check exited with $status"

python3 - "$letter_json" "$work/words.html" "$work/check.json" <<'PY' || exit 1
import json, re, sys
letter = json.load(open(sys.argv[1], encoding="utf-8"))
words = re.findall(r'<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>',
                   open(sys.argv[2], encoding="utf-8").read())
box = json.load(open(sys.argv[3], encoding="utf-8"))["recipientBox"]
mm = 25.4 / 72
first = letter["recipient"]["name"].split()[0]
last = letter["recipient"]["city"].split()[-1]
# The recipient's first word is the top-left of the address; its city's last
# word the bottom line. Other lines of the page may use the same words, so
# take the hits nearest to the box.
def nearest(word, key):
    hits = [w for w in words if w[4] == word]
    if not hits:
        sys.exit(f"FAIL: '{word}' not found in the PDF")
    return min(hits, key=key)
top = nearest(first, lambda w: abs(float(w[1]) * mm - box["top"]))
bottom = nearest(last, lambda w: abs(float(w[3]) * mm - (box["top"] + box["height"])))
checks = {
    "left": (float(top[0]) * mm, box["left"]),
    "top": (float(top[1]) * mm, box["top"]),
    "bottom": (float(bottom[3]) * mm, box["top"] + box["height"]),
}
bad = {k: v for k, v in checks.items() if abs(v[0] - v[1]) > 0.5}
for k, (pdf, check) in checks.items():
    print(f"{k}: PDF {pdf:.2f} mm, check {check:.2f} mm")
if bad:
    sys.exit(f"FAIL: more than 0.5 mm apart: {bad}")
PY
echo "PASS"
