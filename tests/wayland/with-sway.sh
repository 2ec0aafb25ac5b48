#!/usr/bin/env bash
# Runs a test program under a headless sway, natively on Wayland and then
# through sway's XWayland, and stops sway again:
#   with-sway.sh PROGRAM [ARGUMENTS...]
# sway refuses to run as root: as root it runs as the user SWAY_USER
# (setup-sway by default, made here when missing) with a runtime directory
# of its own; the program stays the caller's and reaches sway's sockets by
# their paths. SWAY_PLATFORMS chooses the runs ("wayland xcb").
set -euo pipefail
source "$(dirname "$0")/../../scripts/common.sh"

user="${SWAY_USER:-setup-sway}"
work="$(mktemp -d)"
chmod 755 "$work"
sway_dir="$work/sway"
mkdir -m 700 "$sway_dir"
if [ "$(id -u)" -eq 0 ]; then
  id "$user" >/dev/null 2>&1 || useradd --system --no-create-home --shell /usr/sbin/nologin "$user"
  chown "$user:" "$sway_dir"
  as_user=(runuser -u "$user" --)
else
  as_user=()
fi
client_dir="$(private_runtime_dir "$work")"
cat >"$work/sway.conf" <<'EOF'
output HEADLESS-1 resolution 1280x1024
xwayland force
EOF

sway_socket() { compgen -G "$sway_dir/sway-ipc.*.sock" | head -n 1; }
sway_answers() { [ -n "$(sway_socket)" ] && swaymsg -s "$(sway_socket)" -t get_version >/dev/null 2>&1; }

"${as_user[@]}" env -i PATH="$PATH" HOME="$sway_dir" XDG_RUNTIME_DIR="$sway_dir" \
  WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman \
  sway -c "$work/sway.conf" >"$work/sway.log" 2>&1 &
sway_pid=$!
stop() {
  [ -n "$(sway_socket)" ] && swaymsg -s "$(sway_socket)" exit >/dev/null 2>&1 || true
  wait_for 20 bash -c "! kill -0 $sway_pid 2>/dev/null" || kill "$sway_pid" 2>/dev/null || true
  wait "$sway_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap stop EXIT
if ! wait_for 60 sway_answers; then
  echo "sway did not start:" >&2
  cat "$work/sway.log" >&2
  exit 1
fi
export SWAYSOCK="$(sway_socket)"
WAYLAND_DISPLAY="$(compgen -G "$sway_dir/wayland-[0-9]" | head -n 1)"
export WAYLAND_DISPLAY XDG_RUNTIME_DIR="$client_dir"

# XWayland runs from sway's start to its end, on a display sway chose. Started
# with its first client instead (sway's "enable"), it ends some seconds after
# its last client under sway 1.10, and the one started next has forgotten the
# admission. It admits only sway's user until told otherwise.
cat >"$work/admit.sh" <<EOF
echo "\$DISPLAY" >"$sway_dir/display"
xhost +si:localuser:$(id -un) >"$sway_dir/xhost.log" 2>&1
echo done >>"$sway_dir/display"
EOF
swaymsg exec "sh $work/admit.sh" >/dev/null
wait_for 60 grep -qs done "$sway_dir/display"
x_display="$(head -n 1 "$sway_dir/display")"

status=0
for platform in ${SWAY_PLATFORMS:-wayland xcb}; do
  echo "== $platform"
  if [ "$platform" = xcb ]; then
    DISPLAY="$x_display" QT_QPA_PLATFORM=xcb "$@" || status=1
  else
    env -u DISPLAY QT_QPA_PLATFORM="$platform" "$@" || status=1
  fi
done
exit $status
