#!/usr/bin/env bash
# Runs a test program as on a system without Wine's fonts: their folder is
# covered by an empty one in a mount namespace of the program's own, so
# nothing outside sees the change: without-layout-fonts.sh PROGRAM [ARGS...]
# Exits 77 (skipped) where the system gives no mount namespace.
set -euo pipefail
folder=/usr/share/wine/fonts
if [ -z "${SETUP_FONTS_HIDDEN:-}" ]; then
  if ! unshare -m true 2>/dev/null; then
    echo "No mount namespace can be made here: the run without Wine's fonts is skipped."
    exit 77
  fi
  SETUP_FONTS_HIDDEN=1 exec unshare -m --propagation private "$0" "$@"
fi
if [ -d "$folder" ]; then
  mount -t tmpfs -o size=1m,mode=755 none "$folder"
fi
exec "$@"
