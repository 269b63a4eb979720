#!/bin/sh
# Starts the most useful program the build has.
set -eu
build="$1"
app="$build/app/glowplate"
render="$build/tools/glowplate-render"
if [ -x "$app" ]; then
	exec "$app"
elif [ -x "$render" ]; then
	out="${GLOWPLATE_OUT:-glowplate-sign.png}"
	echo "The desktop application is not built yet; rendering a sign with glowplate-render instead."
	"$render" --text "各駅停車" -o "$out"
	echo "Wrote $out. See '$render --help' for every option."
else
	echo "Nothing to start yet: the platform libraries are built; run 'make test' to exercise them."
fi
