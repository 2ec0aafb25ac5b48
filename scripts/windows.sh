#!/usr/bin/env bash
# Builds the program for 64-bit Windows here, with Debian's packages only,
# and tries it under Wine:
#   1. installs mingw-w64 (posix threads), Wine, nasm and Debian's sources;
#   2. builds Qt (Core, Gui, Widgets, Test, PrintSupport, the windows and
#      offscreen platforms) and libjpeg-turbo from Debian's source into a
#      cache keyed by their version, the options and the compiler;
#   3. cross-builds the program and the test programs that need no X11;
#   4. lays out a folder with the program, its DLLs and plugins, and a zip;
#   5. shows the program under wine64 on a virtual X server with openbox
#      and saves a screenshot;
#   6. runs the test programs under Wine on the offscreen platform and
#      prints their summary; exits non-zero on any failure.
# Usage: scripts/windows.sh [OUTPUT_DIR]   (default: build-windows)
# SETUP_WINDOWS_CACHE: where Qt, libjpeg-turbo and the Wine prefix are kept
# (default ~/.cache/setup-windows).
set -euo pipefail
source "$(dirname "$0")/common.sh"

OUT="$(mkdir -p "${1:-$ROOT/build-windows}" && cd "${1:-$ROOT/build-windows}" && pwd)"
CACHE="${SETUP_WINDOWS_CACHE:-$HOME/.cache/setup-windows}"
TRIPLET=x86_64-w64-mingw32
TOOLCHAIN="$ROOT/cmake/mingw-w64.cmake"
JOBS="${SETUP_WINDOWS_JOBS:-$(nproc)}"
QT_VERSION=6.4.2
start_time=$SECONDS

step() { printf '\n== %s (%ds)\n' "$*" $((SECONDS - start_time)); }

step "Packages"
# Debian's sources are reached through a deb-src entry for the same mirror
# as the binary packages.
if ! grep -rqs '^Types:.*deb-src\|^deb-src ' /etc/apt/sources.list /etc/apt/sources.list.d/; then
  mirror="$(grep -rhs '^URIs:' /etc/apt/sources.list.d/*.sources | head -n 1 | awk '{print $2}')"
  mirror="${mirror:-$(grep -hs '^deb ' /etc/apt/sources.list | head -n 1 | awk '{print $2}')}"
  suite="$(. /etc/os-release && echo "$VERSION_CODENAME")"
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  printf 'Types: deb-src\nURIs: %s\nSuites: %s %s-updates\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' \
    "${mirror:-http://deb.debian.org/debian}" "$suite" "$suite" | $sudo tee /etc/apt/sources.list.d/setup-windows-src.sources >/dev/null
  $sudo apt-get update -qq
fi
ensure_packages mingw-w64 g++-mingw-w64-x86-64 wine64 nasm dpkg-dev cmake ninja-build zip \
  qt6-base-dev qt6-base-dev-tools xvfb xauth openbox xdotool x11-utils imagemagick fonts-wine

# Debian's wine64 keeps its loader out of PATH unless the wine package's
# wrapper is installed.
command -v wine64 >/dev/null || export PATH="/usr/lib/wine:$PATH"
COMPILER_VERSION="$($TRIPLET-g++-posix --version | head -n 1)"

# fetch_source PACKAGE: unpacks Debian's source of PACKAGE into the cache
# once; prints its folder.
fetch_source() {
  local dir
  mkdir -p "$CACHE/src"
  dir="$(find "$CACHE/src" -maxdepth 1 -type d -name "$1-[0-9]*" | head -n 1)"
  if [ -z "$dir" ]; then
    (cd "$CACHE/src" && apt-get source -qq "$1" >/dev/null 2>&1) || {
      echo "apt-get source $1 failed: is there a deb-src entry?" >&2
      exit 1
    }
    dir="$(find "$CACHE/src" -maxdepth 1 -type d -name "$1-[0-9]*" | head -n 1)"
  fi
  echo "$dir"
}

