# Shared by ./run and ./test: install what is missing, then configure and
# build incrementally.

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

PACKAGES=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev libjpeg-dev
  xvfb xauth openbox xdotool x11-utils imagemagick
  fonts-dejavu-core fonts-wine clang-format
)

ensure_packages() {
  local missing=()
  for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing missing packages: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
  fi
}

# build DIR [cmake options...]
build() {
  local dir="$1"
  shift
  local werror=OFF
  [ -n "${CI:-}" ] && werror=ON
  local launcher=()
  # A compiler cache, where one is installed, makes rebuilds of several
  # checkouts cheap; nothing needs it.
  command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  if [ ! -f "$dir/build.ninja" ]; then
    cmake -S "$ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSETUP_WERROR=$werror "${launcher[@]}" "$@" >/dev/null
  fi
  cmake --build "$dir" -j "$(nproc)"
}

private_runtime_dir() {
  local dir="$1/xdg-runtime"
  mkdir -p "$dir"
  chmod 700 "$dir"
  echo "$dir"
}

# Starts Xvfb and openbox on a free display; sets XVFB_PID, WM_PID, DISPLAY.
start_virtual_display() {
  local n=90
  while [ -e "/tmp/.X${n}-lock" ] || [ -e "/tmp/.X11-unix/X${n}" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  XVFB_PID=$!
  export DISPLAY=":$n"
  for _ in $(seq 100); do
    xdpyinfo >/dev/null 2>&1 && break
    sleep 0.05
  done
  openbox >/dev/null 2>&1 &
  WM_PID=$!
  # Windows mapped before the window manager manages the screen would miss
  # their frames.
  for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break
    sleep 0.05
  done
}

stop_virtual_display() {
  [ -n "${WM_PID:-}" ] && kill "$WM_PID" 2>/dev/null || true
  [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null || true
  wait 2>/dev/null || true
}

# Lists the C++ files that clang-format would change; fails if there are any.
check_format() {
  local unformatted=()
  while IFS= read -r file; do
    clang-format --dry-run --Werror "$file" >/dev/null 2>&1 || unformatted+=("$file")
  done < <(cd "$ROOT" && git ls-files '*.cpp' '*.h' 2>/dev/null || find src tests tools bench -name '*.cpp' -o -name '*.h')
  if [ ${#unformatted[@]} -gt 0 ]; then
    echo "Not formatted as .clang-format says (run clang-format -i on them):" >&2
    printf '  %s\n' "${unformatted[@]}" >&2
    return 1
  fi
}
