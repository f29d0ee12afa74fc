#!/bin/sh
# Runs a README command as a newcomer on another Debian release would: in a brand-new minimal root
# of that release (debootstrap's minbase with make and git), from a fresh clone of this checkout's
# HEAD. CI uses it for Debian 13 beside its own Debian 12.
#   scripts/fresh-root.sh SUITE [COMMAND]      e.g. scripts/fresh-root.sh trixie 'make check'
# Needs root (debootstrap, chroot and mounts); the root is removed again at the end.
set -eu
suite=${1:?usage: fresh-root.sh SUITE [COMMAND]}
command=${2:-make check}
checkout=$(cd "$(dirname "$0")/.." && pwd)
mirror=$(awk '/^URIs:/ { print $2; exit }' /etc/apt/sources.list.d/debian.sources 2>/dev/null || true)
[ -n "$mirror" ] || mirror=$(awk '/^deb / { print $2; exit }' /etc/apt/sources.list 2>/dev/null || true)
[ -n "$mirror" ] || mirror=http://deb.debian.org/debian

command -v debootstrap >/dev/null ||
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends debootstrap >/dev/null

root=$(mktemp -d /var/tmp/fresh-$suite.XXXXXX)
cleanup() {
    for mount in "$root/tmp" "$root/dev/shm" "$root/dev/pts" "$root/dev" "$root/proc"; do
        mountpoint -q "$mount" && { umount "$mount" 2>/dev/null || umount -l "$mount"; }
    done
    rm -rf --one-file-system "$root"
}
trap cleanup EXIT INT TERM
chmod 755 "$root"

echo "== debootstrap $suite"
debootstrap --variant=minbase --include=make,git,ca-certificates "$suite" "$root" "$mirror" >"$root.log" 2>&1 ||
    { tail -20 "$root.log"; exit 1; }
rm -f "$root.log"
cp /etc/resolv.conf "$root/etc/" 2>/dev/null || true
mount -t proc proc "$root/proc"
mount --bind /dev "$root/dev"
mount -t devpts devpts "$root/dev/pts" 2>/dev/null || true
mount -t tmpfs shm "$root/dev/shm"
mount -t tmpfs tmpfs "$root/tmp"
git clone -q "$checkout" "$root/home/newcomer/project"

echo "== $suite, in a fresh clone: $command"
chroot "$root" /usr/bin/env -i HOME=/root PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    LANG=C.UTF-8 TERM=dumb sh -c "cd /home/newcomer/project && $command"
