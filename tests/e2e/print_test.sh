#!/usr/bin/env bash
# The test printer: a private CUPS server with the cups-pdf queue "PDF" as default
# (scripts/print-session). A job from Linux (lp) and one from a Windows program under Wine
# (Notepad's /p, through Wine's print dialog and spooler) must each leave a PDF of the right
# pages; the PDF helpers the printer output checks use are tried on them.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
if [ -z "${SNAPWELL_E2E_SESSION:-}" ]; then
  export SNAPWELL_E2E_SESSION=1 WINEPREFIX=$root/build/wineprefix-e2e SNAPWELL_SCREEN=1024x768x24
  exec "$root/scripts/print-session" "$root/scripts/wine-session" "$0" "$@"
fi
. "$here/lib.sh"
"$WINESERVER" -p
work=$root/build/e2e/print
rm -rf "$work" && mkdir -p "$work"
notepad_pid=""
# The PDFs this run made are moved to build/e2e/print; nothing stays in the user's PDF folder.
finish() {
  [ -n "$notepad_pid" ] && kill "$notepad_pid" 2>/dev/null
  return 0
}
trap finish EXIT

# printed_pdf OUT.pdf: waits (30 s at most) until the queue is empty and a PDF has appeared in
# $SNAPWELL_PDF_DIR since the last call, and moves it to OUT.pdf.
pdf_list=$work/pdfs-before
ls "$SNAPWELL_PDF_DIR" 2>/dev/null | sort >"$pdf_list"
new_pdf() { comm -13 "$pdf_list" <(ls "$SNAPWELL_PDF_DIR" 2>/dev/null | sort) | grep '\.pdf$' | head -1; }
queue_done() { [ -n "$(new_pdf)" ] && [ -z "$(lpstat -o 2>/dev/null)" ]; }
printed_pdf() {
  wait_for 30 queue_done || { echo "no PDF in $SNAPWELL_PDF_DIR after 30 s"; lpstat -o; return 1; }
  mv "$SNAPWELL_PDF_DIR/$(new_pdf)" "$1"
}

check "PDF is the default printer" equals "system default destination: PDF" lpstat -d

# From Linux: 100 numbered lines make two pages.
seq -f 'line %g' 1 100 >"$work/lines.txt"
lp -t lines "$work/lines.txt" >/dev/null
check "lp: a PDF is written" printed_pdf "$work/lp.pdf"
check "lp: 100 lines on 2 pages" equals 2 pdf_pages "$work/lp.pdf"
pdf_first_page_png "$work/lp.pdf" "$work/lp-page1.png"
check "first page as a picture: A4 at 72 dpi" equals 595x842 "$IM_IDENTIFY" -format '%wx%h' "$work/lp-page1.png"
check "first page: the text at the top left" has_ink "$work/lp-page1.png" 0 0 297 200

# From Wine: Notepad prints through its print dialog, which must offer the default printer.
printf 'Printed by Notepad under Wine\n' >"$work/note.txt"
(cd "$work" && exec timeout 90 "$WINE" notepad /p note.txt) &
notepad_pid=$!
print_dialog() { xdotool search --onlyvisible --name '^Print$' | head -1; }
confirm_print() {
  local dialog
  wait_for 30 print_dialog || { echo "no print dialog after 30 s"; return 1; }
  dialog=$(print_dialog)
  xdotool windowactivate --sync "$dialog" key Return
}
check "Wine: the print dialog opens and is confirmed" confirm_print
check "Wine: a PDF is written" printed_pdf "$work/notepad.pdf"
check "Wine: titled after the document" equals note.txt sh -c "pdfinfo '$work/notepad.pdf' | sed -n 's/^Title: *//p'"
check "Wine: one page" equals 1 pdf_pages "$work/notepad.pdf"
pdf_first_page_png "$work/notepad.pdf" "$work/notepad-page1.png"
check "Wine: the text at the top left" has_ink "$work/notepad-page1.png" 0 0 297 200
e2e_finish
