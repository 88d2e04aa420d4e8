#!/usr/bin/env bash
# The user guide as it ships (the Guide folder of the packed program, made by make dist), opened
# in headless Chromium: every picture shown, every link leading somewhere, nothing fetched from
# outside; a screenshot of each page in build/screenshots/. Also that the page maker refuses what
# would spoil a page: an unknown text, a missing picture, a program text typed in by hand.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
. "$here/lib.sh"
version=$(sed -n 's/^VERSION := *//p' "$root/Makefile")
guide=$root/build/dist/Snapwell-$version/Guide
work=$root/build/e2e/guide
rm -rf "$work" && mkdir -p "$work"

# ---- the page maker ------------------------------------------------------------------------
# make_page TEMPLATE_TEXT: scripts/guide-pages on a one-page guide (both languages the same),
# with one picture "shot"; fails as the page maker fails.
make_page() {
  local t=$work/maker
  rm -rf "$t" && mkdir -p "$t/templates" "$t/pictures/en" "$t/pictures/ja"
  printf '%s\n' "$1" >"$t/templates/en.html.in"
  printf '%s\n' "$1" >"$t/templates/ja.html.in"
  : >"$t/templates/guide.css"
  "$IM_CONVERT" -size 4x3 xc:white "PNG24:$t/pictures/en/shot.png"
  cp "$t/pictures/en/shot.png" "$t/pictures/ja/"
  "$root/scripts/guide-pages" "$root/resources/strings.txt" "$t/templates" "$t/pictures" "$t/out"
}
page_has() { grep -qF -- "$1" "$work/maker/out/en.html" || { echo "en.html lacks $1"; return 1; }; }
check "page maker: a text and a picture are filled in" make_page '<p>{{text 233}} {{img shot a picture}}</p>'
check "... the text as the program shows it, access key underlined" page_has '<span class="ui"><u>C</u>apture</span>'
check "... the picture with its size" page_has '<img src="pictures/en/shot.png" width="4" height="3" alt="a picture">'
check "page maker: refuses an unknown text" fails make_page '{{text 100}}'
check "page maker: refuses a missing picture" fails make_page '{{img nothing a picture}}'
check "page maker: refuses a program text typed in" fails make_page '<p>No output Target is specified.</p>'

# ---- the shipped pages in Chromium ---------------------------------------------------------
if [ ! -f "$guide/en.html" ]; then
  check "the guide is built ($guide, make dist)" false
  e2e_finish
  exit
fi
check "the guide holds nothing but its pages, style sheet and pictures" eval \
  '[ -z "$(cd "$guide" && find . -type f ! -name "*.html" ! -name guide.css ! -path "./pictures/*.png")" ]'

port=$(/usr/bin/python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
chromedriver --port="$port" --allowed-ips=127.0.0.1 >"$work/chromedriver.log" 2>&1 &
driver=$!
trap 'kill "$driver" 2>/dev/null' EXIT
driver_ready() {
  /usr/bin/python3 -c 'import json, sys, urllib.request
sys.exit(not json.load(urllib.request.urlopen(sys.argv[1], timeout=2))["value"]["ready"])' "http://127.0.0.1:$port/status"
}
if check "chromedriver answers" wait_for 20 driver_ready; then
  timeout 120 /usr/bin/python3 "$here/tools/guide_check.py" "http://127.0.0.1:$port" "$guide" \
    "$root/build/screenshots" en.html ja.html >"$work/browser.log" 2>&1
  cat "$work/browser.log"
  e2e_passed=$((e2e_passed + $(grep -c '^ok - ' "$work/browser.log")))
  e2e_failed=$((e2e_failed + $(grep -c '^not ok - ' "$work/browser.log")))
  grep -q '^# ja.html: screenshot' "$work/browser.log" || check "the browser checks ran to the end" false
fi
kill "$driver" 2>/dev/null
e2e_finish
