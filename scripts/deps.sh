#!/bin/sh
# Installs the Debian packages the launcher needs to build, run and be tested, if any
# is missing. Needs root (or sudo) only when something has to be installed.
set -eu
packages="cmake make g++ pkg-config libx11-dev libxext-dev libxrandr-dev libjpeg62-turbo-dev
  libgif-dev libxfixes-dev libbsd-dev libgtest-dev xvfb xauth xdotool x11-utils x11-xserver-utils imagemagick openbox feh bc"
missing=""
for p in $packages; do
  status=$(dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null || true)
  [ "$status" = installed ] || missing="$missing $p"
done
[ -z "$missing" ] && exit 0
echo "installing:$missing"
as_root=""
if [ "$(id -u)" != 0 ]; then
  command -v sudo >/dev/null || { echo "deps: need root to install:$missing" >&2; exit 1; }
  as_root=sudo
fi
export DEBIAN_FRONTEND=noninteractive
$as_root apt-get update -qq
# shellcheck disable=SC2086
$as_root apt-get install -y -qq --no-install-recommends $missing >/dev/null
