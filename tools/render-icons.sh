#!/usr/bin/env bash
# Renders the hand-drawn SVG icons (data/icons/src) to the PNGs the program compiles in, the
# desktop theme icons it installs, and the copies the help pages use (data/help/images).
#
#   tools/render-icons.sh                 render every PNG into data/icons
#   tools/render-icons.sh --preview FILE  also write an enlarged contact sheet, on light and dark
#
# Needs rsvg-convert (Debian package librsvg2-bin); the preview also needs ImageMagick. The build
# never runs this: the rendered PNGs are committed beside their sources.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
src="$here/data/icons/src"
out="$here/data/icons"
preview=""
if [ "${1:-}" = "--preview" ]; then
  preview="${2:?--preview needs a file name}"
fi

command -v rsvg-convert >/dev/null || { echo "rsvg-convert is missing: apt-get install librsvg2-bin" >&2; exit 1; }

# name  source  width  height: every icon is drawn at the size it ships in, never scaled, so that
# the small ones stay on the pixel grid they were drawn on.
render() {
  local name="$1" svg="$2" w="$3" h="$4"
  rsvg-convert --width "$w" --height "$h" --keep-aspect-ratio "$src/$svg" --output "$out/$name"
  echo "$name  ${w}x${h}"
}

render app.png          app.svg          256 256
render app-32.png       app-32.svg        32  32
render tray.png         tray.svg          32  32
render types-small.png  types-small.svg  256  16
render types-large.png  types-large.svg  512  32
render status.png       status.svg        64  16
render recurrence.png   recurrence.svg    16  16
render sound.png        sound.svg         16  16

# The desktop's menu and task bars find the icon by the program's id in the hicolor theme
# (data/icons/hicolor, installed as share/icons/hicolor); the small sizes come from the drawing
# made for 32 pixels, the large ones from the full one.
id=io.github.tallyvane.Tallyvane
for size in 16 22 24 32 48 64 128 256; do
  mkdir -p "$out/hicolor/${size}x${size}/apps"
  svg=app.svg
  [ "$size" -le 32 ] && svg=app-32.svg
  rsvg-convert --width "$size" --height "$size" --keep-aspect-ratio "$src/$svg" \
    --output "$out/hicolor/${size}x${size}/apps/$id.png"
done
mkdir -p "$out/hicolor/scalable/apps"
cp "$src/app.svg" "$out/hicolor/scalable/apps/$id.svg"
echo "hicolor: $id at 16 22 24 32 48 64 128 256 and scalable"

# The help pages show the logo and cut type and status icons from copies of the strips, because the
# program's own copies are compiled in and not shipped as files.
mkdir -p "$here/data/help/images"
rsvg-convert --width 68 --height 68 "$src/app.svg" --output "$here/data/help/images/logo.png"
cp "$out/types-small.png" "$out/types-large.png" "$out/status.png" "$here/data/help/images/"
echo "help/images: logo.png 68x68, types-small.png, types-large.png, status.png"

if [ -n "$preview" ]; then
  command -v convert >/dev/null || { echo "ImageMagick's convert is missing: apt-get install imagemagick" >&2; exit 1; }
  tmp="$(mktemp -d)"
  trap 'rm -rf "$tmp"' EXIT
  # Each strip blown up with hard pixels, once on a light and once on a dark panel colour.
  i=0
  for spec in "types-small.png 500%" "types-large.png 250%" "status.png 500%" \
              "recurrence.png 500%" "sound.png 500%" "tray.png 250%" "app-32.png 250%"; do
    set -- $spec
    for bg in "#F4F1EC" "#2B2B30"; do
      i=$((i + 1))
      convert "$out/$1" -filter point -resize "$2" -background "$bg" -flatten \
        -bordercolor "$bg" -border 8 "$tmp/$(printf %02d $i).png"
    done
  done
  convert "$tmp"/*.png -background white -gravity north -splice 0x6 -gravity west -append +repage "$preview"
  echo "preview: $preview"
fi
