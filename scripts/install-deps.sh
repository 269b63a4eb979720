#!/bin/sh
# Installs the Debian packages the build needs, and only those that are missing.
# Usage: scripts/install-deps.sh [build|test|bench|fuzz]...   (default: build)
set -eu

packages_build="g++ make cmake pkg-config libfreetype-dev libfontconfig-dev libpng-dev zlib1g-dev
 libsdl2-dev fonts-dejavu-core fonts-vlgothic libx11-dev libgif-dev libwebp-dev"
packages_test="libgtest-dev libgmock-dev googletest xvfb xauth xdotool imagemagick xfonts-efont-unicode
 desktop-file-utils appstream"
packages_bench="libbenchmark-dev"
packages_fuzz="clang libclang-rt-14-dev"

wanted=""
[ $# -eq 0 ] && set -- build
for group in "$@"; do
	case "$group" in
		build) wanted="$wanted $packages_build" ;;
		test) wanted="$wanted $packages_build $packages_test" ;;
		bench) wanted="$wanted $packages_build $packages_bench" ;;
		fuzz) wanted="$wanted $packages_build $packages_fuzz" ;;
		*) echo "install-deps: unknown group '$group'" >&2; exit 2 ;;
	esac
done

missing=""
for p in $wanted; do
	if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
		case " $missing " in *" $p "*) ;; *) missing="$missing $p" ;; esac
	fi
done
[ -z "$missing" ] && exit 0

echo "Installing missing Debian packages:$missing"
if [ "$(id -u)" -eq 0 ]; then
	sudo=""
elif command -v sudo >/dev/null 2>&1; then
	sudo="sudo"
else
	echo "install-deps: need root or sudo to install:$missing" >&2
	exit 1
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
# shellcheck disable=SC2086
$sudo apt-get install -y -q --no-install-recommends $missing
