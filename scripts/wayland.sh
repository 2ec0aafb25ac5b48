#!/usr/bin/env bash
# Runs the popup test under a headless sway, natively on Wayland and through
# sway's XWayland, after installing sway and the Wayland pieces with apt:
#   scripts/wayland.sh
set -uo pipefail
source "$(dirname "$0")/common.sh"

ensure_packages
# The test and its pointer only: the rest of the tree is ./test's.
configure "$ROOT/build" || exit 1
cmake --build "$ROOT/build" -j "$(nproc)" --target wltst_Popup wl_pointer_driver >/dev/null || exit 1
"$ROOT/tests/wayland/with-sway.sh" "$ROOT/build/tests/wltst_Popup"
