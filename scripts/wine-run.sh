#!/usr/bin/env bash
# Runs a Windows program under Wine with Qt's and the compiler's DLLs on its
# search path; CTest's emulator for the Windows build's tests:
#   wine-run.sh QT_BIN RUNTIME_DIRS WINEPREFIX PROGRAM [ARGUMENTS...]
# RUNTIME_DIRS: the mingw runtime's folders, separated by colons.
set -euo pipefail
qtbin="$1" runtime="$2"
export WINEPREFIX="$3"
shift 3
command -v wine64 >/dev/null || export PATH="/usr/lib/wine:$PATH"
export WINEDEBUG="${WINEDEBUG:--all}" WINEDLLOVERRIDES="mscoree,mshtml="
path="Z:${qtbin//\//\\}"
IFS=: read -ra dirs <<<"$runtime"
for d in "${dirs[@]}"; do
  path="$path;Z:${d//\//\\}"
done
export WINEPATH="$path${WINEPATH:+;$WINEPATH}"
# QtTest's log does not reach a Unix pipe from Wine's console: a test
# program writes it to a file, shown once it ends.
case "$(basename "$1")" in
tst_*.exe)
  log="$(mktemp)"
  status=0
  # Wine keeps the QT_ variables from its programs: windows.sh puts the
  # offscreen platform into the prefix's environment for the tests, and
  # another one goes on the command line.
  platform=()
  [ -n "${QT_QPA_PLATFORM:-}" ] && [ "$QT_QPA_PLATFORM" != offscreen ] && platform=(-platform "$QT_QPA_PLATFORM")
  wine64 "$@" "${platform[@]}" -o "Z:${log//\//\\},txt" || status=$?
  cat "$log"
  rm -f "$log"
  exit "$status"
  ;;
esac
exec wine64 "$@"
