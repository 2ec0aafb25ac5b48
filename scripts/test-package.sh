#!/usr/bin/env bash
# Installs the Debian package into a fresh Debian 12 root made with
# debootstrap, as `apt install ./file.deb` on a clean machine would, then
# starts the installed program there on a virtual X server and waits for its
# window and its instructions. Needs root (chroot, mounts) and the network.
# Slow: a few minutes the first time, while the base root is made and cached
# in build/package-test/. `./test` runs it when SETUP_TEST_PACKAGE=1.
set -euo pipefail
source "$(dirname "$0")/common.sh"

if [ "$(id -u)" -ne 0 ]; then
  echo "test-package.sh needs root: it builds a chroot." >&2
  exit 1
fi

deb=$("$ROOT/run" --package | sed -n 's/^Package: //p')
[ -f "$deb" ] || {
  echo "No package was built." >&2
  exit 1
}

work="$ROOT/build/package-test"
base="$work/bookworm-minbase.tar"
mkdir -p "$work"
if [ ! -f "$base" ]; then
  command -v debootstrap >/dev/null || DEBIAN_FRONTEND=noninteractive apt-get install -y -qq debootstrap >/dev/null
  mirror=$(awk '/^URIs:/ { print $2; exit }' /etc/apt/sources.list.d/debian.sources 2>/dev/null || true)
  echo "Making a minimal Debian 12 root (once; kept in $base)"
  rm -rf "$work/base-root"
  if ! debootstrap --variant=minbase bookworm "$work/base-root" "${mirror:-http://deb.debian.org/debian}" >"$work/debootstrap.log" 2>&1; then
    echo "debootstrap failed; see $work/debootstrap.log" >&2
    exit 1
  fi
  tar -C "$work/base-root" -cf "$base.partial" . && mv "$base.partial" "$base"
  rm -rf "$work/base-root"
fi

root=$(mktemp -d "$work/root-XXXX")
cleanup() {
  umount -R "$root/sys" "$root/dev" "$root/proc" 2>/dev/null || true
  if grep -q " $root/" /proc/mounts; then
    echo "Mounts remain under $root; not removed." >&2
  else
    rm -rf "$root"
  fi
}
trap cleanup EXIT
tar -C "$root" -xf "$base"
cp /etc/resolv.conf "$root/etc/resolv.conf"
cp "$deb" "$root/tmp/"
mount -t proc proc "$root/proc"
mount --rbind /dev "$root/dev"
mount --rbind /sys "$root/sys"

in_root() {
  chroot "$root" /usr/bin/env -i HOME=/root PATH=/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 \
    DEBIAN_FRONTEND=noninteractive bash -euo pipefail -c "$1"
}

echo "Installing $(basename "$deb") into a fresh root"
in_root "apt-get update -qq && apt-get install -y -qq ./tmp/$(basename "$deb") >/tmp/install.log 2>&1" || {
  cat "$root/tmp/install.log" >&2
  exit 1
}
# The tools that watch the program; none of them is the package's.
in_root "apt-get install -y -qq --no-install-recommends xvfb xauth xdotool >/dev/null 2>&1"

echo "Starting the installed program"
# The server picks a free display itself: X's abstract sockets are shared
# with every other root on this machine.
in_root '
  [ "$(command -v usb-qt30-5e-setup)" = /usr/bin/usb-qt30-5e-setup ] || { echo "usb-qt30-5e-setup is not /usr/bin/usb-qt30-5e-setup." >&2; exit 1; }
  mkdir -p -m 700 /tmp/runtime
  export XDG_RUNTIME_DIR=/tmp/runtime
  exec 3>/tmp/display
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  server=$!
  for _ in $(seq 100); do [ -s /tmp/display ] && break; sleep 0.1; done
  export DISPLAY=":$(cat /tmp/display)"
  usb-qt30-5e-setup >/tmp/program.log 2>&1 &
  program=$!
  seen() { xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1; }
  ok=1
  for title in "Setup" "Instructions for Settings utility"; do
    for _ in $(seq 300); do seen "$title" && break; sleep 0.1; done
    seen "$title" || { echo "The window \"$title\" did not appear." >&2; ok=0; break; }
    echo "  window \"$title\" shown"
  done
  kill -0 $program 2>/dev/null || { echo "The program ended by itself." >&2; ok=0; }
  kill $program $server 2>/dev/null || true
  if [ $ok = 0 ]; then cat /tmp/program.log >&2; exit 1; fi
'
echo "Package test passed: $(basename "$deb") installs on a fresh Debian 12 and its program starts."
