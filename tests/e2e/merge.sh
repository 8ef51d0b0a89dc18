#!/usr/bin/env bash
# A serial letter end to end: quillory-cli merge sends one letter to the 200
# records of a generated table; the PDF has a page per letter, each page shows
# its own recipient and salutation and restarts its page label, and a PDF per
# record carries the same text.
#   merge.sh PATH/TO/quillory-cli PATH/TO/letter.json
set -uo pipefail
cli=$1
letter_json=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

command -v pdfinfo >/dev/null && command -v pdftotext >/dev/null || {
  echo "SKIP: pdfinfo/pdftotext (poppler-utils) are not installed"
  exit 77
}
command -v python3 >/dev/null || { echo "SKIP: python3 is not installed"; exit 77; }

# The letter with placeholders where the recipient goes.
python3 - "$letter_json" "$work/serie.json" <<'PY' || fail "could not make the letter"
import json, sys
letter = json.load(open(sys.argv[1], encoding="utf-8"))
letter["recipient"].update(name="{Name}", street="{Straße}", city="{PLZ} {Ort}", extra="")
letter["salutation"] = "Sehr geehrte(r) {Anrede} {Name},"
json.dump(letter, open(sys.argv[2], "w", encoding="utf-8"), ensure_ascii=False)
PY
"$cli" convert "$work/serie.json" "$work/serie.bri" || fail "could not convert the letter"

# 200 records as a German spreadsheet saves them: semicolons, Windows-1252,
# CR LF, one name quoted with a semicolon in it.
{
  printf 'Name;Anrede;Stra\xdfe;PLZ;Ort\r\n'
  for i in $(seq 1 200); do
    if [ "$i" = 7 ]; then
      printf '"M\xfcller; Sohn %d";Herr;Weg %d;%05d;K\xf6ln\r\n' "$i" "$i" "$i"
    else
      printf 'Empf\xe4nger %d;Frau;Weg %d;%05d;Ort%d\r\n' "$i" "$i" "$i" "$i"
    fi
  done
} >"$work/daten.csv"

out=$("$cli" merge "$work/serie.bri" "$work/daten.csv" -o "$work/alle.pdf" 2>"$work/err") ||
  fail "merge failed: $(cat "$work/err")"
[ "$out" = "200 Briefe, 200 Seiten" ] || fail "merge reported: $out"
grep -q 'Semikolon, Windows-1252, 200 Datensätze' "$work/err" || fail "detection: $(cat "$work/err")"
info=$(pdfinfo "$work/alle.pdf")
echo "$info" | grep -Eq '^Pages: +200$' || fail "not 200 pages: $(echo "$info" | grep Pages)"
echo "$info" | grep -Eq '^Title: +Serienbrief$' || fail "title: $(echo "$info" | grep Title)"

for page in 1 7 100 200; do
  text=$(pdftotext -f "$page" -l "$page" -layout "$work/alle.pdf" -)
  if [ "$page" = 7 ]; then name="Müller; Sohn 7" salutation="Herr"; city="00007 Köln"
  else name="Empfänger $page" salutation="Frau"; city=$(printf '%05d Ort%d' "$page" "$page"); fi
  echo "$text" | grep -qF "Sehr geehrte(r) $salutation $name," || fail "page $page: no salutation to $name"
  echo "$text" | grep -qF "Weg $page" || fail "page $page: no street of $name in:
$text"
  echo "$text" | grep -qF "$city" || fail "page $page: no city $city"
  echo "$text" | grep -qE '^ *- ?1 ?- *$' || fail "page $page: no page label - 1 -"
  echo "$text" | grep -q '{' && fail "page $page: a placeholder is left: $(echo "$text" | grep '{')"
done

# One PDF per record, named after a column.
"$cli" merge "$work/serie.bri" "$work/daten.csv" --each "$work/einzeln" --name 'Brief an {Name}' \
  --records 5-9 >"$work/out" 2>"$work/err" || fail "merge --each failed: $(cat "$work/err")"
[ "$(cat "$work/out")" = "5 Briefe, 5 Seiten" ] || fail "merge --each reported: $(cat "$work/out")"
[ "$(ls "$work/einzeln" | wc -l)" = 5 ] || fail "not 5 files: $(ls "$work/einzeln")"
pdftotext "$work/einzeln/Brief an Müller; Sohn 7.pdf" - | grep -qF "Sehr geehrte(r) Herr Müller; Sohn 7," ||
  fail "the file of record 7 is not its letter"
# Each file is a letter of its own: PDF/A, titled with its subject, authored by its sender.
single="$work/einzeln/Brief an Müller; Sohn 7.pdf"
info=$(pdfinfo "$single")
echo "$info" | grep -Eq '^Title: +Kündigung Stromliefervertrag' || fail "title: $(echo "$info" | grep Title)"
echo "$info" | grep -Eq '^Author: +Erika Mustermann$' || fail "author: $(echo "$info" | grep Author)"
pdfinfo -meta "$single" | grep -q 'pdfaid:part' || fail "not PDF/A"
# Asked again, the files are kept and the run says so.
"$cli" merge "$work/serie.bri" "$work/daten.csv" --each "$work/einzeln" --name 'Brief an {Name}' \
  --records 5-9 2>"$work/err" && fail "an existing file was overwritten"
grep -q 'gibt es schon' "$work/err" || fail "no refusal: $(cat "$work/err")"

# An unknown column stops the run before any output.
sed 's/{Anrede}/{Anrde}/' "$work/serie.json" >"$work/falsch.json"
"$cli" convert "$work/falsch.json" "$work/falsch.bri" || fail "could not convert"
"$cli" merge "$work/falsch.bri" "$work/daten.csv" -o "$work/falsch.pdf" 2>"$work/err" &&
  fail "a letter with an unknown column was merged"
grep -qF 'Unbekannte Spalte „Anrde“ in Anrede' "$work/err" || fail "unknown column: $(cat "$work/err")"
[ ! -e "$work/falsch.pdf" ] || fail "a PDF was written despite the unknown column"
echo "PASS: 200 letters, each with its own recipient"
