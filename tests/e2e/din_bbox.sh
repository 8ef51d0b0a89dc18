#!/usr/bin/env bash
# A letter rendered in DIN 5008 Form A and Form B puts its parts where the
# forms want them on the sheet: pdftotext reads every word's box back from
# the PDF, and each lies within 0.5 mm of its place; continued pages carry
# "Seite n von N" at the top right, page 1 carries none. The same letter
# again with an information block, a postal note, enclosures and a
# distribution list: those at their places too, and the file a PDF/A-1b
# that Preflight accepts where it is installed.
#   din_bbox.sh PATH/TO/quillory-cli PATH/TO/letter.json
set -uo pipefail
cli=$1
letter_json=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

command -v pdftotext >/dev/null || { echo "SKIP: pdftotext is not installed"; exit 77; }
command -v python3 >/dev/null || { echo "SKIP: python3 is not installed"; exit 77; }
"$cli" convert "$letter_json" "$work/plain.bri" || fail "could not make the letter"
python3 - "$letter_json" "$work/full.json" <<'PY' || fail "could not make the letter with references"
import json, sys
letter = json.load(open(sys.argv[1], encoding="utf-8"))
letter["infoBlock"] = [{"label": "Ihr Zeichen", "value": "ab-12"},
                       {"label": "Unser Zeichen", "value": "em"},
                       {"label": "Kundennummer", "value": "4711"}]
letter["postalNotes"] = ["Einschreiben"]
letter["enclosures"] = ["Vertrag", "Zählerstand"]
letter["distribution"] = ["Buchhaltung"]
json.dump(letter, open(sys.argv[2], "w", encoding="utf-8"), ensure_ascii=False)
PY
"$cli" convert "$work/full.json" "$work/full.bri" || fail "could not make the letter with references"
for variant in plain full; do
for form in a b; do
    pdf="$work/$variant-din-$form.pdf"
    pages=$("$cli" render "$work/$variant.bri" -o "$pdf" --layout "din-$form") ||
        fail "render $variant --layout din-$form failed"
    pdftotext -bbox "$pdf" "$work/$variant-din-$form.html" || fail "pdftotext failed"
    python3 - "$form" "$pages" "$work/$variant-din-$form.html" "$variant" <<'PY' || exit 1
import re, sys
form, pages, html = sys.argv[1], int(sys.argv[2]), open(sys.argv[3], encoding="utf-8").read()
full = sys.argv[4] == "full"
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
if not full:
    # Without rows the date is the block's first line; its label stands on its baseline.
    near("information block's top", first(0, "08.12.2026")[1], field + 5)
else:
    rows = [first(0, v) for v in ("ab-12", "em", "4711")]
    near("information block's top", rows[0][1], field + 5)
    for label in ("Ihr", "Unser", "Kundennummer"):
        near(f"label {label}'s left", first(0, label)[0], 125)
    pitch = rows[1][1] - rows[0][1]
    near("third row", rows[2][1] - rows[1][1], pitch)
    # One blank line before the date.
    near("date below the rows", first(0, "08.12.2026")[1] - rows[2][1], 2 * pitch)
    note = first(0, "Einschreiben")
    near("postal note's left", note[0], 25)
    near("postal note's bottom", note[3], field + 17.7)
    def last(text):
        for page in range(len(sheets) - 1, -1, -1):
            hits = [w for w in sheets[page] if w[4] == text]
            if hits:
                return page, max(hits, key=lambda w: w[1])
        sys.exit(f"FAIL: Form {form}: '{text}' not found")
    after = [last(t) for t in ("Anlagen", "Vertrag", "Zählerstand", "Verteiler", "Buchhaltung")]
    (page, heading), (item_page, item) = after[0], after[1]
    if item_page != page:
        problems.append("'Anlagen' apart from its first item")
    if after[3][0] != after[4][0]:
        problems.append("'Verteiler' apart from its first item")
    for (_, w) in after:
        near(f"{w[4]}'s left", w[0], 25)
    line = item[1] - heading[1]
    if page == after[2][0]:
        near("second enclosure", after[2][1][1] - item[1], line)
    if after[2][0] == after[3][0]:
        # One blank line between the enclosures and the distribution list.
        near("'Verteiler' below the enclosures", after[3][1][1] - after[2][1][1], 2 * line)
    signature = [w for w in sheets[page] if w[4] == "Erika" and w[1] < heading[1]]
    if signature:
        # One blank line between the typed signature and "Anlagen".
        near("'Anlagen' below the signature", heading[1] - max(w[1] for w in signature), 2 * line)
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
done

classpath=
for jar in preflight pdfbox2 pdfbox2-tools fontbox2 xmpbox commons-logging javax.activation jaxb-api; do
    [ -f "/usr/share/java/$jar.jar" ] || { classpath=; break; }
    classpath+="${classpath:+:}/usr/share/java/$jar.jar"
done
if [ -n "$classpath" ] && java -version >/dev/null 2>&1; then
    for form in a b; do
        java -cp "$classpath" org.apache.pdfbox.preflight.Validator_A1b "$work/full-din-$form.pdf" \
            >"$work/verdict" 2>&1 || { cat "$work/verdict" >&2; fail "Preflight refuses Form $form"; }
        echo "Form $form: $(head -1 "$work/verdict")"
    done
else
    echo "note: Preflight is not installed; PDF/A-1b not checked here"
fi
echo "PASS"
