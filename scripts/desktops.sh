#!/usr/bin/env bash
# Runs the real-window tests under each window manager that Debian packages,
# one after another, each on a virtual X server of its own, then the popup
# test under a headless sway (scripts/wayland.sh), and prints a table of the
# results. Installs the window managers with apt first.
#
#   scripts/desktops.sh                  # every window manager below, and sway
#   scripts/desktops.sh icewm sway       # only these
#   DESKTOP_TESTS=xtst_ scripts/desktops.sh   # every real-window test
#
# The logs are in build/desktops/<window manager>.log.
set -uo pipefail
source "$(dirname "$0")/common.sh"

ALL=(openbox xfwm4 kwin_x11 "mutter --x11" metacity icewm fluxbox sway)
[ $# -gt 0 ] && ALL=("$@")
TESTS="${DESKTOP_TESTS:-xtst_Popup|xtst_Startup|xtst_KeyboardTour}"

# Kept out of ./test's packages: a fresh machine that only runs ./test needs
# none of them. kwin_x11 frames nothing without its Breeze decoration.
DESKTOP_PACKAGES=(xfwm4 kwin-x11 kwin-style-breeze mutter metacity icewm fluxbox)
ensure_packages "${PROGRAM_PACKAGES[@]}" "${TEST_PACKAGES[@]}" "${DESKTOP_PACKAGES[@]}"
build "$ROOT/build" >/dev/null || exit 1
logs="$ROOT/build/desktops"
mkdir -p "$logs"

printf '| window manager | passed | failed |\n|---|---|---|\n' > "$logs/table.md"
# fluxbox sets its style's wallpaper with fbsetbg, which without a wallpaper
# setter installed says so in an xmessage window that takes the focus from
# the program under test.
printf 'background: none\n' > "$logs/fluxbox-overlay"
printf 'session.styleOverlay: %s\n' "$logs/fluxbox-overlay" > "$logs/fluxbox-init"
status=0
for wm in "${ALL[@]}"; do
  name="${wm%% *}"
  if [ "$name" = sway ]; then
    # A compositor, not a window manager: natively and through its XWayland.
    if "$ROOT/scripts/wayland.sh" >"$logs/sway.log" 2>&1; then
      printf '| sway (Wayland, XWayland) | wltst_Popup | none |\n' | tee -a "$logs/table.md"
    else
      status=1
      printf '| sway (Wayland, XWayland) | none | wltst_Popup |\n' | tee -a "$logs/table.md"
    fi
    continue
  fi
  command="$wm"
  [ "$name" = fluxbox ] && command="fluxbox -rc $logs/fluxbox-init"
  # kwin, mutter, xfwm4 and metacity want a D-Bus session.
  dbus-run-session -- env SETUP_WINDOW_MANAGER="$command" \
    ctest --test-dir "$ROOT/build" -R "^(x11_server_start|x11_server_stop|${TESTS})" --output-on-failure \
    >"$logs/$name.log" 2>&1
  passed="$(grep -oE 'Test +#[0-9]+: [a-zA-Z_]+ [.]* +Passed' "$logs/$name.log" | awk '{print $3}' | grep -v x11_server | tr '\n' ' ')"
  failed="$(grep -oE 'Test +#[0-9]+: [a-zA-Z_]+ [.]*\**(Failed|Timeout|Not Run|Exception)' "$logs/$name.log" | awk '{print $3}' | tr '\n' ' ')"
  [ -n "$failed" ] && status=1
  printf '| %s | %s | %s |\n' "$wm" "${passed:-none}" "${failed:-none}" | tee -a "$logs/table.md"
done
echo "Logs and this table: $logs"
exit $status
