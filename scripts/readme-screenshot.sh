#!/bin/sh
# Makes docs/glowplate-window.png, the README's picture of the window, the way the end-to-end
# tests look at the program: started on a private X display (scripts/with-display.sh) with
# settings of its own, a sign typed into it with xdotool, the window taken with ImageMagick.
# Usage: scripts/readme-screenshot.sh [build folder]   (default build/release)
set -eu
cd "$(dirname "$0")/.."
build="${1:-build/release}"
app="$build/app/glowplate"
if [ ! -x "$app" ]; then
	echo "readme-screenshot: build the program first ($app is missing)" >&2
	exit 1
fi
if [ -z "${GLOWPLATE_SCREENSHOT_INNER:-}" ]; then
	GLOWPLATE_SCREENSHOT_INNER=1 exec env -u DISPLAY scripts/with-display.sh "$0" "$build"
fi

home=$(mktemp -d "${TMPDIR:-/tmp}/glowplate-screenshot.XXXXXX")
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$home"' EXIT
# The window as a Japanese desktop shows it: the platform's own labels follow LANG.
LANG=ja_JP.UTF-8 HOME="$home" XDG_CONFIG_HOME="$home/.config" GLOWPLATE_BACKEND=sdl "$app" &
pid=$!
window=$(xdotool search --sync --class jp.tamarack.GlowplateMaker | head -n 1)
xdotool windowmove "$window" 0 0
sleep 1
# The sign text field lies 200 pixels right of and 41 below the window's corner.
xdotool mousemove 200 41 click 1 key ctrl+a type --delay 20 "快速 東京行 Rapid"
xdotool mousemove 700 300
sleep 1
import -window "$window" docs/glowplate-window.png
xdotool key ctrl+q
wait "$pid" || true
echo "Wrote docs/glowplate-window.png"
