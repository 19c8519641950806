#!/usr/bin/env bash
# Makes the PDF printer ready for the printing tests: starts the CUPS
# scheduler when it is not running (no service manager needed) and adds the
# cups-pdf printer "PDF" as the default printer when it is missing. Each job
# printed to it becomes a PDF file under the printing user's ~/PDF.
# Idempotent; run as root (or with sudo). Sourcing it defines
# brivane_ensure_printer without running it.
brivane_ensure_printer() {
  local sudo=""
  if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
  if ! command -v cupsd >/dev/null 2>&1 || ! command -v lpadmin >/dev/null 2>&1; then
    echo "printer: CUPS is not installed (scripts/setup.sh installs it)" >&2
    return 1
  fi
  if ! lpstat -r 2>/dev/null | grep -q "is running"; then
    $sudo mkdir -p /run/cups
    $sudo cupsd || { echo "printer: cupsd did not start" >&2; return 1; }
    local i
    for i in $(seq 50); do
      lpstat -r 2>/dev/null | grep -q "is running" && break
      sleep 0.1
    done
  fi
  if ! lpstat -p PDF >/dev/null 2>&1; then
    $sudo lpadmin -p PDF -E -v cups-pdf:/ -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd 2>/dev/null ||
      { echo "printer: the PDF printer could not be added" >&2; return 1; }
  fi
  if ! lpstat -d 2>/dev/null | grep -q ": PDF$"; then
    $sudo lpadmin -d PDF || return 1
  fi
  $sudo cupsenable PDF 2>/dev/null
  $sudo cupsaccept PDF 2>/dev/null
  lpstat -p PDF >/dev/null 2>&1
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
  brivane_ensure_printer
fi
