#!/usr/bin/env bash
# Refreshes the README's screenshots: starts the Release program in a virtual display, opens a
# drawn picture through the open dialog, generates the icon, paints in the editor, and saves a
# picture of each window to docs/.
#   tools/screenshots.sh            (after `make build`)
set -euo pipefail
cd "$(dirname "$0")/.."
app=$PWD/build/release/app/quorvin
[ -x "$app" ] || { echo "build the program first: make build" >&2; exit 1; }

if [ "${QUORVIN_SCREENSHOTS_INSIDE:-}" != 1 ]; then
  export QUORVIN_SCREENSHOTS_INSIDE=1
  exec xvfb-run -a -s '-screen 0 1024x768x24' "$0"
fi

work=$(mktemp -d)
trap 'rm -rf "$work"; kill "$pid" 2>/dev/null || true' EXIT
# A picture with a flat background: a sun over a hill, on white.
/usr/bin/convert -size 240x240 xc:white -fill '#f0b020' -draw 'circle 150,80 150,40' \
  -fill '#2e9e4f' -draw 'polygon 10,230 100,90 200,230' -fill '#1f4e8c' \
  -draw 'rectangle 40,200 220,230' "$work/picture.jpg"

export XDG_RUNTIME_DIR=$work
"$app" &
pid=$!
main=$(timeout 30 xdotool search --sync --onlyvisible --name '^Quorvin v2.0$' | head -n 1)
click() { xdotool mousemove --window "$1" "$2" "$3" click 1; sleep 0.5; }

click "$main" 90 176                     # 更换图片
sleep 1
xdotool type --delay 20 "$work/picture.jpg"
xdotool key Return
sleep 1
click "$main" 216 211                    # 生成
import -window "$main" docs/screenshot-main.png

click "$main" 216 246                    # 修改
editor=$(xdotool search --sync --onlyvisible --name '^ $' | head -n 1)
# Choose red from the palette, paint a short line across the sun, then take one paint back.
click "$editor" 19 24                    # 标签左1
for x in 150 155 160 165 170; do click "$editor" "$((37 + 1 + x))" 60; done
xdotool mousemove --window "$editor" 120 120
import -window "$editor" docs/screenshot-editor.png
echo "wrote docs/screenshot-main.png and docs/screenshot-editor.png"
