#!/usr/bin/env bash
# Running out of memory ends a command with a message and exit status 1, never
# an abort: a letter of two million lines rendered, and sent to a table,
# under a limit of address space that a short letter stays well within.
#   out_of_memory.sh PATH/TO/quillory-cli
set -uo pipefail
cli=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
limit=200000 # KiB
(ulimit -v "$limit") 2>/dev/null || { echo "SKIP: no limit of address space here (ulimit -v)"; exit 77; }

letter() { # NAME BODY-AS-JSON
  printf '{"recipient": {"name": "{Name}"}, "subject": "Test", "body": "%s"}' "$2" >"$work/$1.json"
  "$cli" convert "$work/$1.json" "$work/$1.bri" || fail "could not make $1.bri"
}
letter short 'Kurz.'
letter long "$(yes 'x\r\n' | head -n 2000000 | tr -d '\n')"
letter serial '{Text}'
printf 'Name;Text\nAnna;"%s"\n' "$(yes x | head -n 2000000)" >"$work/table.csv"

limited() { (ulimit -v "$limit" && exec "$cli" "$@") >"$work/out" 2>"$work/err"; }

limited render "$work/short.bri" -o "$work/short.pdf" ||
  fail "a short letter does not render under the limit: $(cat "$work/err")"

limited render "$work/long.bri" -o "$work/long.pdf"
status=$?
[ "$status" = 1 ] || fail "render: exit status $status, not 1: $(cat "$work/err")"
grep -qx 'quillory-cli: Nicht genügend Arbeitsspeicher, der Befehl wurde abgebrochen' "$work/err" ||
  fail "render: $(cat "$work/err")"
[ -e "$work/long.pdf" ] && fail "render: a PDF was left"

limited merge "$work/serial.bri" "$work/table.csv" -o "$work/serie.pdf"
status=$?
[ "$status" = 1 ] || fail "merge: exit status $status, not 1: $(cat "$work/err")"
grep -q ': Nicht genügend Arbeitsspeicher' "$work/err" || fail "merge: $(cat "$work/err")"
[ -e "$work/serie.pdf" ] && fail "merge: a PDF was left"
echo "PASS"
