#!/bin/sh
# Starts the program from a build folder: the application's window where there is a display,
# otherwise a sign rendered to a PNG file with the command-line renderer.
set -eu
build="$1"
app="$build/app/glowplate"
render="$build/tools/glowplate-render"
if [ -x "$app" ] && [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
	exec "$app"
fi
if [ -x "$app" ]; then
	echo "There is no display to open the window on (neither DISPLAY nor WAYLAND_DISPLAY is set);"
	echo "rendering a sign with glowplate-render instead."
fi
out="${GLOWPLATE_OUT:-glowplate-sign.png}"
"$render" --text "各駅停車" -o "$out"
echo "Wrote $out. See '$render --help' for every option."