# The Qt options; each change of these, of the patches or of the compiler
# gives another cache folder.
QT_OPTIONS=(
  -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
  -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_freetype=OFF
  -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_doubleconversion=OFF
  # The program decodes its JPEG itself; Qt needs no JPEG plugin.
  -DFEATURE_jpeg=OFF -DFEATURE_system_jpeg=OFF
  # Debian's source lacks the Windows tablet headers.
  -DFEATURE_tabletevent=OFF
  # No OpenGL: the program paints with the raster engine. Dynamic OpenGL is
  # on by default on Windows and must be turned off with it.
  -DFEATURE_opengl=OFF -DFEATURE_dynamicgl=OFF
  # DirectWrite stays (the Windows font database uses it); the direct2d
  # platform plugin is not needed.
  -DFEATURE_direct2d1_1=OFF
  -DFEATURE_network=OFF -DFEATURE_sql=OFF -DFEATURE_xml=OFF -DFEATURE_dbus=OFF
  -DFEATURE_concurrent=OFF -DFEATURE_vulkan=OFF -DFEATURE_icu=OFF -DFEATURE_zstd=OFF
  -DFEATURE_glib=OFF -DFEATURE_testlib=ON -DFEATURE_printsupport=ON
)
PATCHES=("$ROOT"/scripts/windows-patches/*.patch)
[ -e "${PATCHES[0]}" ] || PATCHES=()
QT_KEY="$( (
  printf '%s\n' "${QT_OPTIONS[@]}" "$COMPILER_VERSION"
  cat "$TOOLCHAIN" ${PATCHES[@]+"${PATCHES[@]}"}
) | sha256sum | cut -c1-12)"
QT_PREFIX="$CACHE/qt-$QT_VERSION-$QT_KEY"

step "Qt $QT_VERSION for Windows ($QT_PREFIX)"
if [ ! -f "$QT_PREFIX/.complete" ]; then
  qtsrc="$(fetch_source qt6-base)"
  qtbuild="$CACHE/build-qt-$QT_VERSION-$QT_KEY"
  qtwork="$qtbuild/src"
  # Patches go on a copy so that the unpacked source stays Debian's own.
  if [ ! -f "$qtwork/.patched" ]; then
    rm -rf "$qtwork"
    mkdir -p "$qtbuild"
    cp -a "$qtsrc" "$qtwork"
    for p in ${PATCHES[@]+"${PATCHES[@]}"}; do
      patch -d "$qtwork" -p1 --quiet <"$p"
    done
    touch "$qtwork/.patched"
  fi
  if [ ! -f "$qtbuild/obj/build.ninja" ]; then
    cmake -S "$qtwork" -B "$qtbuild/obj" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" \
      -DCMAKE_INSTALL_PREFIX="$QT_PREFIX" "${QT_OPTIONS[@]}" >"$qtbuild/configure.log" 2>&1 || {
      tail -n 40 "$qtbuild/configure.log" >&2
      exit 1
    }
  fi
  cmake --build "$qtbuild/obj" --parallel "$JOBS" >"$qtbuild/build.log" 2>&1 || {
    grep -B2 -A10 -m3 'error' "$qtbuild/build.log" >&2 || tail -n 40 "$qtbuild/build.log" >&2
    exit 1
  }
  cmake --install "$qtbuild/obj" >"$qtbuild/install.log" 2>&1
  touch "$QT_PREFIX/.complete"
  rm -rf "$qtbuild"
fi

step "libjpeg-turbo for Windows"
JPEG_KEY="$( (
  echo WITH_SIMD static "$COMPILER_VERSION"
  cat "$TOOLCHAIN"
) | sha256sum | cut -c1-12)"
jpegsrc="$(fetch_source libjpeg-turbo)"
JPEG_PREFIX="$CACHE/$(basename "$jpegsrc")-$JPEG_KEY"
if [ ! -f "$JPEG_PREFIX/.complete" ]; then
  jpegbuild="$CACHE/build-$(basename "$JPEG_PREFIX")"
  rm -rf "$jpegbuild"
  cmake -S "$jpegsrc" -B "$jpegbuild" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$JPEG_PREFIX" \
    -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_SIMD=ON -DREQUIRE_SIMD=ON -DWITH_TURBOJPEG=OFF \
    >"$CACHE/libjpeg-configure.log" 2>&1 || {
    tail -n 30 "$CACHE/libjpeg-configure.log" >&2
    exit 1
  }
  cmake --build "$jpegbuild" --parallel "$JOBS" >"$CACHE/libjpeg-build.log" 2>&1 || {
    tail -n 30 "$CACHE/libjpeg-build.log" >&2
    exit 1
  }
  cmake --install "$jpegbuild" >/dev/null
  touch "$JPEG_PREFIX/.complete"
  rm -rf "$jpegbuild"
fi

step "Qt's JPEG plugin for Windows"
# Built apart, against the static libjpeg-turbo, so that Qt itself needs no
# JPEG library of its own; the tests read JPEGs through Qt.
if [ ! -f "$QT_PREFIX/plugins/imageformats/qjpeg.dll" ]; then
  qjbuild="$CACHE/build-qjpeg-$QT_KEY"
  rm -rf "$qjbuild"
  cmake -S "$ROOT/cmake/qjpeg" -B "$qjbuild" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_PREFIX_PATH="$QT_PREFIX;$JPEG_PREFIX" -DQT_HOST_PATH=/usr \
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake -DQT_SOURCE="$(fetch_source qt6-base)" \
    -DCMAKE_INSTALL_PREFIX="$QT_PREFIX" >"$CACHE/qjpeg.log" 2>&1 \
    && cmake --build "$qjbuild" >>"$CACHE/qjpeg.log" 2>&1 && cmake --install "$qjbuild" >>"$CACHE/qjpeg.log" 2>&1 || {
    tail -n 30 "$CACHE/qjpeg.log" >&2
    exit 1
  }
  rm -rf "$qjbuild"
fi

# The compiler's runtime DLLs, which the program and Qt import.
MINGW_RUNTIME="$(dirname "$($TRIPLET-g++-posix -print-file-name=libstdc++-6.dll)")"
WINPTHREAD_DIR="$(dirname "$(find /usr/$TRIPLET/lib -name libwinpthread-1.dll | head -n 1)")"
export WINEPREFIX="$CACHE/wine-prefix"
export WINEDEBUG=-all WINEARCH=win64
# Wine would offer to install Mono and Gecko on a fresh prefix: neither is
# needed, and the offer waits for a click.
export WINEDLLOVERRIDES="mscoree,mshtml="
step "Wine prefix ($WINEPREFIX)"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  wine64 wineboot --init >/dev/null 2>&1
  wineserver -w
fi
# Qt's offscreen platform on Windows reads fonts from one folder only, and
# for a family it lacks (its default "Sans Serif") takes the folder's first
# face: the folder holds the Linux tests' faces, DejaVu's text faces, and
# not DejaVu Math TeX Gyre, which sorts first and measures lines unlike them.
# (Wine keeps QT_ variables of the Unix environment from its programs.)
OFFSCREEN_FONTS="$CACHE/offscreen-fonts"
mkdir -p "$OFFSCREEN_FONTS"
for face in /usr/share/fonts/truetype/dejavu/DejaVuSans*.ttf /usr/share/fonts/truetype/dejavu/DejaVuSerif*.ttf; do
  ln -sf "$face" "$OFFSCREEN_FONTS/"
done
wine64 reg add 'HKCU\Environment' /v QT_QPA_FONTDIR /d "Z:${OFFSCREEN_FONTS//\//\\}" /f >/dev/null 2>&1
wineserver -w

step "The program and its tests for Windows"
BUILD="$OUT/build"
if [ ! -f "$BUILD/build.ninja" ]; then
  launcher=()
  command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_PREFIX_PATH="$QT_PREFIX;$JPEG_PREFIX" -DQT_HOST_PATH=/usr \
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DCMAKE_CROSSCOMPILING_EMULATOR="$ROOT/scripts/wine-run.sh;$QT_PREFIX/bin;$MINGW_RUNTIME:$WINPTHREAD_DIR;$WINEPREFIX" "${launcher[@]}" >"$OUT/configure.log" 2>&1 || {
    tail -n 30 "$OUT/configure.log" >&2
    exit 1
  }
fi
cmake --build "$BUILD" --parallel "$JOBS" >"$OUT/build.log" 2>&1 || {
  grep -B2 -A12 -m3 'error' "$OUT/build.log" >&2 || tail -n 40 "$OUT/build.log" >&2
  exit 1
}

step "The folder and its zip"
DIST="$OUT/Setup"
rm -rf "$DIST" "$OUT/Setup.zip"
mkdir -p "$DIST/platforms" "$DIST/styles"
cp "$BUILD/src/Settings.exe" "$DIST/"
for dll in Qt6Core Qt6Gui Qt6Widgets Qt6PrintSupport; do
  cp "$QT_PREFIX/bin/$dll.dll" "$DIST/"
done
cp "$QT_PREFIX/plugins/platforms/qwindows.dll" "$DIST/platforms/"
cp "$QT_PREFIX"/plugins/styles/*.dll "$DIST/styles/" 2>/dev/null || rmdir "$DIST/styles"
for dll in libstdc++-6 libgcc_s_seh-1; do
  cp "$MINGW_RUNTIME/$dll.dll" "$DIST/"
done
cp "$WINPTHREAD_DIR/libwinpthread-1.dll" "$DIST/"
$TRIPLET-strip "$DIST"/*.exe "$DIST"/*.dll "$DIST"/*/*.dll
# Every DLL the program and its plugins import must be in the folder or be
# Windows' own.
missing="$(for f in "$DIST"/*.exe "$DIST"/*.dll "$DIST"/*/*.dll; do
  $TRIPLET-objdump -p "$f" | sed -n 's/^\s*DLL Name: //p'
done | sort -u | while read -r dll; do
  # Windows' own: an API set, or a library mingw-w64 has an import library for.
  base="$(echo "${dll%.*}" | tr 'A-Z' 'a-z')"
  [ -e "$DIST/$dll" ] || [[ "$base" == api-ms-win-* ]] || [ -e "/usr/$TRIPLET/lib/lib$base.a" ] || echo "$dll"
done)"
if [ -n "$missing" ]; then
  echo "The folder lacks DLLs the program imports: $missing" >&2
  exit 1
