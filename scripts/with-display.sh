#!/bin/sh
# Runs a command with an X display: the current one, or a private Xvfb started for it.
# Tests that need a real display use it; the rest run headless regardless.
set -eu
if [ -n "${DISPLAY:-}" ] || ! command -v Xvfb >/dev/null 2>&1; then
	exec "$@"
fi
for n in 99 98 97 96 95 94 93 92 91 90; do
	[ -e "/tmp/.X$n-lock" ] && continue
	Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
	xvfb=$!
	trap 'kill $xvfb 2>/dev/null || true' EXIT INT TERM
	i=0
	while [ ! -e "/tmp/.X11-unix/X$n" ] && [ $i -lt 50 ]; do sleep 0.1; i=$((i + 1)); done
	DISPLAY=":$n" "$@"
	exit $?
done
exec "$@"
