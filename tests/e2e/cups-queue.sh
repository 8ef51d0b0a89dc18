#!/usr/bin/env bash
# A private CUPS scheduler with one cups-pdf queue "PDF" as the default
# printer, for end-to-end print tests. Everything lives in one temporary
# folder and the scheduler listens only on a socket there, so a system
# cupsd, if any, is never touched.
#
#   source tests/e2e/cups-queue.sh
#   cups_queue_start DIR [LINE...]  # exports CUPS_SERVER; LINEs go into cupsd.conf
#   cups_queue_pdf_dir      # where cups-pdf puts the jobs of this user: ~/PDF
#   cups_queue_stop         # stops the scheduler by its PID

cups_queue_start() {
  local dir=$1
  shift
  CUPS_QUEUE_DIR=$dir
  mkdir -p "$dir"/{etc/ppd,spool/tmp,cache,run,log}
  chmod 0755 "$dir" "$dir"/etc "$dir"/etc/ppd
  chgrp lp "$dir"/spool "$dir"/cache "$dir"/run 2>/dev/null || true
  chmod 0710 "$dir"/spool
  chmod 1777 "$dir"/spool/tmp
  cat >"$dir/etc/cups-files.conf" <<CONF
ServerRoot $dir/etc
RequestRoot $dir/spool
CacheDir $dir/cache
StateDir $dir/run
TempDir $dir/spool/tmp
ErrorLog $dir/log/error_log
AccessLog $dir/log/access_log
PageLog $dir/log/page_log
ServerBin /usr/lib/cups
DataDir /usr/share/cups
Group lp
SystemGroup root
CONF
  cat >"$dir/etc/cupsd.conf" <<CONF
Listen $dir/cups.sock
LogLevel info
PageLogFormat %p %j %u %T %P %C %{job-name}
WebInterface No
Browsing No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
$(printf '%s\n' "$@")
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
CONF
  export CUPS_SERVER="$dir/cups.sock"
  /usr/sbin/cupsd -f -c "$dir/etc/cupsd.conf" -s "$dir/etc/cups-files.conf" \
    >"$dir/log/cupsd.out" 2>&1 &
  CUPS_QUEUE_PID=$!
  local i
  for i in $(seq 50); do
    lpstat -r 2>/dev/null | grep -q "scheduler is running" && break
    sleep 0.1
  done
  if ! lpstat -r 2>/dev/null | grep -q "scheduler is running"; then
    echo "cupsd did not start:" >&2
    cat "$dir/log/cupsd.out" "$dir/log/error_log" 2>/dev/null >&2
    cups_queue_stop
    return 1
  fi
  lpadmin -p PDF -E -v cups-pdf:/ -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd -o TitlePref=1 -o Label=0 &&
    lpadmin -d PDF
}

# Waits until the queue has no pending jobs (at most 60 s).
cups_queue_wait_idle() {
  local i
  for i in $(seq 600); do
    [ -z "$(lpstat -o 2>/dev/null)" ] && return 0
    sleep 0.1
  done
  return 1
}

# cups-pdf writes to the submitting user's home (its own configuration, which
# we leave alone, says so); the file is named after the job title.
cups_queue_pdf_dir() {
  echo "$(getent passwd "$(id -un)" | cut -d: -f6)/PDF"
}

cups_queue_stop() {
  if [ -n "${CUPS_QUEUE_PID:-}" ]; then
    kill "$CUPS_QUEUE_PID" 2>/dev/null
    wait "$CUPS_QUEUE_PID" 2>/dev/null
    CUPS_QUEUE_PID=
  fi
}

# cups_test_begin PATTERN   for a test script: makes $work (readable by the
#                           scheduler's filters) and $stamp, skips (exit 77)
#                           without cupsd or cups-pdf, and at exit stops the
#                           scheduler and removes $work and the PDFs matching
#                           PATTERN in $pdf_dir that are newer than $stamp.
cups_test_begin() {
  cups_test_pattern=$1
  work=$(mktemp -d)
  chmod 0755 "$work"
  stamp="$work/stamp"
  trap cups_test_end EXIT
  if [ ! -x /usr/sbin/cupsd ] || [ ! -x /usr/lib/cups/backend/cups-pdf ]; then
    echo "SKIP: cupsd or the cups-pdf backend is not installed"
    exit 77
  fi
}

cups_test_end() {
  cups_queue_stop
  if [ -n "${pdf_dir:-}" ] && [ -d "$pdf_dir" ]; then
    find "$pdf_dir" -maxdepth 1 -name "$cups_test_pattern" -newer "$stamp" -delete 2>/dev/null
  fi
  rm -rf "$work"
}