fi
(cd "$OUT" && zip -qr9 Setup.zip Setup)
echo "Folder: $(du -sm "$DIST" | cut -f1) MB; zip: $(du -sm "$OUT/Setup.zip" | cut -f1) MB"


step "The program under Wine on a virtual X server"
XDG_RUNTIME_DIR="$(private_runtime_dir "$OUT")"
export XDG_RUNTIME_DIR
trap 'wineserver -k 2>/dev/null || true; stop_virtual_display' EXIT
start_virtual_display
wine64 "$DIST/Settings.exe" >"$OUT/program.log" 2>&1 &
program=$!
# The page is up once its maximised window and the instructions dialog
# over it are mapped.
window_up() { xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1; }
maximised() {
  local w
  w="$(xdotool search --onlyvisible --name '^Setup$' 2>/dev/null | head -n 1)"
  [ -n "$w" ] && xdotool getwindowgeometry "$w" | grep -q "Geometry: 1280x"
}
if ! wait_for 180 window_up "Setup" || ! wait_for 60 window_up "Instructions for Settings utility" \
  || ! wait_for 30 maximised; then
  echo "The program's windows did not appear under Wine." >&2
  xdotool search --onlyvisible --name . getwindowname %@ >&2 2>/dev/null || true
  cat "$OUT/program.log" >&2
  exit 1
