#!/usr/bin/env bash
# A serial letter on the printer end to end: quillory-cli merge --print sends
# the letters to three records to a real CUPS queue (cups-pdf) as one job
# "Serienbrief"; its output has a page per letter, each with its own recipient.
#   cups-merge.sh PATH/TO/quillory-cli PATH/TO/letter.json
set -uo pipefail
cli=$1
letter_json=$2
here=$(dirname "${BASH_SOURCE[0]}")
source "$here/cups-queue.sh"

# Only what this test made is removed at the end: PDFs newer than its stamp.
cups_test_begin 'Serienbrief*.pdf'
fail() { echo "FAIL: $*" >&2; exit 1; }
command -v pdfinfo >/dev/null && command -v pdftotext >/dev/null || {
  echo "SKIP: pdfinfo/pdftotext (poppler-utils) are not installed"
  exit 77
}
command -v python3 >/dev/null || { echo "SKIP: python3 is not installed"; exit 77; }

# The one-page example letter with the recipient's name as a placeholder.
python3 - "$letter_json" "$work/serie.json" <<'PY' || fail "could not make the letter"
import json, sys
letter = json.load(open(sys.argv[1], encoding="utf-8"))
letter["recipient"]["name"] = "{Name}"
json.dump(letter, open(sys.argv[2], "w", encoding="utf-8"), ensure_ascii=False)
PY
"$cli" convert "$work/serie.json" "$work/serie.bri" || fail "could not convert the letter"
names=("Anna Apfel" "Bernd Birne" "Clara Quitte")
{
  echo "Name"
  printf '%s\n' "${names[@]}"
} >"$work/daten.csv"

touch "$stamp"
sleep 1 # file times have a resolution of a second on some file systems
# The scheduler keeps the document it was handed, to be read back below.
if ! cups_queue_start "$work/cups" "PreserveJobFiles Yes"; then
  echo "SKIP: cupsd could not start here"
  exit 77
fi
pdf_dir=$(cups_queue_pdf_dir)

out=$("$cli" merge "$work/serie.bri" "$work/daten.csv" --print --printer PDF 2>"$work/err") ||
  fail "merge --print failed: $(cat "$work/err")"
[ "$out" = "3 Briefe, 3 Seiten" ] || fail "merge --print reported: $out"
cups_queue_wait_idle || {
  lpstat -o >&2
  tail -n 20 "$work/cups/log/error_log" >&2
  fail "the job did not finish"
}

# One job "Serienbrief" of three pages in the page log, and nothing else.
page_log="$work/cups/log/page_log"
[ "$(wc -l <"$page_log")" = 1 ] || fail "not one job in the page log: $(cat "$page_log")"
grep -Eq '^PDF [0-9]+ .* total 3 Serienbrief$' "$page_log" ||
  fail "the page log has no job \"Serienbrief\" of 3 pages: $(cat "$page_log")"

pdfs=$(find "$pdf_dir" -maxdepth 1 -name 'Serienbrief*.pdf' -newer "$stamp")
[ -n "$pdfs" ] || fail "cups-pdf wrote no PDF to $pdf_dir"
[ "$(echo "$pdfs" | wc -l)" = 1 ] || fail "more than one PDF: $pdfs"
info=$(pdfinfo "$pdfs")
echo "$info" | grep -Eq '^Pages: +3$' || fail "the printed PDF has not 3 pages: $(echo "$info" | grep Pages)"
echo "$info" | grep -Eq '^Title: +\(?Serienbrief\)?$' ||
  fail "the printed PDF is not titled Serienbrief: $(echo "$info" | grep Title)"

# Ghostscript, which cups-pdf's filters run, re-encodes the fonts without a
# way back to the characters, so the recipients are read from the document
# the queue was handed: one file, a page per letter, each its own recipient.
docs=$(find "$work/cups/spool" -maxdepth 1 -name 'd*-001')
[ "$(echo "$docs" | grep -c .)" = 1 ] || fail "the queue was not handed one document: $docs"
pdfinfo "$docs" | grep -Eq '^Pages: +3$' || fail "the document handed over has not 3 pages"
for page in 1 2 3; do
  text=$(pdftotext -f "$page" -l "$page" -layout "$docs" -)
  for i in 0 1 2; do
    if [ "$i" = $((page - 1)) ]; then
      echo "$text" | grep -qF "${names[i]}" || fail "page $page does not show ${names[i]}"
    else
      echo "$text" | grep -qF "${names[i]}" && fail "page $page shows ${names[i]} too"
    fi
  done
  echo "$text" | grep -qF '{Name}' && fail "page $page shows the placeholder"
done
echo "PASS: one job \"Serienbrief\" of 3 pages, a page per record with its recipient"
