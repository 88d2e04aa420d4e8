# shellcheck shell=bash
# Shared helpers of the end-to-end tests (sourced, bash). Each check prints one line,
# "ok - what" or "not ok - what", which scripts/run-tests counts; e2e_finish closes a script.
# ImageMagick and Wine are called by their full paths: stand-ins may shadow them on PATH.

e2e_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
. "$e2e_root/scripts/testbed.sh"
e2e_passed=0
e2e_failed=0
IM_COMPARE=/usr/bin/compare
IM_CONVERT=/usr/bin/convert
IM_IDENTIFY=/usr/bin/identify

# check "what" COMMAND...: one pass/fail line from the command's exit status; the command's
# own output (the reason of a failure) is shown indented under it.
# The output goes through a file, not a pipe: a process the command leaves running (Wine's
# services) would hold a pipe open and the check would never end.
mkdir -p "$e2e_root/build/e2e"
e2e_out=$e2e_root/build/e2e/check-output-$(basename "$0" .sh)
check() {
  local what=$1 out rc
  shift
  "$@" >"$e2e_out" 2>&1 </dev/null
  rc=$?
  out=$(cat "$e2e_out")
  if [ $rc -eq 0 ]; then
    echo "ok - $what"
    e2e_passed=$((e2e_passed + 1))
  else
    echo "not ok - $what"
    e2e_failed=$((e2e_failed + 1))
  fi
  [ -n "$out" ] && sed 's/^/    /' <<<"$out"
  return 0
}

# e2e_finish: the script's closing line and exit status.
e2e_finish() {
  echo "$(basename "$0"): $e2e_passed passed, $e2e_failed failed"
  [ "$e2e_failed" -eq 0 ]
}

# wait_for SECONDS COMMAND...: polls every 0.1 s until the command succeeds; fails after SECONDS.
wait_for() {
  local limit=$1 start
  shift
  start=$(date +%s%N)
  until "$@" >/dev/null 2>&1; do
    [ $(($(date +%s%N) - start)) -ge $((limit * 1000000000)) ] && return 1
    sleep 0.1
  done
}

# compare_pixels OUTPUT REFERENCE [FUZZ_PERCENT [MAX_PIXELS]]: succeeds when both pictures have
# the same size and at most MAX_PIXELS (default 0) pixels differ by more than FUZZ_PERCENT
# (default 0: exact) — ImageMagick's absolute-error count (compare -metric AE). Says why it fails.
compare_pixels() {
  local out=$1 ref=$2 fuzz=${3:-0} max=${4:-0} size_out size_ref ae
  [ -s "$out" ] || { echo "$out: missing or empty"; return 1; }
  size_out=$("$IM_IDENTIFY" -format '%wx%h' "${out}[0]" 2>&1) || { echo "$out: unreadable: $size_out"; return 1; }
  size_ref=$("$IM_IDENTIFY" -format '%wx%h' "${ref}[0]" 2>&1) || { echo "$ref: unreadable: $size_ref"; return 1; }
  [ "$size_out" = "$size_ref" ] || { echo "$out is $size_out, expected $size_ref"; return 1; }
  # compare writes the count on stderr and exits 1 when the pictures differ; 2 is an error.
  ae=$("$IM_COMPARE" -metric AE -fuzz "$fuzz%" "${out}[0]" "${ref}[0]" null: 2>&1)
  [ "$?" -le 1 ] || { echo "compare failed: $ae"; return 1; }
  ae=${ae%% *}
  [[ $ae =~ ^[0-9]+$ ]] || ae=$(printf '%.0f' "$ae" 2>/dev/null) || { echo "compare said: $ae"; return 1; }
  [ "$ae" -le "$max" ] || { echo "$ae pixels of $size_out differ by more than $fuzz% (at most $max allowed)"; return 1; }
}

# psnr_at_least PICTURE REFERENCE DB: the peak signal-to-noise ratio is at least DB decibels.
psnr_at_least() {
  local psnr
  psnr=$("$IM_COMPARE" -metric PSNR "$1" "$2" null: 2>&1)
  awk -v p="${psnr%% *}" -v min="$3" 'BEGIN { exit !(p + 0 >= min) }' || { echo "PSNR $psnr dB, below $3"; return 1; }
}

# crop_reference PICTURE X Y W H OUT: the part of the known desktop a capture of that
# rectangle must reproduce, as a PNG.
crop_reference() {
  "$IM_CONVERT" "$1" -crop "$4x$5+$2+$3" +repage -depth 8 "PNG24:$6"
}

# pdf_pages PDF: the number of pages (pdfinfo).
pdf_pages() {
  pdfinfo "$1" 2>/dev/null | sed -n 's/^Pages: *//p'
}

# pdf_page_png PDF PAGE OUT.png [DPI]: that page as a picture (pdftoppm, default 72 dpi, where
# one PostScript point is one pixel).
pdf_page_png() {
  local pdf=$1 page=$2 out=$3 dpi=${4:-72} said
  # Its warnings about glyphs in Ghostscript-made fonts are harmless; shown only on failure.
  said=$(pdftoppm -f "$page" -l "$page" -r "$dpi" -singlefile -png "$pdf" "${out%.png}" 2>&1) || {
    echo "$said" >&2
    return 1
  }
}
pdf_first_page_png() { pdf_page_png "$1" 1 "$2" "${3:-72}"; }

# pixel_at PICTURE X Y: the pixel as "srgb(r,g,b)".
pixel_at() {
  "$IM_CONVERT" "${1}[0]" -format "%[pixel:p{$2,$3}]" info:
}

# equals EXPECTED COMMAND...: the command's output is exactly EXPECTED (else both are shown).
equals() {
  local expected=$1 actual
  shift
  "$@" >"$e2e_out.value" 2>&1 </dev/null
  actual=$(cat "$e2e_out.value")
  rm -f "$e2e_out.value"
  [ "$actual" = "$expected" ] || { echo "got \"$actual\", expected \"$expected\""; return 1; }
}

# fails COMMAND...: the command must fail (a check that a helper catches a fault).
fails() {
  ! "$@"
}

# has_ink PICTURE X Y W H: something darker than light grey lies in that rectangle.
has_ink() {
  local min
  min=$("$IM_CONVERT" "${1}[0]" -crop "$4x$5+$2+$3" +repage -colorspace Gray -format '%[fx:int(255*minima)]' info:)
  [ "$min" -lt 128 ] || { echo "nothing printed in $4x$5+$2+$3 of $1"; return 1; }
}

# surface_active: the capture surface covers the 1024x768 test screen and is the active window.
surface_active() { tb_surface_active 1024 768; }
