#!/bin/sh
# Runs a command with an X display: the current one, or a private Xvfb started for it.
# Tests that need a real display use it; the rest run headless regardless.
#
# Xvfb chooses a free display number itself and writes it to the descriptor given with
# -displayfd once it accepts connections, so there is no probing of lock files (which races
# with other servers starting at the same time) and no waiting for a socket to appear. With
# -noreset it keeps its state when the last client leaves, so a key that `xdotool keydown`
# pressed in one process is still down for the test that looks at it from another.
set -eu
if [ -n "${DISPLAY:-}" ] || ! command -v Xvfb >/dev/null 2>&1; then
	exec "$@"
fi

dir=$(mktemp -d "${TMPDIR:-/tmp}/with-display.XXXXXX")
xvfb=""
cleanup() {
	if [ -n "$xvfb" ]; then
		kill "$xvfb" 2>/dev/null || true
		wait "$xvfb" 2>/dev/null || true
	fi
	rm -rf "$dir"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

mkfifo "$dir/displayfd"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$dir/displayfd" >"$dir/xvfb.log" 2>&1 &
xvfb=$!
# The read ends with the number once the server is ready, or empty when it exits first.
number=""
read -r number <"$dir/displayfd" || true
if [ -z "$number" ]; then
	echo "with-display: Xvfb did not start; running without a display:" >&2
	cat "$dir/xvfb.log" >&2 || true
	"$@"
	exit $?
fi

status=0
DISPLAY=":$number" "$@" || status=$?
exit $status
