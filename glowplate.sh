#!/bin/sh
# The README's two commands, for machines that do not have make yet:
#   ./glowplate.sh run     installs what is missing, builds and starts the program
#   ./glowplate.sh test    installs what is missing, builds with the sanitizers, runs every test
# Everything else is in the Makefile; this only makes sure make and the compiler are there.
set -eu
cd "$(dirname "$0")"
case "${1:-}" in
	run) group=build ;;
	test) group=test ;;
	bench | fuzz) group="$1" ;;
	*)
		echo "usage: $0 run|test|bench|fuzz" >&2
		exit 2
		;;
esac
scripts/install-deps.sh "$group"
exec make "$1"