fi
# The photograph is decoded and painted once the event queue is empty; a
# second look at the screen confirms it is settled.
# (PPM: no time stamp in the file.)
settled() {
  import -window root "ppm:$OUT/screen-a.ppm" 2>/dev/null && sleep 0.5 \
    && import -window root "ppm:$OUT/screen-b.ppm" 2>/dev/null && cmp -s "$OUT/screen-a.ppm" "$OUT/screen-b.ppm"
}
wait_for 60 settled || true
convert "$OUT/screen-b.ppm" "$OUT/windows-screenshot.png"
rm -f "$OUT/screen-a.ppm" "$OUT/screen-b.ppm"
echo "Screenshot: $OUT/windows-screenshot.png"
kill "$program" 2>/dev/null || true
wineserver -k 2>/dev/null || true

# The display stays for the tests that show a window on Windows' own
# platform; the rest run on the offscreen one.
step "The tests under Wine"
# Wine keeps the QT_ variables of the Unix environment from its programs:
# the tests' platform goes into the prefix's own for the time they run.
wine64 reg add 'HKCU\Environment' /v QT_QPA_PLATFORM /d offscreen /f >/dev/null 2>&1
ctest --test-dir "$BUILD" -j "$JOBS" -V --timeout 600 >"$OUT/tests.log" 2>&1 || true
wine64 reg delete 'HKCU\Environment' /v QT_QPA_PLATFORM /f >/dev/null 2>&1 || true
# Per test: QtTest's closing line, or how ctest saw it end.
python3 - "$OUT/tests.log" <<'PY'
import re, sys
log = open(sys.argv[1], encoding="utf-8", errors="replace").read()
names = dict(re.findall(r"^\s*Start\s+(\d+): (\S+)", log, re.M))
totals = {}
for number, passed, failed, skipped in re.findall(r"^(\d+): Totals: (\d+) passed, (\d+) failed, (\d+) skipped", log, re.M):
    t = totals.setdefault(number, [0, 0, 0])
    t[0] += int(passed); t[1] += int(failed); t[2] += int(skipped)
ended = dict((n, r) for n, r in re.findall(r"^\s*\d+/\d+ Test\s+#(\d+): \S+ \.+\**\s*(\w[^\n]*?)\s+[\d.]+ sec", log, re.M))
bad = 0
all_passed = all_failed = all_skipped = 0
for number in sorted(names, key=int):
    passed, failed, skipped = totals.get(number, [0, 0, 0])
    result = ended.get(number, "not run")
    ok = result.startswith("Passed") and failed == 0
    bad += not ok
    all_passed += passed; all_failed += failed; all_skipped += skipped
    print(f"  {names[number]:<32} {passed:4d} passed {failed:3d} failed {skipped:3d} skipped   {result}")
print(f"Under Wine: {all_passed} passed, {all_failed} failed, {all_skipped} skipped; {bad} of {len(names)} test programs failed")
sys.exit(1 if bad or not names else 0)
PY
