#!/usr/bin/env bash
# Payment codes rendered by quillory-cli and decoded by ZXingReader to their exact
# payload, per record in a serial letter; invalid data stops before any file.
set -uo pipefail
cli=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

for tool in ZXingReader pdftoppm pdfimages python3; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

hex() { python3 -c 'import sys; print(" ".join("%02X" % b for b in sys.argv[1].encode()))' "$1"; }
decoded() { ZXingReader "$1" | sed -n 's/^Bytes: *//p' | sed 's/ *$//'; }

letter() {
  printf '{"subject": "Rechnung", "body": "Bitte zahlen Sie.", "payment": %s}' "$2" >"$work/$1.json"
  "$cli" convert "$work/$1.json" "$work/$1.bri" || fail "$1: could not convert"
}

# name | layout | payment | expected payload (\n: line feed)
while IFS='|' read -r name layout payment expected; do
  letter "$name" "$payment"
  "$cli" render "$work/$name.bri" --layout "$layout" --dpi 300 -o "$work/$name.png" >/dev/null ||
    fail "$name: render failed"
  want=$(hex "$(printf '%b' "$expected")")
  got=$(decoded "$work/$name.png")
  [ "$got" = "$want" ] || fail "$name: decoded $got, expected $want"
done <<'CASES'
amount-text|1|{"payee": "Jörg Müller", "iban": "de89 3704 0044 0532 0130 00", "amount": "149,90", "text": "Rechnung 17 für Größe"}|BCD\n002\n1\nSCT\n\nJörg Müller\nDE89370400440532013000\nEUR149.90\n\n\nRechnung 17 für Größe
reference|2|{"payee": "Klara Öztürk", "iban": "AT61 1904 3002 3457 3201", "bic": "bkauatww", "reference": "RF18 5390 0754 7034"}|BCD\n002\n1\nSCT\nBKAUATWW\nKlara Öztürk\nAT611904300234573201\n\n\nRF18539007547034
sender-din|din-a|{"iban": "CH9300762011623852957", "amount": "5", "text": "Spende"}|BCD\n002\n1\nSCT\n\nErika Mustermann\nCH9300762011623852957\nEUR5.00\n\n\nSpende
CASES

# Vector modules, no picture: the printer draws the code at its own resolution.
"$cli" render "$work/amount-text.bri" -o "$work/amount-text.pdf" >/dev/null || fail "PDF render failed"
[ "$(pdfimages -list "$work/amount-text.pdf" | tail -n +3 | wc -l)" = 0 ] || fail "the PDF holds an image"

letter broken '{"iban": "DE88 3704 0044 0532 0130 00", "amount": "1"}'
"$cli" render "$work/broken.bri" -o "$work/broken.pdf" >/dev/null 2>"$work/err"
status=$?
[ "$status" = 2 ] || fail "broken IBAN: exit $status"
grep -qF 'Die Prüfziffern der IBAN stimmen nicht' "$work/err" || fail "broken IBAN: $(cat "$work/err")"
[ ! -e "$work/broken.pdf" ] || fail "broken IBAN: a PDF was written"

# A serial letter: each page's code carries its own record's amount and text.
letter serie '{"payee": "Stadtwerke", "iban": "NL91ABNA0417164300", "amount": "{Betrag}", "text": "Rechnung {Nr}"}'
printf 'Nr;Betrag\r\n101;12,50\r\n102;7\r\n103;1000,01\r\n' >"$work/daten.csv"
"$cli" merge "$work/serie.bri" "$work/daten.csv" -o "$work/serie.pdf" >/dev/null 2>"$work/err" ||
  fail "merge failed: $(cat "$work/err")"
pdftoppm -r 300 -png "$work/serie.pdf" "$work/seite" || fail "pdftoppm failed"
for row in '1 101 12.50' '2 102 7.00' '3 103 1000.01'; do
  read -r page number amount <<<"$row"
  want=$(hex "$(printf 'BCD\n002\n1\nSCT\n\nStadtwerke\nNL91ABNA0417164300\nEUR%s\n\n\nRechnung %s' "$amount" "$number")")
  got=$(decoded "$work/seite-$page.png")
  [ "$got" = "$want" ] || fail "serial page $page: decoded $got, expected $want"
done

printf 'Nr;Betrag\r\n101;12,50\r\n102;zwölf\r\n' >"$work/falsch.csv"
"$cli" merge "$work/serie.bri" "$work/falsch.csv" -o "$work/falsch.pdf" >/dev/null 2>"$work/err" &&
  fail "merge with a wrong amount succeeded"
grep -qF 'Datensatz 2: Der Betrag ist eine Zahl' "$work/err" || fail "wrong amount: $(cat "$work/err")"
[ ! -e "$work/falsch.pdf" ] || fail "wrong amount: a PDF was written"
echo "payment codes decoded"
