# Shared by ./run and ./test: install what is missing, then configure and
# build incrementally.

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

# What ./run needs: to build the program, show it on a virtual screen, take
# its picture and package it. Package names without a compiler's or a
# library's version, where Debian has one, so that later releases find them.
PROGRAM_PACKAGES=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev libjpeg-dev libxcb1-dev
  xvfb xauth openbox xdotool wmctrl x11-utils imagemagick
  fonts-dejavu-core fonts-wine
  dpkg-dev file
)
# What ./test, fuzz/run and bench/run need besides: the checkers, the
# screen reader's bus, the sanitizers' and fuzzer's runtime, valgrind.
TEST_PACKAGES=(
  clang-format
  dbus-daemon at-spi2-core python3-pyatspi
  desktop-file-utils appstream man-db lintian
  clang libclang-rt-dev valgrind
  # Reads the bench sheet's PDF back: its pages, size and text.
  poppler-utils
  # The screen reader the real-window group listens with; its log is
  # read, nothing is spoken.
  orca
  # A headless Wayland compositor with its XWayland, Qt's Wayland platform,
  # and what the test's virtual pointer and its X11 half are built and
  # admitted with.
  sway xwayland qt6-wayland libwayland-dev x11-xserver-utils
)

# ensure_packages [PACKAGE...]: installs those of the packages (by default
# the program's and the tests') that are missing. Sets PACKAGES_INSTALLED=1
# when it installed any, so that build configures again and finds them.
ensure_packages() {
  local wanted=("$@") missing=()
  [ ${#wanted[@]} -eq 0 ] && wanted=("${PROGRAM_PACKAGES[@]}" "${TEST_PACKAGES[@]}")
  for p in "${wanted[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing missing packages: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    # Another install may be running (a second script, an update): wait
    # for its lock rather than fail.
    local lock=(-o DPkg::Lock::Timeout=900)
    $sudo apt-get "${lock[@]}" update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get "${lock[@]}" install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
    PACKAGES_INSTALLED=1
  fi
}

# configure DIR [cmake options...]: configures DIR once, and again when
# ensure_packages installed something (a test's tools found only now).
configure() {
  local dir="$1"
  shift
  local werror=OFF
  [ -n "${CI:-}" ] && werror=ON
  local launcher=()
  # A compiler cache, where one is installed, makes rebuilds of several
  # checkouts cheap; nothing needs it.
  command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  if [ ! -f "$dir/build.ninja" ] || [ -n "${PACKAGES_INSTALLED:-}" ]; then
    cmake -S "$ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSETUP_WERROR=$werror "${launcher[@]}" "$@" >/dev/null
  fi
}

# build DIR [cmake options...]: configures DIR and builds everything in it.
build() {
  configure "$@"
  cmake --build "$1" -j "$(nproc)"
}

private_runtime_dir() {
  local dir="$1/xdg-runtime"
  mkdir -p "$dir"
  chmod 700 "$dir"
  echo "$dir"
}

# Waits up to $1 seconds for the command that follows to succeed; on a busy
# machine a server or window manager can take many seconds to come up.
wait_for() {
  local seconds="$1"
  shift
  local end=$((SECONDS + seconds))
  until "$@"; do
    [ "$SECONDS" -ge "$end" ] && return 1
    sleep 0.05
  done
}

# True once the window manager has taken the screen, or once it has died.
window_manager_settled() {
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" || ! kill -0 "$WM_PID" 2>/dev/null
}

# True once Xvfb has written its display number to $1, or once it has died.
display_chosen() {
  grep -q '^[0-9][0-9]*$' "$1" || ! kill -0 "$XVFB_PID" 2>/dev/null
}

# Starts Xvfb on a display of its own choosing and openbox on it, and returns
# once the window manager has taken the screen; sets XVFB_PID, WM_PID,
# DISPLAY. Fails, saying why, when either does not come up.
# XVFB_SCREEN overrides the screen's size and depth (1280x1024x24);
# SETUP_WINDOW_MANAGER the window manager's command (scripts/desktops.sh).
start_virtual_display() {
  # On a machine shared with other X servers and their clients a window
  # manager now and then does not come up (seen once in twenty starts under
  # load); a second display is cheap, so try again before giving up.
  local attempt
  for attempt in 1 2 3; do
    start_virtual_display_once && return 0
    stop_virtual_display
  done
  return 1
}

start_virtual_display_once() {
  local numberfile wmlog
  numberfile="$(mktemp)"
  # Xvfb picks a free display and writes its number once it accepts
  # clients. A lock-file check cannot see a server that another root or
  # container sharing the machine's abstract X sockets started, so a display
  # chosen here could reach someone else's server.
  Xvfb -displayfd 3 -screen 0 "${XVFB_SCREEN:-1280x1024x24}" -nolisten tcp 3>"$numberfile" >/dev/null 2>&1 &
  XVFB_PID=$!
  wait_for 60 display_chosen "$numberfile" || true
  if ! grep -q '^[0-9][0-9]*$' "$numberfile"; then
    echo "The virtual X server did not start." >&2
    rm -f "$numberfile"
    return 1
  fi
  export DISPLAY=":$(head -n 1 "$numberfile")"
  rm -f "$numberfile"
  wmlog="$(mktemp)"
  ${SETUP_WINDOW_MANAGER:-openbox} >"$wmlog" 2>&1 &
  WM_PID=$!
  # Windows mapped before the window manager manages the screen are framed
  # late or not at all.
  wait_for 60 window_manager_settled || true
  if ! kill -0 "$WM_PID" 2>/dev/null || ! xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"; then
    echo "The window manager did not take the screen of $DISPLAY." >&2
    [ -s "$wmlog" ] && sed "s/^/  ${SETUP_WINDOW_MANAGER:-openbox}: /" "$wmlog" >&2
    rm -f "$wmlog"
    return 1
  fi
  rm -f "$wmlog"
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
