#!/bin/sh
# Installs the Debian packages that building, running and testing need, and only those missing.
set -e
packages="cmake make g++ pkg-config qtbase5-dev libqt5svg5-dev libkf5calendarcore-dev libkf5holidays-dev
          dbus dbus-x11 xvfb xauth x11-utils x11-xserver-utils imagemagick desktop-file-utils xcompmgr
          hsetroot dpkg-dev file radicale vdirsyncer"
[ -n "$EXTRA_PACKAGES" ] && packages="$packages $EXTRA_PACKAGES"
missing=""
for p in $packages; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0
echo "Installing:$missing"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends $missing
