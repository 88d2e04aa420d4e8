#!/usr/bin/env bash
# The picture helpers of the end-to-end tests on made-up pictures: the known desktop picture,
# the pixel comparison the capture checks rely on (exact and JPEG-close), the reference crop.
set -uo pipefail
. "$(dirname "$0")/lib.sh"
work=$e2e_root/build/e2e/pixels
rm -rf "$work" && mkdir -p "$work"
cd "$work" || exit 1

"$e2e_root/scripts/desktop" picture desk.png 512x384
# Pixels away from the shapes: red x mod 256, green y mod 256, blue 16 per tile across, 3 down.
check "desktop picture: pixel (300,5)" equals "srgb(44,5,16)" pixel_at desk.png 300 5
check "desktop picture: pixel (500,300)" equals "srgb(244,44,19)" pixel_at desk.png 500 300
check "desktop picture: white rectangle at (100,80)" equals "srgb(255,255,255)" pixel_at desk.png 100 80

"$IM_CONVERT" desk.png BMP3:same.bmp
"$IM_CONVERT" desk.png -fill '#010203' -draw 'point 17,23' -depth 8 PNG24:one-off.png
"$IM_CONVERT" desk.png -crop 511x384+0+0 +repage PNG24:narrower.png
"$IM_CONVERT" desk.png -quality 90 close.jpg
check "same pixels in another format match" compare_pixels same.bmp desk.png
check "one changed pixel is caught" fails compare_pixels one-off.png desk.png
check "one changed pixel passes when one is allowed" compare_pixels one-off.png desk.png 0 1
check "a different size is caught" fails compare_pixels narrower.png desk.png
check "a missing file is caught" fails compare_pixels missing.png desk.png
check "JPEG differs exactly" fails compare_pixels close.jpg desk.png
check "JPEG is close: 0.1% of pixels beyond 10%" compare_pixels close.jpg desk.png 10 196

crop_reference desk.png 300 5 40 30 crop.png
check "reference crop: size" equals "40x30" "$IM_IDENTIFY" -format '%wx%h' crop.png
check "reference crop: first pixel" equals "srgb(44,5,16)" pixel_at crop.png 0 0
e2e_finish
