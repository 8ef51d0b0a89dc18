#!/usr/bin/env bash
# "Drucken" end to end: quillory-cli print sends a three-page letter to a
# real CUPS queue (cups-pdf), and the queue's output has three pages under
# the job name "Brief".
#   cups-print.sh PATH/TO/quillory-cli PATH/TO/three-page-letter.json
set -uo pipefail
cli=$1
letter_json=$2
here=$(dirname "${BASH_SOURCE[0]}")
source "$here/cups-queue.sh"

# Only what this test made is removed at the end: PDFs newer than its stamp.
cups_test_begin 'Brief*.pdf'
fail() { echo "FAIL: $*" >&2; exit 1; }
"$cli" convert "$letter_json" "$work/brief.bri" || fail "could not make the letter"
touch "$stamp"
sleep 1 # file times have a resolution of a second on some file systems
if ! cups_queue_start "$work/cups"; then
  echo "SKIP: cupsd could not start here"
  exit 77
fi
pdf_dir=$(cups_queue_pdf_dir)

pages=$("$cli" print "$work/brief.bri") || fail "print failed"
[ "$pages" = "3" ] || fail "quillory-cli print reported $pages pages"
cups_queue_wait_idle || {
  lpstat -o >&2
  tail -n 20 "$work/cups/log/error_log" >&2
  fail "the job did not finish"
}

grep -q ' Brief$' "$work/cups/log/page_log" || {
  cat "$work/cups/log/page_log" >&2
  fail "the page log names no job \"Brief\""
}
pdf=$(find "$pdf_dir" -maxdepth 1 -name 'Brief*.pdf' -newer "$stamp" | head -n 1)
[ -n "$pdf" ] || fail "cups-pdf wrote no PDF to $pdf_dir"
info=$(pdfinfo "$pdf")
echo "$info" | grep -Eq '^Pages: +3$' || fail "the printed PDF has not 3 pages: $(echo "$info" | grep Pages)"
echo "$info" | grep -Eq '^Title: +\(?Brief\)?$' || fail "the printed PDF is not titled Brief: $(echo "$info" | grep Title)"

# Without any printer the command says so and no job appears.
cups_queue_stop
out=$("$cli" print "$work/brief.bri" 2>&1) && fail "printing without a scheduler succeeded"
echo "$out" | grep -q 'Zur Zeit ist kein Standard-Drucker gewählt' || fail "no-printer message: $out"
echo "PASS: one job \"Brief\" of 3 pages"
